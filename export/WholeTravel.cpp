#include "WholeTravel.h"

#include "CheckListTotals.h"
#include "ChronologicalOrder.h"
#include "ExpenseTotals.h"
#include "TravelDataStore.h"

#include <algorithm>
#include <numeric>

WholeTravel GatherTravel(TravelDataStore& store, const RecordKey& travelKey)
{
    WholeTravel whole;
    whole.travel = store.GetTravel(travelKey);
    whole.travel.key = travelKey;
    // Read in the store's order, then put by date exactly as the store's StagesOf does.
    for (const RecordKey& stageKey : store.StagesOfUnsorted(travelKey))
        whole.stages.append({store.GetStage(stageKey), store.LoadAppointments(stageKey)});
    QList<qsizetype> byDate(whole.stages.size());
    std::iota(byDate.begin(), byDate.end(), 0);
    SortChronologically(
        byDate, [&](qsizetype i) -> const DateTimeValue& { return whole.stages[i].stage.date; });
    QList<StageWithAppointments> sorted;
    sorted.reserve(whole.stages.size());
    whole.storeOrder.resize(whole.stages.size());
    for (qsizetype position = 0; position < byDate.size(); ++position) {
        sorted.append(std::move(whole.stages[byDate[position]]));
        whole.storeOrder[byDate[position]] = position;
    }
    whole.stages = std::move(sorted);
    whole.checkList = store.LoadCheckList(travelKey);
    whole.expenses = store.LoadExpenses(travelKey);
    return whole;
}

QList<StoredImageCategory> GatherPictures(TravelDataStore& store, const RecordKey& travelKey)
{
    ImageLinkMap links;
    store.LoadCategories(travelKey, nullptr, links);
    QList<StoredImageCategory> pictures;
    const QMap<int, ImageCategory> categories = store.Categories();
    for (auto it = categories.cbegin(); it != categories.cend(); ++it) {
        StoredImageCategory category{it.value(), {}};
        for (LinkKey key : CategoryLinkKeys(links, it.key()))
            category.links.append(links.value(key));
        pictures.append(std::move(category));
    }
    return pictures;
}

QList<const StageWithAppointments*> StagesInStoreOrder(const WholeTravel& whole)
{
    QList<const StageWithAppointments*> stages;
    stages.reserve(whole.stages.size());
    const bool given = whole.storeOrder.size() == whole.stages.size();
    for (qsizetype i = 0; i < whole.stages.size(); ++i)
        stages.append(&whole.stages[given ? whole.storeOrder[i] : i]);
    return stages;
}

QString CheckListCaption(const QList<CheckListItem>& items)
{
    return CheckListTotals::Caption(CheckListTotals::Count(items));
}

QString ExpensesCaption(const QList<ExpenseRecord>& expenses, const DisplayFormats& formats)
{
    return ExpenseTotals::Caption(ExpenseTotals::Count(expenses, formats), formats);
}
