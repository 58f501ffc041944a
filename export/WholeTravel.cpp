#include "WholeTravel.h"

#include "TravelDataStore.h"

WholeTravel GatherTravel(TravelDataStore& store, const RecordKey& travelKey)
{
    WholeTravel whole;
    whole.travel = store.GetTravel(travelKey);
    for (const RecordKey& stageKey : store.StagesOf(travelKey))
        whole.stages.append({store.GetStage(stageKey), store.LoadAppointments(stageKey)});
    whole.checkList = store.LoadCheckList(travelKey);
    whole.expenses = store.LoadExpenses(travelKey);
    return whole;
}
