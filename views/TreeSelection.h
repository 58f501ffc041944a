#pragma once

#include "RecordKey.h"
#include "ViewKinds.h"

#include <QDate>

// What the tree has selected, as an upper view needs it to fill itself.
struct TreeSelection {
    int depth = 0; // 0 root, 1 travel, 2 check list / expenses / stages, 3 stage
    TreeChild child = TreeChild::None;
    RecordKey travelKey;
    RecordKey stageKey;
    QDate month; // the month the tree lists
};
