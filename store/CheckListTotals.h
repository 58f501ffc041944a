#pragma once

#include "Records.h"

#include <QList>
#include <QString>

struct CheckListCount {
    int total = 0;
    int checked = 0;
};

// How a check list is counted and captioned, the same in the tree, the view, the exports
// and voyanta-cli: "Check List [ticked/all]", or "Check List" when it is empty.
namespace CheckListTotals {

CheckListCount Count(const QList<CheckListItem>& items);
QString Caption(const CheckListCount& count);

} // namespace CheckListTotals
