#pragma once

#include "TravelDataStore.h"

#include <QString>

// One travel as plain text with labels, tabs and CRLF line ends: the travel, its
// check list, its expenses and its stages with their appointments.
QString RenderTravelText(TravelDataStore& store, const RecordKey& travelKey);
QString RenderCheckListText(TravelDataStore& store, const RecordKey& travelKey);
QString RenderExpensesText(TravelDataStore& store, const RecordKey& travelKey);
QString RenderStagesText(TravelDataStore& store, const RecordKey& travelKey);
QString RenderAppointmentsText(TravelDataStore& store, const RecordKey& stageKey);
