#include "CheckListTotals.h"

#include <algorithm>

namespace CheckListTotals {

CheckListCount Count(const QList<CheckListItem>& items)
{
    CheckListCount count;
    count.total = int(items.size());
    count.checked = int(std::count_if(items.cbegin(), items.cend(),
                                      [](const CheckListItem& item) { return item.checked != 0; }));
    return count;
}

QString Caption(const CheckListCount& count)
{
    if (count.total == 0)
        return QStringLiteral("Check List");
    return QStringLiteral("Check List [%1/%2]").arg(count.checked).arg(count.total);
}

} // namespace CheckListTotals
