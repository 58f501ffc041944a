// Measurements of the store on large data folders, run by hand:
//   voyanta-bench [TRAVELS]        (default 10000)
//   voyanta-bench --bookings       the booking import alone
// Every figure is printed with the baseline it is compared with, measured in the
// same run on the same machine. The bench starts copies of itself to import into one
// folder from several processes at once (voyanta-bench --import-worker DIR COUNT).

#include "BenchTiming.h"
#include "BookingBench.h"
#include "ConflictCopies.h"
#include "DataGenerator.h"
#include "FindIndex.h"
#include "FolderCheck.h"
#include "FolderListing.h"
#include "PassSort.h"
#include "RecordCodec.h"
#include "RecordKeyMaker.h"
#include "SaveFile.h"
#include "TravelDataStore.h"
#include "TravelDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

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

QByteArray readWholeOrDie(const QString& path)
{
    const auto bytes = ReadWholeFile(path);
    if (!bytes)
        qFatal("%s could not be read", qPrintable(path));
    return *bytes;
}

QJsonObject dateJson(double days)
{
    return QJsonObject{{QStringLiteral("status"), 0}, {QStringLiteral("days"), days}};
}

// A travel document as voyanta-cli show prints it: the given number of stages, each
// with one appointment when asked, a check list and two expenses.
QJsonObject travelDocument(int stageCount, bool appointments)
{
    QJsonArray stages;
    for (int s = 0; s < stageCount; ++s) {
        QJsonObject stage{{QStringLiteral("title"), QStringLiteral("Day %1").arg(s + 1)},
                          {QStringLiteral("place"), QStringLiteral("Kyoto")},
                          {QStringLiteral("date"), dateJson(46000.375 + s * 0.25)}};
        if (appointments) {
            stage.insert(
                QStringLiteral("appointments"),
                QJsonArray{QJsonObject{{QStringLiteral("subject"), QStringLiteral("Tea")},
                                       {QStringLiteral("when"), dateJson(46000.5 + s * 0.25)}}});
        }
        stages.append(stage);
    }
    const QJsonArray checkList{
        QJsonObject{{QStringLiteral("text"), QStringLiteral("Passport")},
                    {QStringLiteral("checked"), 1}},
        QJsonObject{{QStringLiteral("text"), QStringLiteral("Adapter plugs")}}};
    const QJsonArray expenses{QJsonObject{{QStringLiteral("product"), QStringLiteral("Rail pass")},
                                          {QStringLiteral("quantity"), 1},
                                          {QStringLiteral("total"), 290.5},
                                          {QStringLiteral("purchased"), 1}},
                              QJsonObject{{QStringLiteral("product"), QStringLiteral("Hotel")},
                                          {QStringLiteral("quantity"), 9},
                                          {QStringLiteral("total"), 1080}}};
    return QJsonObject{{QStringLiteral("title"), QStringLiteral("Long journey")},
                       {QStringLiteral("start"), dateJson(46000.375)},
                       {QStringLiteral("end"), dateJson(46000.375 + stageCount * 0.25)},
                       {QStringLiteral("stages"), stages},
                       {QStringLiteral("checklist"), checkList},
                       {QStringLiteral("expenses"), expenses}};
}

// The worker that several copies of the bench run at once: waits for a line on
// standard input, imports the small travel document COUNT times, prints each key.
int importWorker(const QString& workingDirectory, int count)
{
    TravelDataStore store;
    store.setWorkingDirectory(workingDirectory);
    if (!store.Refresh().ok())
        return 1;
    const QJsonObject document = travelDocument(3, true);
    std::puts("ready");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 1;
    for (int i = 0; i < count; ++i) {
        const ImportResult imported = ImportTravelDocument(store, document);
        if (!imported.badInput.isEmpty() || !imported.outcome.ok())
            return 1;
        std::printf("%s\n", qPrintable(imported.key));
    }
    return 0;
}

