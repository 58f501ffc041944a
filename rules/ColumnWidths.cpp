#include "ColumnWidths.h"

#include <algorithm>

namespace ColumnWidths {

QList<int> TravelList(int clientWidth)
{
    const int u = clientWidth / 14;
    return {clientWidth - 10 * u, 3 * u, 3 * u, 2 * u, 2 * u};
}

QList<int> DetailSheet(int clientWidth)
{
    return {150, std::max(0, clientWidth - 150)};
}

QList<int> StageList(int clientWidth)
{
    const int seventh = clientWidth / 7;
    return {clientWidth - 4 * seventh, 2 * seventh, 2 * seventh};
}

QList<int> ExpenseList(int clientWidth, bool currencies)
{
    if (currencies) {
        const int w = (clientWidth - 50) / 9;
        return {clientWidth - 8 * w, w, w, w, w, w, w, w, w};
    }
    const int w = (clientWidth - 50) / 5;
    return {clientWidth - 4 * w, w, w, w, w};
}

QList<int> CheckList(int clientWidth)
{
    return {clientWidth};
}

} // namespace ColumnWidths
