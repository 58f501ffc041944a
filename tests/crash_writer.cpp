// Saves the two versions of every crash record in turn, for ever, until it is killed.
//   crash_writer WORKING_DIRECTORY

#include "CrashRecords.h"
#include "TravelDataStore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    TravelDataStore store;
    store.setWorkingDirectory(QString::fromLocal8Bit(argv[1]));
    std::fputs("writing\n", stdout);
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        const int version = round % 2;
        using namespace CrashRecords;
        const bool ok = store.SaveTravel(travel(version)).ok() &&
                        store.SaveStage(stage(version)).ok() &&
                        store.SaveAppointments(stageKey, appointments(version)).ok() &&
                        store.SaveCheckList(travelKey, checkList(version)).ok() &&
                        store.SaveExpenses(travelKey, expenses(version)).ok() &&
                        store.WritePreferenceList(preferences(version), 1).ok();
        if (!ok)
            return 1;
    }
}