// Runs import workers on one folder at once; returns the seconds from the start
// signal until the last one ends, and every key they printed.
double runImportWorkers(const QString& workingDirectory, int workers, int count, QStringList& keys)
{
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < workers; ++i) {
        auto& process = processes.emplace_back(std::make_unique<QProcess>());
        process->start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--import-worker"), workingDirectory, QString::number(count)});
        if (!process->waitForReadyRead(30000) || process->readLine() != "ready\n")
            qFatal("an import worker did not start");
    }
    return Seconds([&] {
        // Written out now, not when each worker is waited for: all start at once.
        for (auto& process : processes)
            process->write("go\n");
        for (auto& process : processes)
            process->waitForBytesWritten();
        for (auto& process : processes) {
            if (!process->waitForFinished(-1) || process->exitCode() != 0)
                qFatal("an import worker failed");
            keys += QString::fromLatin1(process->readAllStandardOutput())
                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        }
    });
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
    if (argc == 4 && QByteArray(argv[1]) == "--import-worker")
        return importWorker(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    BenchBookingImport();
    if (argc == 2 && QByteArray(argv[1]) == "--bookings")
        return 0;
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
    const double raw = MedianSeconds([&] {
        rawBytes = 0;
        for (const QString& path : recordFiles) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            rawBytes += file.readAll().size();
        }
    });
    TravelDataStore store;
    store.setWorkingDirectory(workdir);
    const double refresh = MedianSeconds([&] { (void)store.Refresh(); });
    if (int(store.TravelKeys().size()) != travelCount || !store.problems().isEmpty())
        qFatal("the refresh did not load every travel");
    report("Refresh (travel and stage files) vs raw read", refresh, raw, "target <= 2");

    // The find index over every record of the folder, built once, then a query per
    // keystroke: each against Refresh of the same folder.
    {
        FindIndex index;
        const double building = MedianSeconds([&] { index.rebuild(store); }, 3);
        // Two texts neither of which holds the other, in turns, so that each search reads
        // every text instead of narrowing the one before.
        int turn = 0;
        QList<FindMatch> none;
        const double scan = MedianSeconds([&] {
            none = index.find(++turn % 2 ? QStringLiteral("no such words")
                                         : QStringLiteral("no such thing"));
        });
        QList<FindMatch> shortNone;
        const double shortScan = MedianSeconds([&] {
            shortNone = index.find(++turn % 2 ? QStringLiteral("qx") : QStringLiteral("xq"));
        });
        QList<FindMatch> common;
        const double firstThousand =
            MedianSeconds([&] { common = index.find(QStringLiteral("zurich")); });
        // A user typing, one search per keystroke, from many matches down to none.
        const QString typed = QStringLiteral("zurich by night");
        double slowestKey = 0.0;
        for (qsizetype length = 1; length <= typed.size(); ++length) {
            QElapsedTimer key;
            key.start();
            const QList<FindMatch> matches = index.find(typed.left(length));
            slowestKey = std::max(slowestKey, key.nsecsElapsed() / 1e9);
        }
        if (!none.isEmpty() || !shortNone.isEmpty() || common.size() != 1000 ||
            !index.find(typed).isEmpty())
            qFatal("the find index did not answer as expected");
        std::printf("find index: %d texts of %d travels\n", index.entryCount(), travelCount);
        report("find index built for the folder vs Refresh", building, refresh,
               "once, when the folder is read");
        report("a first query that matches nothing (every text) vs Refresh", scan, refresh,
               "within a frame, 0.016 s");
        report("two letters that match nothing vs Refresh", shortScan, refresh,
               "within a frame, 0.016 s");
        report("a query for the first 1000 of many matches vs Refresh", firstThousand, refresh,
               "within a frame, 0.016 s");
        report("slowest keystroke typing \"zurich by night\" vs Refresh", slowestKey, refresh,
               "within a frame, 0.016 s");
    }

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
        const double fastTime = MedianSeconds([&] { fast = month.TravelsStartingIn(may); }, 3);
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

    // A check-list save first makes sure its travel is still there; the same saves of the
    // same bytes without that look, medians of five alternating runs.
    {
        QTemporaryDir listDir;
        TravelDataStore lists;
        lists.setWorkingDirectory(listDir.path());
        (void)lists.Refresh();
        const RecordKey key = lists.AddTravel(TravelRecord{}).key;
        QList<CheckListItem> items;
        for (int i = 0; i < 30; ++i)
            items.append({QStringLiteral("Entry %1").arg(i), i % 2});
        const QString path = lists.dataFolder().checkListFile(key);
        const QByteArray bytes = RecordCodec::encodeCheckList(RecordCodec::listOf(items));
        std::vector<double> checked;
        std::vector<double> bare;
        for (int run = 0; run < 5; ++run) {
            checked.push_back(Seconds([&] {
                for (int i = 0; i < 1000; ++i)
                    (void)lists.SaveCheckList(key, items);
            }));
            bare.push_back(Seconds([&] {
                for (int i = 0; i < 1000; ++i)
                    (void)SaveRecordFile(path, bytes);
            }));
        }
        std::sort(checked.begin(), checked.end());
        std::sort(bare.begin(), bare.end());
        report("1000 check-list saves vs the same writes without the look", checked[2], bare[2],
               "<= 1.1");
    }

    // A travel of 3,000 stages imported and copied, against reading its stages back.
    {
        QTemporaryDir longDir;
        TravelDataStore journey;
        journey.setWorkingDirectory(longDir.path());
        (void)journey.Refresh();
        const QJsonObject document = travelDocument(3000, false);
        ImportResult imported;
        const double importing =
            Seconds([&] { imported = ImportTravelDocument(journey, document); });
        if (!imported.outcome.ok() || journey.CountStages(imported.key) != 3000)
            qFatal("the import of 3000 stages failed");
        KeyOutcome copied;
        const double copying = Seconds([&] { copied = journey.CopyTravel(imported.key); });
        if (!copied.ok() || journey.CountStages(copied.key) != 3000)
            qFatal("the copy of 3000 stages failed");
        TravelDataStore reread;
        reread.setWorkingDirectory(longDir.path());
        const double reading = MedianSeconds([&] { (void)reread.Refresh(); }, 3);
        if (reread.CountStages(imported.key) != 3000 || reread.CountStages(copied.key) != 3000)
            qFatal("the stages did not read back");
        // The keys alone, on a clock that stands still, as they were made above.
        RecordKeyMaker maker;
        maker.setClock([] { return QDateTime(QDate(2030, 1, 1), QTime(0, 0)); });
        QSet<QString> made;
        const double keys = Seconds([&] {
            for (int i = 0; i < 3000; ++i)
                made.insert(maker.next(imported.key, 10,
                                       [&](const RecordKey& key) { return made.contains(key); }));
        });
        // Reading back takes both travels' 6,000 stages: per travel, half of it.
        report("import of a travel with 3000 stages vs reading them back", importing, reading / 2,
               "no waiting for the clock");
        report("copy of that travel vs reading its stages back", copying, reading / 2,
               "no waiting for the clock");
        report("making its 3000 keys vs the whole import", keys, importing, "well under a second");

        // A key taken with the record's whole first content, against taking it with an
        // empty file and saving the record over it, as keys were taken before.
        QTemporaryDir claims;
        const QByteArray stageBytes = readWholeOrDie(
            longDir.filePath(QStringLiteral("Voyanta Files/") +
                             DataFolder::stageFileName(journey.StagesOf(imported.key).first())));
        std::vector<double> whole;
        std::vector<double> twoSteps;
        for (int run = 0; run < 3; ++run) {
            whole.push_back(Seconds([&] {
                for (int i = 0; i < 1000; ++i)
                    (void)ClaimNewFileWith(
                        claims.filePath(QStringLiteral("w%1-%2.stg").arg(run).arg(i)), stageBytes);
            }));
            twoSteps.push_back(Seconds([&] {
                for (int i = 0; i < 1000; ++i) {
                    const QString path =
                        claims.filePath(QStringLiteral("t%1-%2.stg").arg(run).arg(i));
                    QFile empty(path);
                    if (empty.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                        empty.close();
                        (void)SaveFileAtomically(path, stageBytes);
                    }
                }
            }));
        }
        std::sort(whole.begin(), whole.end());
        std::sort(twoSteps.begin(), twoSteps.end());
        report("1000 keys taken with their content vs empty, then saved", whole[1], twoSteps[1],
               "<= 1.2");
    }

    // Two processes importing into one folder at once, against one process doing all.
    {
        QTemporaryDir one;
        QTemporaryDir two;
        for (const QTemporaryDir* folder : {&one, &two}) {
            TravelDataStore store;
            store.setWorkingDirectory(folder->path());
            (void)store.Refresh();
        }
        QStringList alone;
        const double sequential = runImportWorkers(one.path(), 1, 400, alone);
        QStringList together;
        const double concurrent = runImportWorkers(two.path(), 2, 200, together);
        TravelDataStore store;
        store.setWorkingDirectory(two.path());
        (void)store.Refresh();
        const QSet<QString> distinct(together.cbegin(), together.cend());
        qsizetype whole = 0;
        for (const RecordKey& key : store.TravelKeys())
            whole += store.CountStages(key) == 3 && store.LoadCheckList(key).size() == 2 ? 1 : 0;
        const qsizetype problems = CheckDataFolder(store.dataFolder(), QString()).size();
        std::printf("two processes importing 200 travels each into one folder: %lld keys printed, "
                    "%lld distinct, %lld travels whole on disk, check: %lld problems\n",
                    qlonglong(together.size()), qlonglong(distinct.size()), qlonglong(whole),
                    qlonglong(problems));
        if (distinct.size() != 400 || whole != 400 || problems != 0)
            qFatal("the two processes lost or mixed travels");
        report("two processes x 200 imports vs one process x 400", concurrent, sequential,
               "every key distinct, check clean");
    }
    // The window's conflict scan after each Refresh (the copies of the data folder that
    // Refresh grouped, those of the images folder, the travels they belong to), on the
    // large folder with a conflict copy of every hundredth travel and of its pictures,
    // against Refresh alone; medians of five runs.
    {
        const QDir images(store.imagesFolder());
        images.mkpath(QStringLiteral("."));
        const QList<RecordKey> keys = store.TravelKeys();
        QStringList made;
        for (qsizetype i = 0; i < keys.size(); i += 100) {
            const QString travel = DataFolder::travelFileName(keys[i]);
            const QString copy = folder.filePath(
                travel.chopped(4) + QStringLiteral(".sync-conflict-20261207-004359-ABCDEFG.tra"));
            QFile::copy(folder.filePath(travel), copy);
            const QString pictures =
                images.filePath(DataFolder::imageCategoryFileName(keys[i]).chopped(4) +
                                QStringLiteral(" (conflict_on_2026-12-07).img"));
            if (!SaveRecordFile(pictures, RecordCodec::encodeImageCategories({})).ok())
                qFatal("%s could not be written", qPrintable(pictures));
            made << copy << pictures;
        }
        // The scan is timed on its own after each Refresh: the two Refreshes of an
        // alternating pair differ by more than the whole scan takes.
        std::vector<double> alone;
        std::vector<double> scans;
        qsizetype travelsMarked = 0;
        for (int run = 0; run < 5; ++run) {
            alone.push_back(Seconds([&] { (void)store.Refresh(); }));
            scans.push_back(Seconds([&] {
                travelsMarked = TravelsWithConflicts(
                                    AllConflictCopies(store.conflictCopies(), store.imagesFolder()))
                                    .size();
            }));
        }
        for (const QString& path : made)
            QFile::remove(path);
        if (travelsMarked != (keys.size() + 99) / 100)
            qFatal("the conflict scan did not find every copy");
        std::sort(alone.begin(), alone.end());
        std::sort(scans.begin(), scans.end());
        report("Refresh and the window's conflict scan vs Refresh alone", alone[2] + scans[2],
               alone[2], "<= 1.05");
    }
    return 0;
}
