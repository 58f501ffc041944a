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
    QString text =
        quotedLine({QStringLiteral("Status"), QStringLiteral("Item"), QStringLiteral("Quantity"),
                    QStringLiteral("Unit"), QStringLiteral("Price"), QStringLiteral("Total")}) +
        crlf;
    for (const ExpenseRecord& line : expenses) {
        text += quotedLine({line.purchased != 0 ? QStringLiteral("Purchased")
                                                : QStringLiteral("Not Purchased"),
                            line.product, QString::asprintf("%.2f", line.quantity), line.unit,
                            formats.FormatAmount(line.pricePerUnit),
                            formats.FormatAmount(ExpenseTotals::ShownTotal(line, formats))}) +
                crlf;
    }
    const double sum = ExpenseTotals::Count(expenses, formats).purchasedSum;
    return text + crlf + QStringLiteral(",,,,") + CsvQuoted(QStringLiteral("Grand Total")) +
           QLatin1Char(',') + CsvQuoted(formats.FormatAmount(sum));
}
