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

Decimal PaidTotal(const ExpenseRecord& line, double shownTotal, const DisplayFormats& formats)
{
    if (line.foreign)
        return Currency::LineAmount(line.quantity, line.foreign->price, line.foreign->currency)
            .value_or(Decimal());
    return Decimal::fromDouble(shownTotal, formats.CurrencyDigits()).value_or(Decimal());
}

void AddToSubtotal(ExpenseCount& count, const ExpenseRecord& line, double shownTotal,
                   const DisplayFormats& formats)
{
    CurrencySubtotal& subtotal =
        count.byCurrency[line.foreign ? line.foreign->currency : formats.currencyCode()];
    subtotal.home = formats.RoundAmount(subtotal.home + shownTotal);
    subtotal.paid =
        subtotal.paid.plus(PaidTotal(line, shownTotal, formats)).value_or(subtotal.paid);
}

QString SubtotalLabel(const QString& code)
{
    return QStringLiteral("Paid in %1").arg(code);
}

QString ForeignNote(const ExpenseRecord& line, const DisplayFormats& formats)
{
    if (!line.foreign)
        return {};
    const ForeignPrice& foreign = *line.foreign;
    return QStringLiteral("%1 at %2 (%3)")
        .arg(Currency::Format(foreign.price, foreign.currency, formats.locale()),
             foreign.rate.toString(),
             formats.locale().toString(foreign.rateDate, QLocale::ShortFormat));
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
