#include "ExportFile.h"

#include "CalendarExport.h"
#include "CodePage.h"
#include "CsvExport.h"
#include "HtmlExport.h"
#include "TextExport.h"

namespace {

QByteArray documentBytes(const QString& text)
{
#ifdef Q_OS_WIN
    return CodePage::encode(text);
#else
    return text.toUtf8();
#endif
}

} // namespace

std::optional<ExportFormat> ExportFormatNamed(const QString& name)
{
    static const std::pair<const char*, ExportFormat> names[] = {
        {"html", ExportFormat::Html},
        {"text", ExportFormat::Text},
        {"checklist-csv", ExportFormat::CheckListCsv},
        {"expenses-csv", ExportFormat::ExpensesCsv},
        {"ics", ExportFormat::ICalendar},
    };
    for (const auto& [known, format] : names) {
        if (name == QLatin1String(known))
            return format;
    }
    return std::nullopt;
}

QByteArray RenderExportFile(const WholeTravel& travel, const DisplayFormats& formats,
                            ExportFormat format, const QDateTime& stamp)
{
    switch (format) {
    case ExportFormat::Html: {
#ifdef Q_OS_WIN
        const QString declaration;
#else
        const QString declaration = QStringLiteral("<meta charset=\"utf-8\">");
#endif
        return documentBytes(declaration + RenderTravelHtml(travel, formats));
    }
    case ExportFormat::Text:
        return documentBytes(RenderTravelText(travel, formats));
    case ExportFormat::CheckListCsv:
        return documentBytes(RenderCheckListCsv(travel.checkList));
    case ExportFormat::ExpensesCsv:
        return documentBytes(RenderExpensesCsv(travel.expenses, formats));
    case ExportFormat::ICalendar:
        return RenderTravelCalendar(travel, stamp);
    }
    Q_UNREACHABLE();
}

QByteArray RenderExportFile(TravelDataStore& store, const RecordKey& travelKey, ExportFormat format,
                            const QDateTime& stamp)
{
    return RenderExportFile(GatherTravel(store, travelKey), store.displayFormats(), format, stamp);
}
