#pragma once

#include "Records.h"

#include <QList>
#include <QString>

class TravelDataStore;

// A stage of a travel with its appointments, in file order.
struct StageWithAppointments {
    StageRecord stage;
    QList<AppointmentRecord> appointments;
};

// One travel gathered whole from the store: its record, its stages by date with their
// appointments, its check list and its expenses. Exports, the command-line document and
// the find index read travels through this, so each is read from the store once.
struct WholeTravel {
    TravelRecord travel;
    QList<StageWithAppointments> stages;
    QList<CheckListItem> checkList;
    QList<ExpenseRecord> expenses;
};

WholeTravel GatherTravel(TravelDataStore& store, const RecordKey& travelKey);
