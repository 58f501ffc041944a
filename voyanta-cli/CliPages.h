#pragma once

#include "RecordKey.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

class TravelDataStore;

// The lists the window prints, by the names voyanta-cli gives them: "travels" (of a
// month), "details", "checklist", "expenses" and "stages" (of a travel), "stage" (the
// details and appointments of a stage).
enum class PrintedList { Travels, Details, CheckList, Expenses, Stages, Stage };

std::optional<PrintedList> PrintedListNamed(const QString& name);

// The page sizes --page-size offers; Default is the locale's for an itinerary and A4 for
// a list, as the window has them.
enum class CliPageSize { Default, A4, Letter };

// Makes the pages of print and export --format pdf. It needs QtGui, which takes longer to
// load than everything else voyanta-cli does for most commands, so only the program that
// makes pages links it.
class CliPages {
public:
    virtual ~CliPages() = default;

    // False, with the reason, when the document could not be made.
    virtual bool itinerary(TravelDataStore& store, const RecordKey& travel, CliPageSize size,
                           QByteArray& pdf, QString* error) const = 0;
    // `key` is the travel's, or the stage's for PrintedList::Stage; `month` serves
    // PrintedList::Travels.
    virtual bool list(TravelDataStore& store, PrintedList list, const RecordKey& key, QDate month,
                      CliPageSize size, QByteArray& pdf, QString* error) const = 0;
};
