#pragma once

#include "TravelDataStore.h"

#include <QString>

// One travel as a run of HTML fragments: the travel, its check list, its expenses and
// its stages with their appointments. Record texts are escaped; lists are read afresh
// from their files; stages come in the store's order.
QString RenderTravelHtml(TravelDataStore& store, const RecordKey& travelKey);
QString RenderCheckListHtml(TravelDataStore& store, const RecordKey& travelKey);
QString RenderExpensesHtml(TravelDataStore& store, const RecordKey& travelKey);
QString RenderStagesHtml(TravelDataStore& store, const RecordKey& travelKey);
QString RenderAppointmentsHtml(TravelDataStore& store, const RecordKey& stageKey);
