#include "PdfPages.h"

#include "ItineraryPdf.h"
#include "PrintedList.h"
#include "TravelDataStore.h"
#include "WholeTravel.h"

#include <QBuffer>

namespace {

QPageSize pageSizeOf(CliPageSize size, const QPageSize& otherwise)
{
    switch (size) {
    case CliPageSize::A4:
        return QPageSize(QPageSize::A4);
    case CliPageSize::Letter:
        return QPageSize(QPageSize::Letter);
    case CliPageSize::Default:
        break;
    }
    return otherwise;
}

} // namespace

bool PdfPages::itinerary(TravelDataStore& store, const RecordKey& travel, CliPageSize size,
                         QByteArray& pdf, QString* error) const
{
    const DisplayFormats& formats = store.displayFormats();
    pdf.clear();
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    return ItineraryPdf::Write(GatherTravel(store, travel), formats,
                               pageSizeOf(size, ItineraryPdf::DefaultPageSize(formats.locale())),
                               buffer, error);
}

bool PdfPages::list(TravelDataStore& store, PrintedList list, const RecordKey& key, QDate month,
                    CliPageSize size, QByteArray& pdf, QString* error) const
{
    const FilledList filled = FillList(store, list, key, month);
    return WriteListPdf(filled.source(), pageSizeOf(size, QPageSize(QPageSize::A4)), pdf, error);
}
