// The time from voyanta-cli sync on one computer to the travel being listed on the other,
// against Syncthing's own time from a scan to the same files being on the other computer,
// both measured in the same run between two Syncthing instances on the loopback interface.
// Run by hand: voyanta-sync-bench [RUNS]   (default 5)

#include "BenchTiming.h"
#include "SyncthingPair.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
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

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
    std::vector<double> syncthing;
    for (int run = 0; run < runs; ++run) {
        // voyanta-cli sync on A until B's list holds the new travel.
        const QString key =
            QString::fromLatin1(cli(a, {QStringLiteral("import"), documentPath}).trimmed());
        const QStringList files = filesOf(a, key);
        voyanta.push_back(Seconds([&] {
            cli(a, {QStringLiteral("sync"), QStringLiteral("--timeout"), QStringLiteral("60")});
            QElapsedTimer limit;
            limit.start();
            while (!cli(b, {QStringLiteral("list")}).contains(key.toLatin1()) &&
                   limit.elapsed() < 60000)
                QThread::msleep(10);
        }));

        // The same files under another folder: Syncthing's scan until they are all on B.
        const QString copies = QStringLiteral("baseline-%1/").arg(run);
        QStringList copied;
        QList<qint64> sizes;
        for (const QString& file : files) {
            const QString target = copies + file;
            QDir(a.workdir).mkpath(QFileInfo(QDir(a.workdir).filePath(target)).path());
            QFile::copy(QDir(a.workdir).filePath(file), QDir(a.workdir).filePath(target));
            copied.append(target);
            sizes.append(QFileInfo(QDir(a.workdir).filePath(file)).size());
        }
        syncthing.push_back(Seconds([&] {
            SyncthingPair::rest(a, "POST", QStringLiteral("/rest/db/scan?folder=voyanta"));
            QElapsedTimer limit;
            limit.start();
            while (!allThere(b, copied, sizes) && limit.elapsed() < 60000)
                QThread::msleep(10);
        }));
        std::printf("run %d: %lld files, voyanta-cli sync to listed %.3f s, Syncthing scan to "
                    "synced %.3f s\n",
                    run + 1, qlonglong(files.size()), voyanta.back(), syncthing.back());
    }
    const double measured = median(voyanta);
    const double baseline = median(syncthing);
    std::printf("%-58s %9.4f s  baseline %9.4f s  ratio %6.2f  (%s)\n",
                "voyanta-cli sync to listed on B vs Syncthing scan to synced", measured, baseline,
                measured / baseline, "goal <= 1.2");
    return 0;
}
