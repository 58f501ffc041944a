#include "HtmlExport.h"

#include "Escaping.h"
#include "ExpenseTotals.h"

namespace {

const char travelBanner[] =
    R"(<table border="0" cellpadding="0" cellspacing="0" style="border-collapse: collapse" )"
    R"(width="100%" bgcolor="#99CCFF"><tr><td width="100%"><p align="center"><b>)";
const char travelBannerEnd[] = "</b></td></tr></table><p><b>&nbsp;";
const char dash[] = " - ";
const char lineBreak[] = "</b></p><p><b>&nbsp;";
const char modeLabel[] = R"(</b></p><p><b><font color="#0099FF"> &nbsp;Mode of Travel </font>: )";
const char ticketLabel[] = R"(</b></p><p><b><font color="#0099FF"> &nbsp;Ticket No</font> : )";
const char seatLabel[] = R"(</b></p><p><b><font color="#0099FF"> &nbsp;Seat No</font> : )";
const char typeLabel[] = R"(</b></p><p><b><font color="#0099FF"> &nbsp;Type</font> : )";
const char priorityLabel[] = R"(</b></p><p><b><font color="#0099FF"> &nbsp;Priority</font> : )";
const char statusLabel[] = R"(</b></p><p><b><font color="#0099FF"> &nbsp;Status</font> : )";
const char notesOpening[] = "</b></p><p><b>&nbsp;&nbsp;&nbsp;&nbsp;";
const char notesEnd[] = "</b></p>";
const char sectionBanner[] =
    R"(<table border="0" cellpadding="0" cellspacing="0" width="100%" bgcolor="#99CCFF"><tr>)"
    R"(<td width="100%"><p align="center"><b><font color="#0000FF">)";
const char stageBanner[] =
    R"(<table border="0" cellpadding="0" cellspacing="0" width="100%" bgcolor="#D8D8D8"><tr>)"
    R"(<td width="100%"><p align="center"><b><font color="#0000FF">)";
const char bannerEnd[] = "</font></b></td></tr></table>";
const char expenseTableHead[] =
    R"(<table border="1" cellpadding="0" cellspacing="0" style="border-collapse: collapse" )"
    R"(bordercolor="#003399" width="100%" id="AutoNumber2"><tr><td width="30%" align="center" )"
    R"(bgcolor="#31699C"><b><font color="#FFFFFF" size="2">Item</font></b></td><td width="30%" )"
    R"(align="center" bgcolor="#31699C"><b><font color="#FFFFFF" size="2">Detail</font></b></td>)"
    R"(<td width="30%" align="center" bgcolor="#31699C"><b><font color="#FFFFFF" size="2">Total)"
    R"(</font></b></td></tr>)";
const char expenseRowStart[] = R"(<tr><td width="33%"><b><font size="2">&nbsp;)";
const char expenseSecondCell[] = R"(</font></b></td><td width="33%"><b><font size="2">&nbsp;)";
const char expenseThirdCell[] =
    R"(</font></b></td><td width="34%"><b><p font size="2" align="right">)";
const char expenseRowEnd[] = "</p></font></b></td></tr>";
const char grandTotalStart[] =
    R"(</table><p align="right"><b><font size="2"><br>Grand Total : <font color="#000099">)";
const char grandTotalEnd[] = "</font><br>(for purchased items only)</font></b></p>";

// Builds a text from fixed fragments and escaped record texts.
class Html {
public:
    Html& operator<<(const char* fragment)
    {
        m_text += QLatin1String(fragment);
        return *this;
    }
    // Record texts and formatted values: escaped.
    Html& operator<<(const QString& text)
    {
        m_text += HtmlEscape(text);
        return *this;
    }
    QString take() { return std::move(m_text); }

private:
    QString m_text;
};

} // namespace

