#pragma once

#include "DisplayFormats.h"
#include "ImageRecords.h"
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
    // Indexes into `stages` in the order the store keeps them, which the HTML and text
    // exports list stages in; empty means the same order as `stages`.
    QList<qsizetype> storeOrder;
    QList<CheckListItem> checkList;
    QList<ExpenseRecord> expenses;
    // The picture categories with their links, in file order; only GatherPictures
    // reads them.
    QList<StoredImageCategory> pictures;
};

// The travel's record carries the key asked for, also when the store holds no such
// travel (its texts are empty then).
WholeTravel GatherTravel(TravelDataStore& store, const RecordKey& travelKey);

// The travel's picture categories with their links. Read through the store's category
// map, which it replaces: for callers that show no travel's pictures themselves.
QList<StoredImageCategory> GatherPictures(TravelDataStore& store, const RecordKey& travelKey);

// The stages in the order the store keeps them.
QList<const StageWithAppointments*> StagesInStoreOrder(const WholeTravel& whole);

// The captions the travel tree gives the lists: "Check List [checked/total]" and
// "Expenses [purchased/total] - " with the sum of the purchased totals, or "Check List"
// and "Expense List" while a list is empty.
QString CheckListCaption(const QList<CheckListItem>& items);
QString ExpensesCaption(const QList<ExpenseRecord>& expenses, const DisplayFormats& formats);
