// One of several processes that work on one data folder at once, for tst_sharedfolder:
//   folder_worker WORKING_DIRECTORY NAME ROUNDS
// Prints "ready", waits for a line on standard input, then adds, copies and deletes
// travels of its own (every travel with two stages and a check list, all named after
// the travel) on a clock that stands still at the same second in every worker, so that
// the workers want the same keys all the time. Prints the travels it leaves, one
// "key<TAB>title" line each, and exits 0 when every operation succeeded.

#include "TravelDataStore.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

bool addTravel(TravelDataStore& store, const QString& title, QList<QPair<QString, QString>>& alive)
{
    TravelRecord travel(DateTimeValue::fromDate(QDate(2006, 3, 10), QTime(9, 0)));
    travel.title = title;
    const KeyOutcome added = store.AddTravel(travel);
    if (!added.ok())
        return false;
    for (const char* suffix : {" a", " b"}) {
        StageRecord stage(DateTimeValue::fromDate(QDate(2006, 3, 11), QTime(9, 0)));
        stage.travelKey = added.key;
        stage.title = title + QLatin1String(suffix);
        if (!store.AddStage(stage).ok())
            return false;
    }
    if (!store.SaveCheckList(added.key, {CheckListItem{title, 0}}).ok())
        return false;
    alive.append({added.key, title});
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QString name = QString::fromLocal8Bit(argv[2]);
    const int rounds = std::atoi(argv[3]);
    TravelDataStore store;
    store.setWorkingDirectory(QString::fromLocal8Bit(argv[1]));
    store.setClock([] { return QDateTime(QDate(2006, 3, 5), QTime(9, 1, 21)); });
    if (!store.Refresh().ok())
        return 1;
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 1;

    QList<QPair<QString, QString>> alive;
    for (int round = 0; round < rounds; ++round) {
        if (!addTravel(store, QStringLiteral("%1 %2").arg(name).arg(round), alive))
            return 1;
        if (round % 3 == 2) {
            const auto& original = alive.at(alive.size() / 2);
            const KeyOutcome copied = store.CopyTravel(original.first);
            if (!copied.ok())
                return 1;
            alive.append({copied.key, original.second});
        }
        if (round % 4 == 3) {
            if (!store.DeleteTravel(alive.takeAt(alive.size() / 3).first).ok())
                return 1;
        }
    }
    QTextStream out(stdout);
    for (const auto& [key, title] : alive)
        out << key << '\t' << title << '\n';
    return 0;
}
