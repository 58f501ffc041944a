#include "CrashRecords.h"
#include "FolderListing.h"
#include "RecordCodec.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

class CrashSafetyTest : public QObject {
    Q_OBJECT

private slots:
    void everyFileIsWholeAfterAnyKill()
    {
        using namespace CrashRecords;
        QTemporaryDir dir;
        TravelDataStore store;
        QVERIFY(openStore(store, dir.path()));
        const DataFolder& folder = store.dataFolder();

        // What each file may hold: its old or its new content, nothing else.
        QMap<QString, QList<QByteArray>> versions;
        for (int version = 0; version < 2; ++version) {
            versions[DataFolder::travelFileName(travelKey)].append(
                RecordCodec::encodeTravel(travel(version)));
            versions[DataFolder::stageFileName(stageKey)].append(
                RecordCodec::encodeStage(stage(version)));
            versions[DataFolder::appointmentFileName(stageKey)].append(
                RecordCodec::encodeAppointments(RecordCodec::listOf(appointments(version))));
            versions[DataFolder::checkListFileName(travelKey)].append(
                RecordCodec::encodeCheckList(RecordCodec::listOf(checkList(version))));
            versions[DataFolder::expensesFileName(travelKey)].append(
                RecordCodec::encodeExpenses(RecordCodec::listOf(expenses(version))));
            versions[DataFolder::preferenceFileName(1)].append(
                RecordCodec::encodePreferenceList(preferences(version).split(QLatin1Char('\n'))));
        }
        for (auto it = versions.cbegin(); it != versions.cend(); ++it)
            QVERIFY(writeFile(folder.filePath(it.key()), it.value().first()));

        const QString writer =
            QCoreApplication::applicationDirPath() + QStringLiteral("/crash_writer");
        QRandomGenerator random(1205);
        QSet<QString> seenNew;
        const QStringList extensions{QStringLiteral("tra"), QStringLiteral("stg"),
                                     QStringLiteral("apt"), QStringLiteral("chk"),
                                     QStringLiteral("exp"), QStringLiteral("prf")};
        for (int kill = 0; kill < 40; ++kill) {
            QProcess process;
            process.start(writer, {dir.path()});
            QVERIFY(process.waitForStarted());
            // Kill it at a chosen save (within the first four rounds), at a random moment
            // of the save that follows: slow disks and sanitizers change nothing.
            const int saves = int(random.bounded(0, 24));
            QVERIFY(process.waitForReadyRead(10000));
            for (int seen = -1; seen < saves;) {
                while (process.canReadLine()) {
                    process.readLine();
                    ++seen;
                }
                if (seen < saves)
                    QVERIFY(process.waitForReadyRead(10000));
            }
            QThread::usleep(random.bounded(0, 3000));
            QCOMPARE(process.state(), QProcess::Running);
            process.kill(); // SIGKILL: no chance to tidy up
            QVERIFY(process.waitForFinished());

            QStringList listed;
            const auto byExtension = ListRecordFiles(folder.path(), extensions);
            for (const QStringList& names : byExtension)
                listed += names;
            listed.sort();
            QStringList expected = versions.keys();
            for (int number = 2; number <= 7; ++number)
                expected += DataFolder::preferenceFileName(number);
            expected.sort();
            QCOMPARE(listed, expected);
            for (auto it = versions.cbegin(); it != versions.cend(); ++it) {
                const QByteArray bytes = readFile(folder.filePath(it.key()));
                const qsizetype version = it.value().indexOf(bytes);
                QVERIFY2(version >= 0, qPrintable(QStringLiteral("%1 after kill %2 holds %3 bytes")
                                                      .arg(it.key())
                                                      .arg(kill)
                                                      .arg(bytes.size())));
                if (version == 1)
                    seenNew.insert(it.key());
            }
        }
        // The kills fell at different moments: every file was seen in its new version.
        QCOMPARE(seenNew.size(), versions.size());
        QVERIFY(store.Refresh().ok());
        QVERIFY(store.problems().isEmpty());
        QVERIFY(store.HasTravel(travelKey));
    }
};

QTEST_GUILESS_MAIN(CrashSafetyTest)
#include "tst_crashsafety.moc"
