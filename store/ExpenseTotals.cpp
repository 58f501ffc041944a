#include "ExpenseTotals.h"

namespace ExpenseTotals {

double LineTotal(double quantity, double pricePerUnit, const DisplayFormats& formats)
{
    return formats.RoundAmount(quantity * pricePerUnit);
}

double ShownTotal(const ExpenseRecord& line, const DisplayFormats& formats)
{
    return formats.RoundAmount(line.total);
}

ExpenseCount Count(const QList<ExpenseRecord>& lines, const DisplayFormats& formats)
{
    return Count(
        lines, [](const ExpenseRecord& line) -> const ExpenseRecord& { return line; }, formats);
}

QString Caption(const ExpenseCount& count, const DisplayFormats& formats)
{
    if (count.total == 0)
        return QStringLiteral("Expense List");
    return QStringLiteral("%1 [%2/%3] - %4")
        .arg(QStringLiteral("Expenses"))
        .arg(count.purchased)
        .arg(count.total)
        .arg(formats.FormatAmount(count.purchasedSum));
}

} // namespace ExpenseTotals
