#pragma once

#include "DateTimeValue.h"

#include <QList>

#include <algorithm>
#include <cmath>

// Orders items by a date the way the planner always has: an item whose date is not
// valid (or not a number) never moves, so it splits the list into runs; each run is
// sorted stably, equal dates keeping their order. This is the order that repeated
// passes of neighbour swaps ("swap when both are valid and the right one is strictly
// earlier") settle into, in O(n log n).
template <typename T, typename DateOf> void SortChronologically(QList<T>& items, DateOf dateOf)
{
    const auto fixedInPlace = [&](const T& item) {
        const DateTimeValue& date = dateOf(item);
        return !date.isValid() || std::isnan(date.days);
    };
    const auto before = [&](const T& a, const T& b) {
        return chronologicallyBefore(dateOf(a), dateOf(b));
    };
    auto runStart = items.begin();
    while (runStart != items.end()) {
        auto runEnd = std::find_if(runStart, items.end(), fixedInPlace);
        std::stable_sort(runStart, runEnd, before);
        runStart = runEnd == items.end() ? runEnd : runEnd + 1;
    }
}

// The keys of records held in a map, in the order above by each record's date.
template <typename Key, typename Map, typename DateOf>
QList<Key> KeysByDate(const QList<Key>& keys, const Map& records, DateOf dateOf)
{
    QList<const typename Map::mapped_type*> sorted;
    sorted.reserve(keys.size());
    for (const Key& key : keys)
        sorted.append(&records.at(key));
    SortChronologically(
        sorted, [&](const auto* record) -> const DateTimeValue& { return dateOf(*record); });
    QList<Key> result;
    result.reserve(sorted.size());
    for (const auto* record : sorted)
        result.append(record->key);
    return result;
}
