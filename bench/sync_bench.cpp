// The time from voyanta-cli sync on one computer to the travel being listed on the other,
// against Syncthing's own time from a scan of the same files to its reporting the other
// computer in sync (and, for scale, to the files being on the other computer's disk), all
// measured in the same run between two Syncthing instances on the loopback interface.
// Run by hand: voyanta-sync-bench [RUNS]   (default 5)

#include "BenchTiming.h"
#include "SyncthingClient.h"
#include "SyncthingPair.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

QString cliPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/voyanta-cli");
}

// Runs voyanta-cli on a side; its standard output, or qFatal when it fails.
QByteArray cli(const SyncthingSide& side, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.setProcessEnvironment(side.environment());
    process.start(cliPath(), QStringList{QStringLiteral("--workdir"), side.workdir} + arguments);
    process.waitForFinished(120000);
    if (exitCode)
        *exitCode = process.exitCode();
    else if (process.exitCode() != 0)
        qFatal("voyanta-cli %s failed: %s", qPrintable(arguments.join(QLatin1Char(' '))),
               process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

// The files of a side's working directory whose names hold the key, relative to it.
QStringList filesOf(const SyncthingSide& side, const QString& key)
{
    QStringList files;
    const QDir base(side.workdir);
    QDirIterator it(side.workdir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).fileName().contains(key))
            files.append(base.relativeFilePath(path));
    }
    return files;
}

bool allThere(const SyncthingSide& side, const QStringList& files, const QList<qint64>& sizes)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (QFileInfo(QDir(side.workdir).filePath(files[i])).size() != sizes[i] ||
            !QFileInfo::exists(QDir(side.workdir).filePath(files[i])))
            return false;
    }
    return true;
}

// Copies the files under a folder of their own in A's working directory, so that a scan
// finds them new; their names relative to it, and their sizes.
QStringList copyAnew(const SyncthingSide& a, const QStringList& files, const QString& folder,
                     QList<qint64>* sizes)
{
    const QDir base(a.workdir);
    QStringList copied;
    for (const QString& file : files) {
        const QString target = folder + file;
        base.mkpath(QFileInfo(base.filePath(target)).path());
        QFile::copy(base.filePath(file), base.filePath(target));
        copied.append(target);
        sizes->append(QFileInfo(base.filePath(file)).size());
    }
    return copied;
}

