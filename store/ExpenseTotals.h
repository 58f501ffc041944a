#pragma once

#include "DisplayFormats.h"
#include "Records.h"

#include <QList>
#include <QString>

struct ExpenseCount {
    int total = 0;
    int purchased = 0;
    double purchasedSum = 0.0; // the rounded totals of the purchased lines
};

// The money of an expense list, for every place that shows it: the expense view, the
// tree's caption, the exports, the printed lists and the itinerary. A line's total is
// its price times its quantity rounded to the currency's minor unit, and every sum adds
// those rounded totals, so that a sum is always the sum of the amounts shown above it.
namespace ExpenseTotals {

// The total of a line of this quantity at this price, as it is stored.
double LineTotal(double quantity, double pricePerUnit, const DisplayFormats& formats);
// The total a line shows and counts with: its stored total, rounded (a file written
// elsewhere may hold it unrounded).
double ShownTotal(const ExpenseRecord& line, const DisplayFormats& formats);
// The lines, the purchased ones, and the sum of the purchased ones' shown totals.
ExpenseCount Count(const QList<ExpenseRecord>& lines, const DisplayFormats& formats);
// The same of lines kept in another form, whose records `recordOf` gives.
template <typename Lines, typename RecordOf>
ExpenseCount Count(const Lines& lines, RecordOf recordOf, const DisplayFormats& formats)
{
    ExpenseCount count;
    for (const auto& line : lines) {
        const ExpenseRecord& record = recordOf(line);
        ++count.total;
        if (record.purchased != 0) {
            ++count.purchased;
            count.purchasedSum += ShownTotal(record, formats);
        }
    }
    // Amounts of whole minor units still add up with binary crumbs; the sum has none.
    count.purchasedSum = formats.RoundAmount(count.purchasedSum);
    return count;
}
// "Expense List" while there is no line, else "Expenses [purchased/total] - " and the
// purchased sum in the currency form.
QString Caption(const ExpenseCount& count, const DisplayFormats& formats);

} // namespace ExpenseTotals
