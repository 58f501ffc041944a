#include "TravelDocument.h"

#include "RecordJson.h"

#include <QJsonArray>

namespace {

template <typename T> QJsonArray arrayOf(const QList<T>& records)
{
    QJsonArray array;
    for (const T& record : records)
        array.append(RecordJson::toJson(record));
    return array;
}

// Reads the array member `name` of objects into records; absent means empty.
template <typename T>
bool readArray(const QJsonObject& object, const QString& name, QList<T>& records, QString* error)
{
    const QJsonValue value = object.value(name);
    if (value.isUndefined())
        return true;
    if (!value.isArray()) {
        *error = QStringLiteral("\"%1\" must be an array").arg(name);
        return false;
    }
    const QJsonArray array = value.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        T record;
        QString inner;
        if (!array.at(i).isObject())
            inner = QStringLiteral("must be an object");
        else
            RecordJson::fromJson(array.at(i).toObject(), record, &inner);
        if (!inner.isEmpty()) {
            *error = QStringLiteral("%1[%2]: %3").arg(name).arg(i).arg(inner);
            return false;
        }
        records.append(std::move(record));
    }
    return true;
}

Outcome addOwnedRecords(TravelDataStore& store, const RecordKey& travelKey,
                        const QList<StageRecord>& stages,
                        const QList<QList<AppointmentRecord>>& appointments,
                        const QList<CheckListItem>& checkList, const QList<ExpenseRecord>& expenses)
{
    for (qsizetype i = 0; i < stages.size(); ++i) {
        StageRecord stage = stages[i];
        stage.travelKey = travelKey;
        const KeyOutcome added = store.AddStage(stage);
        if (!added.ok())
            return added.outcome;
        if (!appointments[i].isEmpty()) {
            if (Outcome saved = store.SaveAppointments(added.key, appointments[i]); !saved.ok())
                return saved;
        }
    }
    if (!checkList.isEmpty()) {
        Outcome saved =
            store.SaveCheckList(travelKey, checkList, TravelDataStore::CheckedValues::AsGiven);
        if (!saved.ok())
            return saved;
    }
    if (!expenses.isEmpty())
        return store.SaveExpenses(travelKey, expenses);
    return {};
}

} // namespace

QJsonObject TravelDocument(TravelDataStore& store, const RecordKey& travelKey)
{
    QJsonObject document = RecordJson::toJson(store.GetTravel(travelKey));
    QJsonArray stages;
    for (const RecordKey& key : store.StagesOf(travelKey)) {
        QJsonObject stage = RecordJson::toJson(store.GetStage(key));
        stage.insert(QStringLiteral("appointments"), arrayOf(store.LoadAppointments(key)));
        stages.append(stage);
    }
    document.insert(QStringLiteral("stages"), stages);
    document.insert(QStringLiteral("checklist"), arrayOf(store.LoadCheckList(travelKey)));
    document.insert(QStringLiteral("expenses"), arrayOf(store.LoadExpenses(travelKey)));
    document.insert(QStringLiteral("checklistCaption"), store.CheckListCaption(travelKey));
    document.insert(QStringLiteral("expensesCaption"), store.ExpensesCaption(travelKey));
    return document;
}

ImportResult ImportTravelDocument(TravelDataStore& store, const QJsonObject& document)
{
    ImportResult result;
    TravelRecord travel;
    QList<StageRecord> stages;
    QList<CheckListItem> checkList;
    QList<ExpenseRecord> expenses;
    if (!RecordJson::fromJson(document, travel, &result.badInput) ||
        !readArray(document, QStringLiteral("stages"), stages, &result.badInput) ||
        !readArray(document, QStringLiteral("checklist"), checkList, &result.badInput) ||
        !readArray(document, QStringLiteral("expenses"), expenses, &result.badInput))
        return result;
    QList<QList<AppointmentRecord>> appointments;
    const QJsonArray stageObjects = document.value(QStringLiteral("stages")).toArray();
    for (qsizetype i = 0; i < stages.size(); ++i) {
        QList<AppointmentRecord> ofStage;
        QString inner;
        if (!readArray(stageObjects.at(i).toObject(), QStringLiteral("appointments"), ofStage,
                       &inner)) {
            result.badInput = QStringLiteral("stages[%1]: %2").arg(i).arg(inner);
            return result;
        }
        appointments.append(ofStage);
    }

    const KeyOutcome added = store.AddTravel(travel);
    result.outcome = added.outcome;
    if (!added.ok())
        return result;
    result.outcome = addOwnedRecords(store, added.key, stages, appointments, checkList, expenses);
    if (result.outcome.ok())
        result.key = added.key;
    else
        (void)store.DeleteTravel(added.key); // no half-imported travel stays behind
    return result;
}
