#include "CsvExport.h"

#include "Escaping.h"
#include "ExpenseTotals.h"

#include <QStringList>

namespace {

const QString crlf = QStringLiteral("\r\n");

QString quotedLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(CsvQuoted(field));
    return quoted.join(QLatin1Char(','));
}

} // namespace

QString RenderCheckListCsv(const QList<CheckListItem>& items)
{
    QString text = QStringLiteral("Check List Item,Check Condition") + crlf;
    for (const CheckListItem& item : items) {
        text += CsvField(item.text) + QLatin1Char(',') +
                (item.checked != 0 ? QStringLiteral("Checked") : QStringLiteral("Not Checked")) +
                crlf;
    }
    return text + crlf;
}

QString RenderExpensesCsv(const QList<ExpenseRecord>& expenses, const DisplayFormats& formats)
{
    const ExpenseCount count = ExpenseTotals::Count(expenses, formats);
    // Where some expense was paid in another currency, its columns follow the old ones,
    // which stay where readers of the file expect them.
    QStringList header{QStringLiteral("Status"),   QStringLiteral("Item"),
                       QStringLiteral("Quantity"), QStringLiteral("Unit"),
                       QStringLiteral("Price"),    QStringLiteral("Total")};
    if (count.anyForeign)
        header << QStringLiteral("Currency") << QStringLiteral("Paid/Unit")
               << QStringLiteral("Paid") << QStringLiteral("Rate") << QStringLiteral("Rate Date");
    QString text = quotedLine(header) + crlf;
    for (const ExpenseRecord& line : expenses) {
        const double shown = ExpenseTotals::ShownTotal(line, formats);
        QStringList fields{line.purchased != 0 ? QStringLiteral("Purchased")
                                               : QStringLiteral("Not Purchased"),
                           line.product,
                           QString::asprintf("%.2f", line.quantity),
                           line.unit,
                           formats.FormatAmount(line.pricePerUnit),
                           formats.FormatAmount(shown)};
        if (count.anyForeign && line.foreign)
            fields << line.foreign->currency << line.foreign->price.toString()
                   << ExpenseTotals::PaidTotal(line, shown, formats).toString()
                   << line.foreign->rate.toString() << line.foreign->rateDate.toString(Qt::ISODate);
        else if (count.anyForeign)
            fields << formats.currencyCode() << QString() << QString() << QString() << QString();
        text += quotedLine(fields) + crlf;
    }
    text += crlf;
    if (count.anyForeign) {
        for (auto it = count.byCurrency.cbegin(); it != count.byCurrency.cend(); ++it)
            text +=
                QStringLiteral(",,,,") +
                quotedLine({ExpenseTotals::SubtotalLabel(it.key()), formats.FormatAmount(it->home),
                            it.key(), QString(), it->paid.toString()}) +
                crlf;
    }
    return text + QStringLiteral(",,,,") + CsvQuoted(QStringLiteral("Grand Total")) +
           QLatin1Char(',') + CsvQuoted(formats.FormatAmount(count.purchasedSum));
}
