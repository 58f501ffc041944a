#include "TextExport.h"

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString tab = QStringLiteral("\t");

} // namespace

QString RenderTravelText(TravelDataStore& store, const RecordKey& travelKey)
{
    const DisplayFormats& formats = store.displayFormats();
    const TravelRecord t = store.GetTravel(travelKey);
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
    return text + RenderCheckListText(store, travelKey) + RenderExpensesText(store, travelKey) +
           RenderStagesText(store, travelKey);
}

QString RenderCheckListText(TravelDataStore& store, const RecordKey& travelKey)
{
    QString text = QStringLiteral("Check List:") + crlf + crlf;
    for (const CheckListItem& item : store.LoadCheckList(travelKey)) {
        text += tab + item.text;
        if (item.checked != 0)
            text += QStringLiteral("[Done]");
        text += crlf;
    }
    return text + crlf;
}

QString RenderExpensesText(TravelDataStore& store, const RecordKey& travelKey)
{
    QString purchased;
    QString notPurchased;
    double sum = 0.0;
    for (const ExpenseRecord& line : store.LoadExpenses(travelKey)) {
        if (line.purchased != 0) {
            purchased += tab + line.product + crlf;
            sum += line.total;
        } else {
            notPurchased += tab + line.product + crlf;
        }
    }
    return QStringLiteral("Expenses:") + crlf + crlf + QStringLiteral("Purchased:") + crlf +
           purchased + crlf + QStringLiteral("Not Purchased:") + crlf + notPurchased + crlf +
           QStringLiteral("Grand Total") + tab + store.displayFormats().FormatAmount(sum) + crlf +
           crlf;
}

QString RenderStagesText(TravelDataStore& store, const RecordKey& travelKey)
{
    QString text = QStringLiteral("Stages:") + crlf + crlf;
    for (const RecordKey& key : store.StagesOfUnsorted(travelKey)) {
        const StageRecord stage = store.GetStage(key);
        text += stage.title + crlf + store.displayFormats().FormatShortDate(stage.date) + crlf +
                stage.place + crlf + stage.notes + crlf + crlf;
        text += RenderAppointmentsText(store, key);
    }
    return text;
}

QString RenderAppointmentsText(TravelDataStore& store, const RecordKey& stageKey)
{
    const DisplayFormats& formats = store.displayFormats();
    QString text = QStringLiteral("Appointments:") + crlf + crlf;
    for (const AppointmentRecord& appointment : store.LoadAppointments(stageKey)) {
        text += tab + appointment.subject + crlf + QStringLiteral("\t\t") +
                formats.FormatShortDate(appointment.when) + QStringLiteral("  ") +
                formats.FormatShortTime(appointment.when) + tab + appointment.location + crlf +
                crlf;
    }
    return text;
}
