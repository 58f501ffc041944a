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

// Writes the picture categories of a new travel: the store's category map holds these
// alone, each with its links under the category's number.
Outcome addPictures(TravelDataStore& store, const RecordKey& travelKey,
                    const QList<StoredImageCategory>& pictures)
{
    ImageLinkMap links;
    store.LoadCategories(travelKey, nullptr, links);
    for (const int number : store.Categories().keys())
        store.RemoveCategory(number);
    links.clear();
    for (const StoredImageCategory& category : pictures) {
        const int number = store.AddCategory(category.category);
        for (qsizetype i = 0; i < category.links.size(); ++i)
            links.insert(LinkKey(number) * LinksPerCategory + i, category.links[i]);
    }
    return store.SaveCategories(travelKey, links);
}

Outcome addOwnedRecords(TravelDataStore& store, const RecordKey& travelKey,
                        const QList<StageRecord>& stages,
                        const QList<QList<AppointmentRecord>>& appointments,
                        const QList<CheckListItem>& checkList, const QList<ExpenseRecord>& expenses,
                        const QList<StoredImageCategory>& pictures)
{
    QList<TravelDataStore::NewStage> newStages;
    for (qsizetype i = 0; i < stages.size(); ++i) {
        newStages.append({stages[i], appointments[i]});
        newStages.back().stage.travelKey = travelKey;
    }
    for (const KeyOutcome& added : store.AddStages(std::move(newStages))) {
        if (!added.ok())
            return added.outcome;
    }
    if (!checkList.isEmpty()) {
        Outcome saved =
            store.SaveCheckList(travelKey, checkList, TravelDataStore::CheckedValues::AsGiven);
        if (!saved.ok())
            return saved;
    }
    if (!expenses.isEmpty()) {
        if (Outcome saved = store.SaveExpenses(travelKey, expenses); !saved.ok())
            return saved;
    }
    if (!pictures.isEmpty())
        return addPictures(store, travelKey, pictures);
    return {};
}

} // namespace

QJsonObject TravelDocument(const WholeTravel& whole, const DisplayFormats& formats)
{
    QJsonObject document = RecordJson::toJson(whole.travel);
    QJsonArray stages;
    for (const StageWithAppointments& part : whole.stages) {
        QJsonObject stage = RecordJson::toJson(part.stage);
        stage.insert(QStringLiteral("appointments"), arrayOf(part.appointments));
        stages.append(stage);
    }
    document.insert(QStringLiteral("stages"), stages);
    document.insert(QStringLiteral("checklist"), arrayOf(whole.checkList));
    document.insert(QStringLiteral("expenses"), arrayOf(whole.expenses));
    document.insert(QStringLiteral("pictures"), arrayOf(whole.pictures));
    document.insert(QStringLiteral("checklistCaption"), CheckListCaption(whole.checkList));
    document.insert(QStringLiteral("expensesCaption"), ExpensesCaption(whole.expenses, formats));
    return document;
}

ImportResult ImportTravelDocument(TravelDataStore& store, const QJsonObject& document)
{
    ImportResult result;
    TravelRecord travel;
    QList<StageRecord> stages;
    QList<CheckListItem> checkList;
    QList<ExpenseRecord> expenses;
    QList<StoredImageCategory> pictures;
    if (!RecordJson::fromJson(document, travel, &result.badInput) ||
        !readArray(document, QStringLiteral("stages"), stages, &result.badInput) ||
        !readArray(document, QStringLiteral("checklist"), checkList, &result.badInput) ||
        !readArray(document, QStringLiteral("expenses"), expenses, &result.badInput) ||
        !readArray(document, QStringLiteral("pictures"), pictures, &result.badInput))
        return result;
    for (qsizetype i = 0; i < expenses.size(); ++i) {
        if (!CurrencySide::Agrees(expenses[i], store.HomeCurrency())) {
            result.badInput = QStringLiteral("expenses[%1]: \"pricePerUnit\" must be "
                                             "\"foreignPrice\" times \"rate\" in %2")
                                  .arg(i)
                                  .arg(store.HomeCurrency());
            return result;
        }
    }
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
    result.outcome =
        addOwnedRecords(store, added.key, stages, appointments, checkList, expenses, pictures);
    if (result.outcome.ok())
        result.key = added.key;
    else
        (void)store.DeleteTravel(added.key); // no half-imported travel stays behind
    return result;
}
