#pragma once

#include "Records.h"

#include <QCollator>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <numeric>

// Rules the list models share.
namespace ListRules {

// Whether an empty line of notes makes an empty row (the stage sheet) or none (the
// travel sheet).
enum class EmptyLines { Drop, Keep };

// Notes cut into the pieces a detail sheet shows, one per row: lines at "\r\n", each
// line in pieces of at most 50 characters, broken at the last blank where one fits.
// Empty pieces of a long line make no row; empty lines make one only when kept.
QStringList NotesPieces(const QString& notes, EmptyLines emptyLines = EmptyLines::Drop);

// -1, 0 or 1 for a chronological comparison; dates whose status is not valid compare
// equal to everything.
int CompareDates(const DateTimeValue& a, const DateTimeValue& b);

inline int Sign(int value)
{
    return (value > 0) - (value < 0);
}

// The order in which to show rows sorted by `before`: the row numbers, new order first.
// Rows for which `sortable` is false keep their places and the others are sorted
// among themselves, so that a comparison that calls some values equal to everything
// (an invalid date) still yields a sound order that agrees with it wherever it is
// defined. The sort is stable.
template <typename T, typename Sortable, typename Before>
QList<int> SortedOrder(const QList<T>& rows, Sortable sortable, Before before)
{
    QList<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    QList<int> places;
    QList<int> moving;
    for (int row = 0; row < int(rows.size()); ++row) {
        if (sortable(rows[row])) {
            places.append(row);
            moving.append(row);
        }
    }
    std::stable_sort(moving.begin(), moving.end(),
                     [&](int a, int b) { return before(rows[a], rows[b]); });
    for (qsizetype i = 0; i < places.size(); ++i)
        order[places[i]] = moving[i];
    return order;
}

} // namespace ListRules
