#include "TextExport.h"

#include "ExpenseTotals.h"

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString tab = QStringLiteral("\t");

} // namespace

QString RenderTravelText(const WholeTravel& whole, const DisplayFormats& formats)
{
    const TravelRecord& t = whole.travel;
    const std::pair<const char*, QString> lines[] = {
        {"Title: ", t.title},
        {"From: ", t.from},
        {"Destination: ", t.destination},
        {"Start Date: ", formats.FormatShortDate(t.start)},
        {"End Date: ", formats.FormatShortDate(t.end)},
        {"Mode: ", t.mode},
        {"Type: ", t.type},
        {"Priority: ", t.priority},
        {"Status:\t", t.status},
        {"Ticket No:\t", t.ticketNo},
        {"Seat No: ", t.seatNo},
        {"Notes: ", t.notes},
    };
    QString text;
    for (const auto& [label, value] : lines)
        text += QLatin1String(label) + value + crlf;
    text += crlf;
    return text + RenderCheckListText(whole.checkList) +
           RenderExpensesText(whole.expenses, formats) + RenderStagesText(whole, formats);
}

QString RenderCheckListText(const QList<CheckListItem>& items)
{
    QString text = QStringLiteral("Check List:") + crlf + crlf;
    for (const CheckListItem& item : items) {
        text += tab + item.text;
        if (item.checked != 0)
            text += QStringLiteral("[Done]");
        text += crlf;
    }
    return text + crlf;
}

QString RenderExpensesText(const QList<ExpenseRecord>& expenses, const DisplayFormats& formats)
{
    QString purchased;
    QString notPurchased;
    for (const ExpenseRecord& line : expenses) {
        QString& list = line.purchased != 0 ? purchased : notPurchased;
        list += tab + line.product;
        if (line.foreign)
            list += tab + ExpenseTotals::ForeignNote(line, formats);
        list += crlf;
    }
    const ExpenseCount count = ExpenseTotals::Count(expenses, formats);
    QString subtotals;
    if (count.anyForeign) {
        for (auto it = count.byCurrency.cbegin(); it != count.byCurrency.cend(); ++it)
            subtotals += ExpenseTotals::SubtotalLabel(it.key()) + tab +
                         Currency::Format(it->paid, it.key(), formats.locale()) + tab +
                         formats.FormatAmount(it->home) + crlf;
    }
    return QStringLiteral("Expenses:") + crlf + crlf + QStringLiteral("Purchased:") + crlf +
           purchased + crlf + QStringLiteral("Not Purchased:") + crlf + notPurchased + crlf +
           subtotals + QStringLiteral("Grand Total") + tab +
           formats.FormatAmount(count.purchasedSum) + crlf + crlf;
}

QString RenderStagesText(const WholeTravel& whole, const DisplayFormats& formats)
{
    QString text = QStringLiteral("Stages:") + crlf + crlf;
    for (const StageWithAppointments* part : StagesInStoreOrder(whole)) {
        const StageRecord& stage = part->stage;
        text += stage.title + crlf + formats.FormatShortDate(stage.date) + crlf + stage.place +
                crlf + stage.notes + crlf + crlf;
        text += RenderAppointmentsText(part->appointments, formats);
    }
    return text;
}

QString RenderAppointmentsText(const QList<AppointmentRecord>& appointments,
                               const DisplayFormats& formats)
{
    QString text = QStringLiteral("Appointments:") + crlf + crlf;
    for (const AppointmentRecord& appointment : appointments) {
        text += tab + appointment.subject + crlf + QStringLiteral("\t\t") +
                formats.FormatShortDate(appointment.when) + QStringLiteral("  ") +
                formats.FormatShortTime(appointment.when) + tab + appointment.location + crlf +
                crlf;
    }
    return text;
}
