#pragma once

#include "DisplayFormats.h"

#include <QPageSize>
#include <QString>

#include <memory>

class QIODevice;
class QTextDocument;
struct WholeTravel;

// A whole travel as a paged itinerary: its details, its stages day by day with their
// appointments, its check list with tick boxes and its expenses with the grand total of
// the purchased ones; the travel's title at the top of every page and "Page N of M" at
// the bottom. A stage or an appointment that fits on a page is never split between two.
namespace ItineraryPdf {

// A4, or Letter where the locale's country uses it.
QPageSize DefaultPageSize(const QLocale& locale);

// The itinerary as a text document; each stage is a frame of its own.
std::unique_ptr<QTextDocument> BuildDocument(const WholeTravel& travel,
                                             const DisplayFormats& formats);

// Writes the PDF to a device; false, with the reason, when it could not be written.
bool Write(const WholeTravel& travel, const DisplayFormats& formats, const QPageSize& pageSize,
           QIODevice& output, QString* error = nullptr);

} // namespace ItineraryPdf
