#pragma once

#include "TravelDataStore.h"

#include <QString>

// A travel's check list as CSV: a header line, one line per entry, an empty line.
QString RenderCheckListCsv(TravelDataStore& store, const RecordKey& travelKey);

// A travel's expenses as CSV, every field quoted, closed by the grand total of the
// purchased lines (with no line break after it).
QString RenderExpensesCsv(TravelDataStore& store, const RecordKey& travelKey);
