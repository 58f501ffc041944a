#pragma once

#include "TravelDataStore.h"
#include "WholeTravel.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

enum class ExportFormat { Html, Text, CheckListCsv, ExpensesCsv, ICalendar };

// "html", "text", "checklist-csv", "expenses-csv", "ics".
std::optional<ExportFormat> ExportFormatNamed(const QString& name);

// The bytes of an export file exactly as they are written: documents for people on
// this computer are UTF-8 without a byte-order mark (the HTML one declares it first)
// on Linux, and in the ANSI code page on Windows; iCalendar is always UTF-8. The
// stamp is the moment of the export, used by iCalendar.
QByteArray RenderExportFile(const WholeTravel& travel, const DisplayFormats& formats,
                            ExportFormat format,
                            const QDateTime& stamp = QDateTime::currentDateTimeUtc());
// The same for a travel of the store, gathered whole first, in the store's formats.
QByteArray RenderExportFile(TravelDataStore& store, const RecordKey& travelKey, ExportFormat format,
                            const QDateTime& stamp = QDateTime::currentDateTimeUtc());
