// Measurements of the store on large data folders, run by hand:
//   voyanta-bench [TRAVELS]        (default 10000)
// Every figure is printed with the baseline it is compared with, measured in the
// same run on the same machine.

#include "BenchTiming.h"
#include "DataGenerator.h"
#include "FolderListing.h"
#include "PassSort.h"
#include "TravelDataStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <QProcess>
#include <QTemporaryFile>
#include <algorithm>

#include <cstdio>

namespace {

// The median of several runs, after one run to warm the caches.
double medianSeconds(const std::function<void()>& work, int runs = 5)
{
    work();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(Seconds(work));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Peak resident memory of a command, in megabytes. GNU time measures it in a process
// of its own: the peak that wait4 reports for a child of this process would include
// this process's own memory, which a child carries across exec.
double peakMegabytesOf(const QStringList& command)
{
    QTemporaryFile output;
    output.open();
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral("/usr/bin/time"),
                  QStringList{QStringLiteral("-f"), QStringLiteral("%M"), QStringLiteral("-o"),
                              output.fileName()} +
                      command);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        qFatal("%s failed", qPrintable(command.join(QLatin1Char(' '))));
    return output.readAll().trimmed().toDouble() / 1024.0;
}

void report(const char* what, double measured, double baseline, const char* target)
{
    std::printf("%-58s %9.4f s  baseline %9.4f s  ratio %6.2f  (%s)\n", what, measured, baseline,
                measured / baseline, target);
}

struct FakeClock {
    QDateTime now = QDateTime(QDate(2030, 1, 1), QTime(0, 0));
    QDateTime read()
    {
        now = now.addSecs(1);
        return now;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int travelCount = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir dir;
    const QString workdir = dir.path();

    GeneratedFolder generated;
    const double generating =
        Seconds([&] { generated = GenerateDataFolder(workdir, travelCount); });
    std::printf("generated %d travels, %d stages, %lld files, %.1f MB in %.2f s\n\n",
                generated.travels, generated.stages, generated.files, generated.bytes / 1e6,
                generating);

    // Refresh against reading the same record files raw.
    const DataFolder folder(workdir);
    QStringList recordFiles = ListRecordFiles(folder.path(), QStringLiteral("tra")) +
                              ListRecordFiles(folder.path(), QStringLiteral("stg"));
    for (QString& name : recordFiles)
        name = folder.filePath(name);
    qint64 rawBytes = 0;
    const double raw = medianSeconds([&] {
        rawBytes = 0;
        for (const QString& path : recordFiles) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            rawBytes += file.readAll().size();
        }
    });
    TravelDataStore store;
    store.setWorkingDirectory(workdir);
    const double refresh = medianSeconds([&] { (void)store.Refresh(); });
    if (int(store.TravelKeys().size()) != travelCount || !store.problems().isEmpty())
        qFatal("the refresh did not load every travel");
    report("Refresh (travel and stage files) vs raw read", refresh, raw, "target <= 2");

    // Peak memory of voyanta-cli list, against the same command on an empty folder.
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/voyanta-cli");
    QTemporaryDir empty;
    QDir(empty.path()).mkdir(DataFolder::folderName());
    const double emptyPeak =
        peakMegabytesOf({cli, QStringLiteral("--workdir"), empty.path(), QStringLiteral("list")});
    const double fullPeak =
        peakMegabytesOf({cli, QStringLiteral("--workdir"), workdir, QStringLiteral("list")});
    std::printf("%-58s %9.1f MB baseline %9.1f MB ratio %6.2f  (target <= 100 MB)\n",
                "peak memory of voyanta-cli list vs on an empty folder", fullPeak, emptyPeak,
                fullPeak / emptyPeak);

    // Sorting a month of many travels: the fast order against the old passes.
    {
        QTemporaryDir monthDir;
        TravelDataStore month;
        month.setWorkingDirectory(monthDir.path());
        (void)month.Refresh();
        AddTravelsInOneMonth(month, travelCount, true);
        const DateTimeValue may = DateTimeValue::fromDate(QDate(2031, 5, 1));
        QList<RecordKey> fast;
        const double fastTime = medianSeconds([&] { fast = month.TravelsStartingIn(may); }, 3);
        QList<TravelRecord> slow;
        const double slowTime = Seconds([&] {
            slow.clear();
            for (const RecordKey& key : month.TravelsStartingInUnsorted(may))
                slow.append(month.GetTravel(key));
            PassSort(slow, [](const TravelRecord& t) -> const DateTimeValue& { return t.start; });
        });
        for (qsizetype i = 0; i < fast.size(); ++i) {
            if (fast[i] != slow[i].key)
                qFatal("the fast order differs from the passes at %lld", qlonglong(i));
        }
        report("TravelsStartingIn, one month of travels, vs the old passes", fastTime, slowTime,
               "same order; lower is better");
    }

    // Adds into the large folder against adds into an empty one: no rescans.
    const auto thousandAdds = [](TravelDataStore& target) {
        FakeClock clock;
        target.setClock([&] { return clock.read(); });
        return Seconds([&] {
            for (int i = 0; i < 1000; ++i) {
                TravelRecord travel;
                travel.title = QStringLiteral("Added");
                const KeyOutcome added = target.AddTravel(travel);
                StageRecord stage;
                stage.travelKey = added.key;
                (void)target.AddStage(stage);
                (void)target.DeleteTravel(added.key);
            }
        });
    };
    TravelDataStore small;
    small.setWorkingDirectory(empty.path());
    (void)small.Refresh();
    // File-system timings of single runs wander; the median of five alternating runs
    // of each does not.
    std::vector<double> smallRuns;
    std::vector<double> largeRuns;
    for (int run = 0; run < 5; ++run) {
        smallRuns.push_back(thousandAdds(small));
        largeRuns.push_back(thousandAdds(store));
    }
    std::sort(smallRuns.begin(), smallRuns.end());
    std::sort(largeRuns.begin(), largeRuns.end());
    const double smallAdds = smallRuns[2];
    const double largeAdds = largeRuns[2];
    report("1000 add + add stage + delete in the large folder vs empty", largeAdds, smallAdds,
           "about 1: no rescans");
    return 0;
}