// Synchronize's own work, in this process: from its start to its finding B in sync.
double syncInProcess(const SyncthingSide& a)
{
    QString reason;
    const auto setup = ReadSyncthingSetup(a.configPath(), a.workdir, &reason);
    if (!setup)
        qFatal("%s", qPrintable(reason));
    SyncthingSync sync(*setup);
    QEventLoop loop;
    SyncthingSync::Result result = SyncthingSync::Result::TimedOut;
    QObject::connect(&sync, &SyncthingSync::finished, &loop, [&](SyncthingSync::Result ended) {
        result = ended;
        loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    sync.start();
    loop.exec();
    if (result != SyncthingSync::Result::InSync)
        qFatal("Synchronize did not find the other computer in sync");
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    SyncthingPair pair(dir.path(), QStringLiteral("desktop"), QStringLiteral("laptop"));
    QString reason;
    if (!pair.start(&reason))
        qFatal("%s", qPrintable(reason));
    const SyncthingSide& a = pair.a;
    const SyncthingSide& b = pair.b;

    // The sample travels on both computers first; a travel with pictures is the one that
    // is imported again in each run.
    cli(a, {QStringLiteral("sample")});
    cli(a, {QStringLiteral("sync"), QStringLiteral("--timeout"), QStringLiteral("60")});
    const QByteArray listed = cli(a, {QStringLiteral("list")});
    QElapsedTimer settle;
    settle.start();
    while (cli(b, {QStringLiteral("list")}) != listed && settle.elapsed() < 60000)
        QThread::msleep(100);
    QByteArray document;
    for (const QByteArray& line : listed.split('\n')) {
        document = cli(a, {QStringLiteral("show"), QString::fromLatin1(line.left(16))});
        if (!QJsonDocument::fromJson(document).object().value(u"pictures").toArray().isEmpty())
            break;
    }
    const QString documentPath = dir.filePath(QStringLiteral("travel.json"));
    QFile out(documentPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(document) != document.size())
        qFatal("%s could not be written", qPrintable(documentPath));
    out.close();

    std::vector<double> voyanta;
    std::vector<double> syncing; // the part of voyanta that voyanta-cli sync took
    std::vector<double> syncthing;
    std::vector<double> arrived;
    std::vector<double> waiting;
    for (int run = 0; run < runs; ++run) {
        // voyanta-cli sync on A until B's list holds the new travel.
        const QString key =
            QString::fromLatin1(cli(a, {QStringLiteral("import"), documentPath}).trimmed());
        const QStringList files = filesOf(a, key);
        // Both measurements start from engines at rest: one that has just pulled takes
        // longer to begin the next pull.
        QThread::msleep(1000);
        QElapsedTimer clock;
        clock.start();
        cli(a, {QStringLiteral("sync"), QStringLiteral("--timeout"), QStringLiteral("60")});
        syncing.push_back(clock.nsecsElapsed() / 1e9);
        while (!cli(b, {QStringLiteral("list")}).contains(key.toLatin1()) &&
               clock.elapsed() < 60000)
            QThread::msleep(10);
        voyanta.push_back(clock.nsecsElapsed() / 1e9);

        // The same files under another folder: Synchronize's wait in this process, without
        // the start of voyanta-cli and of B's listing.
        QList<qint64> sizes;
        copyAnew(a, files, QStringLiteral("inprocess-%1/").arg(run), &sizes);
        QThread::msleep(1000);
        waiting.push_back(syncInProcess(a));

        // And once more for Syncthing alone.
        sizes.clear();
        const QStringList copied =
            copyAnew(a, files, QStringLiteral("baseline-%1/").arg(run), &sizes);
        // Both from the scan on: until Syncthing on A reports B complete, which is what
        // Syncthing's own interface shows as up to date, and until the files are on B's disk,
        // which A cannot know sooner.
        QThread::msleep(1000);
        clock.start();
        SyncthingPair::rest(a, "POST", QStringLiteral("/rest/db/scan?folder=voyanta"));
        double reported = -1;
        double onDisk = -1;
        const QString completion =
            QStringLiteral("/rest/db/completion?folder=voyanta&device=") + b.id;
        while ((reported < 0 || onDisk < 0) && clock.elapsed() < 60000) {
            if (reported < 0) {
                const QJsonObject done =
                    QJsonDocument::fromJson(SyncthingPair::rest(a, "GET", completion)).object();
                if (done.value(u"completion").toDouble() >= 100.0 &&
                    done.value(u"needItems").toInteger() == 0)
                    reported = clock.nsecsElapsed() / 1e9;
            }
            if (onDisk < 0 && allThere(b, copied, sizes))
                onDisk = clock.nsecsElapsed() / 1e9;
            QThread::msleep(2);
        }
        syncthing.push_back(reported);
        arrived.push_back(onDisk);
        std::printf(
            "run %d: %lld files, voyanta-cli sync to listed %.3f s (sync %.3f s), Syncthing "
            "scan to reported in sync %.3f s, to files on B %.3f s, Synchronize in process "
            "%.3f s\n",
            run + 1, qlonglong(files.size()), voyanta.back(), syncing.back(), reported, onDisk,
            waiting.back());
    }
    const double measured = Median(voyanta);
    const double baseline = Median(syncthing);
    const double disk = Median(arrived);
    std::printf("%-58s %9.4f s  baseline %9.4f s  ratio %6.2f  (%s)\n",
                "voyanta-cli sync to listed on B vs Syncthing scan to in sync", measured, baseline,
                measured / baseline, "goal <= 1.2");
    std::printf("%-58s %9.4f s  baseline %9.4f s  ratio %6.2f  (%s)\n",
                "voyanta-cli sync alone vs Syncthing scan to in sync", Median(syncing), baseline,
                Median(syncing) / baseline, "no goal: without B's listing");
    std::printf("%-58s %9.4f s  baseline %9.4f s  ratio %6.2f  (%s)\n",
                "Synchronize in process vs Syncthing scan to in sync", Median(waiting), baseline,
                Median(waiting) / baseline, "no goal: without two program starts");
    std::printf("%-58s %9.4f s  baseline %9.4f s  ratio %6.2f  (%s)\n",
                "voyanta-cli sync to listed on B vs files arriving on B", measured, disk,
                measured / disk, "no goal: A learns it later");
    return 0;
}
