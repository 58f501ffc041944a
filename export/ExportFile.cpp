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

QByteArray RenderExportFile(TravelDataStore& store, const RecordKey& travelKey, ExportFormat format,
                            const QDateTime& stamp)
{
    switch (format) {
    case ExportFormat::Html: {
#ifdef Q_OS_WIN
        const QString declaration;
#else
        const QString declaration = QStringLiteral("<meta charset=\"utf-8\">");
#endif
        return documentBytes(declaration + RenderTravelHtml(store, travelKey));
    }
    case ExportFormat::Text:
        return documentBytes(RenderTravelText(store, travelKey));
    case ExportFormat::CheckListCsv:
        return documentBytes(RenderCheckListCsv(store, travelKey));
    case ExportFormat::ExpensesCsv:
        return documentBytes(RenderExpensesCsv(store, travelKey));
    case ExportFormat::ICalendar:
        return RenderTravelCalendar(store, travelKey, stamp);
    }
    Q_UNREACHABLE();
}