QString RenderTravelHtml(const WholeTravel& whole, const DisplayFormats& formats)
{
    const TravelRecord& travel = whole.travel;
    Html html;
    html << travelBanner << travel.title << travelBannerEnd;
    html << formats.FormatShortDate(travel.start) << dash << formats.FormatShortDate(travel.end)
         << lineBreak;
    html << travel.from << dash << travel.destination;
    html << modeLabel << travel.mode;
    html << ticketLabel << travel.ticketNo;
    html << seatLabel << travel.seatNo;
    html << typeLabel << travel.type;
    html << priorityLabel << travel.priority;
    html << statusLabel << travel.status;
    html << notesOpening << travel.notes << notesEnd;
    return html.take() + RenderCheckListHtml(whole.checkList) +
           RenderExpensesHtml(whole.expenses, formats) + RenderStagesHtml(whole, formats);
}

QString RenderCheckListHtml(const QList<CheckListItem>& items)
{
    Html html;
    html << sectionBanner << "Check List" << bannerEnd << R"(<ul TYPE = "Disc">)";
    for (const CheckListItem& item : items) {
        const bool done = item.checked != 0;
        html << "<li>";
        if (done)
            html << "<strike>";
        html << item.text;
        if (done)
            html << "</strike>";
    }
    html << "</ul>";
    return html.take();
}

QString RenderExpensesHtml(const QList<ExpenseRecord>& expenses, const DisplayFormats& formats)
{
    Html html;
    html << sectionBanner << "Expenses" << bannerEnd << "<br>" << expenseTableHead;
    for (const ExpenseRecord& line : expenses) {
        const bool purchased = line.purchased != 0;
        html << expenseRowStart;
        if (purchased)
            html << "<strike>";
        html << line.product;
        if (purchased)
            html << "</strike>";
        if (line.foreign)
            html << "<br>" << ExpenseTotals::ForeignNote(line, formats);
        html << expenseSecondCell << QString::asprintf("%.2f", line.quantity) << expenseThirdCell
             << formats.FormatAmount(ExpenseTotals::ShownTotal(line, formats)) << expenseRowEnd;
    }
    const ExpenseCount count = ExpenseTotals::Count(expenses, formats);
    if (count.anyForeign) {
        for (auto it = count.byCurrency.cbegin(); it != count.byCurrency.cend(); ++it)
            html << expenseRowStart << ExpenseTotals::SubtotalLabel(it.key()) << expenseSecondCell
                 << Currency::Format(it->paid, it.key(), formats.locale()) << expenseThirdCell
                 << formats.FormatAmount(it->home) << expenseRowEnd;
    }
    html << grandTotalStart << formats.FormatAmount(count.purchasedSum) << grandTotalEnd;
    return html.take();
}

QString RenderStagesHtml(const WholeTravel& whole, const DisplayFormats& formats)
{
    Html html;
    html << sectionBanner << "Stages" << bannerEnd << "<br>";
    QString text = html.take();
    for (const StageWithAppointments* part : StagesInStoreOrder(whole)) {
        const StageRecord& stage = part->stage;
        Html piece;
        piece << stageBanner << stage.title << bannerEnd << formats.FormatShortDate(stage.date)
              << "   " << stage.place << "<br>" << stage.notes << "</p>";
        text += piece.take() + RenderAppointmentsHtml(part->appointments, formats);
    }
    return text;
}

QString RenderAppointmentsHtml(const QList<AppointmentRecord>& appointments,
                               const DisplayFormats& formats)
{
    Html html;
    html << R"(<ul TYPE = "Square">)";
    for (const AppointmentRecord& appointment : appointments) {
        html << "<li>"
             << R"(<font Color = "#7f007f">)" << appointment.subject << "</font>"
             << "<br>" << formats.FormatShortDate(appointment.when) << "  "
             << formats.FormatShortTime(appointment.when) << " at " << appointment.location
             << "<br>" << appointment.notes << "<br>";
    }
    html << "</ul>";
    return html.take();
}
