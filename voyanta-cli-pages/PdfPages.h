#pragma once

#include "CliPages.h"

// The itinerary as the window exports it and the lists as the window prints them, as
// PDF documents.
class PdfPages final : public CliPages {
public:
    bool itinerary(TravelDataStore& store, const RecordKey& travel, CliPageSize size,
                   QByteArray& pdf, QString* error) const override;
    bool list(TravelDataStore& store, PrintedList list, const RecordKey& key, QDate month,
              CliPageSize size, QByteArray& pdf, QString* error) const override;
};
