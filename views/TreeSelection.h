#pragma once

#include "RecordKey.h"
#include "TreeNodeKind.h"
#include "ViewKinds.h"

#include <QDate>

// What the tree has selected, as an upper view needs it to fill itself.
struct TreeSelection {
    TreeNodeKind kind = TreeNodeKind::Month;
    TreeChild child = TreeChild::None;
    RecordKey travelKey;
    RecordKey stageKey;
    QDate month; // the month the tree lists
};
