#pragma once

#include "DateTimeValue.h"

#include <QList>

#include <utility>

// The neighbour-swap passes the planner has always sorted by date with, kept
// literally to check the fast order against: n passes over n items, swapping two
// neighbours when both dates are valid and the right one is strictly earlier.
template <typename T, typename DateOf> void PassSort(QList<T>& items, DateOf dateOf)
{
    const qsizetype n = items.size();
    for (qsizetype pass = 0; pass < n; ++pass) {
        for (qsizetype i = 0; i + 1 < n; ++i) {
            const DateTimeValue& a = dateOf(items[i]);
            const DateTimeValue& b = dateOf(items[i + 1]);
            if (a.isValid() && b.isValid() && chronologicallyBefore(b, a))
                std::swap(items[i], items[i + 1]);
        }
    }
}
