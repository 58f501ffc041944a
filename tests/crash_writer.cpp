// Saves the two versions of every crash record in turn, for ever, until it is killed.
//   crash_writer WORKING_DIRECTORY
// Prints "writing" before the first save and one line after each save, so that the
// test can kill it at a chosen save, however fast the disk is.

#include "CrashRecords.h"
#include "TravelDataStore.h"

#include <QCoreApplication>

#include <cstdio>
#include <functional>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    TravelDataStore store;
    store.setWorkingDirectory(QString::fromLocal8Bit(argv[1]));
    using namespace CrashRecords;
    const std::function<Outcome(int)> saves[] = {
        [&](int v) { return store.SaveTravel(travel(v)); },
        [&](int v) { return store.SaveStage(stage(v)); },
        [&](int v) { return store.SaveAppointments(stageKey, appointments(v)); },
        [&](int v) { return store.SaveCheckList(travelKey, checkList(v)); },
        [&](int v) { return store.SaveExpenses(travelKey, expenses(v)); },
        [&](int v) { return store.WritePreferenceList(preferences(v), 1); },
    };
    std::fputs("writing\n", stdout);
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        for (const auto& save : saves) {
            if (!save(round % 2).ok())
                return 1;
            std::fputs("saved\n", stdout);
            std::fflush(stdout);
        }
    }
}
