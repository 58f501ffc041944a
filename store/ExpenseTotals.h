#pragma once

#include "Currency.h"
#include "DisplayFormats.h"
#include "Records.h"

#include <QList>
#include <QMap>
#include <QString>

// What the purchased lines paid in one currency, and what that came to at home.
struct CurrencySubtotal {
    Decimal paid;
    double home = 0.0;

    bool operator==(const CurrencySubtotal&) const = default;
};

struct ExpenseCount {
    int total = 0;
    int purchased = 0;
    double purchasedSum = 0.0; // the rounded totals of the purchased lines
    // Whether any line was paid in another currency than the home one.
    bool anyForeign = false;
    // The purchased lines by the currency they were paid in (the home one included).
    QMap<QString, CurrencySubtotal> byCurrency;
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
// Adds a purchased line to the subtotal of the currency it was paid in.
void AddToSubtotal(ExpenseCount& count, const ExpenseRecord& line, double shownTotal,
                   const DisplayFormats& formats);
// The line's total in the currency it was paid in (its home total when paid at home).
Decimal PaidTotal(const ExpenseRecord& line, double shownTotal, const DisplayFormats& formats);
// "Paid in EUR" and the like, for the subtotal lines.
QString SubtotalLabel(const QString& code);
// "€12.50 at 0.9424 (03.05.24)": a foreign line's price as paid, its rate and the rate's
// day; empty for a line paid in the home currency.
QString ForeignNote(const ExpenseRecord& line, const DisplayFormats& formats);
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
        count.anyForeign = count.anyForeign || record.foreign.has_value();
        if (record.purchased != 0) {
            ++count.purchased;
            const double shown = ShownTotal(record, formats);
            count.purchasedSum += shown;
            AddToSubtotal(count, record, shown, formats);
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
