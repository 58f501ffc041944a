#include "CliRun.h"
#include "RecordCodec.h"
#include "SaveFile.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

TravelRecord travel(const QString& key, const QString& title)
{
    TravelRecord t(DateTimeValue{38781.375, DateTimeValue::Valid});
    t.key = key;
    t.title = title;
    return t;
}

StageRecord stage(const QString& key, const QString& travelKey)
{
    StageRecord s(DateTimeValue{38781.5, DateTimeValue::Valid});
    s.key = key;
    s.travelKey = travelKey;
    return s;
}

// While it lives, opens the given pipes for writing now and then once a grace time is
// over: a reader that waits for a pipe's writer is let go, and the test learns that it
// waited, instead of hanging until the test runner kills it.
class PipeWatchdog {
public:
    explicit PipeWatchdog(QStringList pipes) : m_pipes(std::move(pipes))
    {
        m_thread = std::thread([this] { watch(); });
    }
    ~PipeWatchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    bool fired() const { return m_fired; }

private:
    void watch()
    {
        std::unique_lock lock(m_mutex);
        if (m_wake.wait_for(lock, std::chrono::seconds(10), [this] { return m_stop; }))
            return;
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(100), [this] { return m_stop; })) {
#ifdef Q_OS_UNIX
            for (const QString& pipe : m_pipes) {
                // Succeeds only while a reader waits; never blocks the watchdog.
                const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    m_fired = true;
                    ::close(fd);
                }
            }
#endif
        }
    }

    QStringList m_pipes;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::atomic<bool> m_fired = false;
};

} // namespace

// A data folder holding every kind of bad entry beside good records, as sync tools,
// the handheld edition and accidents leave it: files cut short or with unsafe keys,
// folders, pipes, links to devices and huge files named like record files. Nothing may
// hang, abort, be read outside the folder or be changed by reading.
class HostileFolderTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_data;
    QString m_images;
    const QString m_lisbon = QStringLiteral("2006030509012110"); // lists are special files
    const QString m_rome = QStringLiteral("2006030509012210");   // lists are cut short
    const QString m_renamed = QStringLiteral("2006030509012310");
    QString m_lisbonStage;
    QString m_romeStage;
    QStringList m_pipes;

    QString data(const QString& name) const { return QDir(m_data).filePath(name); }

    void put(const QString& name, const QByteArray& bytes)
    {
        QVERIFY(writeFile(data(name), bytes));
    }

    CliRun cli(const QStringList& arguments)
    {
        return runCli(QStringList{QStringLiteral("--workdir"), m_dir.path()} + arguments,
                      CliContext{m_images});
    }

private slots:
    void initTestCase()
    {
        m_data = m_dir.filePath(QStringLiteral("Voyanta Files"));
        m_images = m_dir.filePath(QStringLiteral("Travel Images"));
        QVERIFY(QDir().mkpath(m_images));
        TravelDataStore store;
        QVERIFY(openStore(store, m_dir.path())); // the default preference lists
        m_lisbonStage = m_lisbon + QStringLiteral("2006030509050010");
        m_romeStage = m_rome + QStringLiteral("2006030509050010");
        for (const auto& [key, stageKey] :
             {std::pair{m_lisbon, m_lisbonStage}, {m_rome, m_romeStage}}) {
            put(DataFolder::travelFileName(key), RecordCodec::encodeTravel(travel(key, key)));
            put(DataFolder::stageFileName(stageKey),
                RecordCodec::encodeStage(stage(stageKey, key)));
        }
        // Loaded under the key inside, whatever the name; a second file with a key.
        put(QStringLiteral("TravelRenamed.tra"),
            RecordCodec::encodeTravel(travel(m_renamed, QStringLiteral("renamed"))));
        put(QStringLiteral("TravelTwin.tra"),
            RecordCodec::encodeTravel(travel(m_lisbon, QStringLiteral("twin"))));

        // A damaged file of every kind (cuts at every length are the codec's test).
        put(QStringLiteral("Travel1.tra"),
            RecordCodec::encodeTravel(travel(QStringLiteral("2006030509012410"), {})).left(30));
        put(QStringLiteral("Cut.stg"),
            RecordCodec::encodeStage(stage(m_romeStage, m_rome)).left(60));
        put(DataFolder::appointmentFileName(m_romeStage), hex("01000000 00000000 0000"));
        put(DataFolder::checkListFileName(m_rome), hex("03000000 0141 00000000 0142"));
        put(DataFolder::expensesFileName(m_rome), hex("ffffff7f") + QByteArray(16, 'x'));
        put(DataFolder::preferenceFileName(9), hex("02000000 0141"));
        put(DataFolder::markerFileName(), hex("0100"));
        QVERIFY(writeFile(QDir(m_images).filePath(DataFolder::imageCategoryFileName(m_rome)),
                          hex("05000000 01")));

        // Keys that would name files outside the folder.
        int unsafe = 0;
        for (const char* key : {"..\\..\\x", "../x", "C:x", ".."})
            put(QStringLiteral("TravelUnsafe%1.tra").arg(++unsafe),
                RecordCodec::encodeTravel(travel(QLatin1String(key), QStringLiteral("evil"))));
        put(QStringLiteral("escaping.stg"),
            RecordCodec::encodeStage(stage(QStringLiteral("../../x"), m_lisbon)));
        put(QStringLiteral("wayward.stg"),
            RecordCodec::encodeStage(
                stage(m_lisbon + QStringLiteral("1"), QStringLiteral("../x"))));

        // Folders named like record files, one where a list file is looked for.
        QVERIFY(QDir(m_data).mkdir(QStringLiteral("x.tra")));
        QVERIFY(QDir(m_data).mkdir(DataFolder::expensesFileName(m_renamed)));

#ifdef Q_OS_UNIX
        // A pipe nobody writes to, a link to an endless device and a huge sparse file,
        // where Lisbon's lists and a record file are looked for.
        m_pipes = {data(DataFolder::checkListFileName(m_lisbon)), data(QStringLiteral("Pipe.stg")),
                   m_dir.filePath(QStringLiteral("pipe.json"))};
        for (const QString& pipe : m_pipes)
            QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(
            QFile::link(QStringLiteral("/dev/zero"), data(DataFolder::expensesFileName(m_lisbon))));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), data(QStringLiteral("TravelZero.tra"))));
        QFile huge(data(DataFolder::appointmentFileName(m_lisbonStage)));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(MaxReadFileSize + 1));
#endif

        // What a path built from an unsafe key would reach.
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("x")), "outside"));
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("Travelx.tra")), "outside"));
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("Appointmentx.apt")), "outside"));
    }

    void loadingSkipsAndReportsEveryBadFile()
    {
        const auto before = folderFingerprint(m_dir.path());
        const PipeWatchdog watchdog(m_pipes);
        TravelDataStore store;
        QVERIFY(openStore(store, m_dir.path()));
        QCOMPARE(store.TravelKeys(), (QStringList{m_lisbon, m_rome, m_renamed}));
        QCOMPARE(store.CountStages(m_lisbon), 1);
        QCOMPARE(store.CountStages(m_rome), 1);

        // Lists are read when asked for; what cannot be read whole reads as empty or as
        // far as it goes.
        QVERIFY(store.LoadCheckList(m_lisbon).isEmpty());
        QVERIFY(store.LoadExpenses(m_lisbon).isEmpty());
        QVERIFY(store.LoadAppointments(m_lisbonStage).isEmpty());
        QCOMPARE(store.LoadCheckList(m_rome), (QList<CheckListItem>{{QStringLiteral("A"), 0}}));
        QVERIFY(store.LoadExpenses(m_rome).isEmpty());
        QVERIFY(store.LoadAppointments(m_romeStage).isEmpty());
        QVERIFY(store.LoadExpenses(m_renamed).isEmpty());
        QCOMPARE(store.ReadPreferenceList(9), QStringList{QStringLiteral("A")});
        ImageLinkMap links;
        store.LoadCategories(m_rome, nullptr, links);
        // A list that cannot be read is not copied as an empty one.
        QVERIFY(!store.CopyCheckList(m_lisbon, QStringLiteral("2006030509012510")).ok());

        // Every bad file is named; the causes are the check command's test below.
        QStringList expected{DataFolder::appointmentFileName(m_romeStage),
                             DataFolder::checkListFileName(m_rome),
                             QStringLiteral("Cut.stg"),
                             DataFolder::expensesFileName(m_rome),
                             DataFolder::expensesFileName(m_renamed),
                             DataFolder::imageCategoryFileName(m_rome),
                             DataFolder::preferenceFileName(9),
                             QStringLiteral("Travel1.tra"),
                             QStringLiteral("TravelUnsafe1.tra"),
                             QStringLiteral("TravelUnsafe2.tra"),
                             QStringLiteral("TravelUnsafe3.tra"),
                             QStringLiteral("TravelUnsafe4.tra"),
                             QStringLiteral("escaping.stg"),
                             QStringLiteral("wayward.stg")};
#ifdef Q_OS_UNIX
        expected += QStringList{DataFolder::appointmentFileName(m_lisbonStage),
                                DataFolder::checkListFileName(m_lisbon),
                                DataFolder::expensesFileName(m_lisbon)};
#endif
        expected.sort();
        QStringList named;
        for (const LoadProblem& problem : store.problems())
            named.append(problem.fileName);
        QCOMPARE(named, expected);
        QVERIFY(!watchdog.fired());
        QCOMPARE(folderFingerprint(m_dir.path()), before);
    }

    void checkReportsEveryBadEntryWithItsCause()
    {
        const auto before = folderFingerprint(m_dir.path());
        const PipeWatchdog watchdog(m_pipes);
        const CliRun checked = cli({QStringLiteral("check")});
        QCOMPARE(checked.exitCode, int(ExitProblemsFound));
        QVERIFY(!watchdog.fired());
        const QString countOf = QStringLiteral("; the count of %1 at byte 0 is more than the %2 "
                                               "bytes after it can hold");
        QStringList expected{
            DataFolder::appointmentFileName(m_romeStage) + QStringLiteral("\ttruncated at byte 4") +
                countOf.arg(1).arg(6),
            DataFolder::checkListFileName(m_rome) + QStringLiteral("\ttruncated at byte 12") +
                countOf.arg(3).arg(8),
            QStringLiteral("Cut.stg\ttruncated at byte 51"),
            DataFolder::expensesFileName(m_rome) +
                QStringLiteral("\ttruncated at byte 4: a text of 120 bytes runs past the end") +
                countOf.arg(2147483647).arg(16),
            DataFolder::expensesFileName(m_renamed) +
                QStringLiteral("\ta folder, not a record file; skipped"),
            QStringLiteral("Preference9.prf\ttruncated at byte 6"),
            QStringLiteral("Preferences.alm\ttruncated at byte 0"),
            QStringLiteral("Travel1.tra\ttruncated at byte 22"),
            QStringLiteral("TravelRenamed.tra\tholds the key %1, which names Travel%1.tra")
                .arg(m_renamed),
            QStringLiteral("TravelTwin.tra\tholds the key %1, which names Travel%1.tra")
                .arg(m_lisbon),
            // Backslashes are escaped: each line is one file and one cause.
            QStringLiteral("TravelUnsafe1.tra\tunsafe key \"..\\\\..\\\\x\""),
            QStringLiteral("TravelUnsafe2.tra\tunsafe key \"../x\""),
            QStringLiteral("TravelUnsafe3.tra\tunsafe key \"C:x\""),
            QStringLiteral("TravelUnsafe4.tra\tunsafe key \"..\""),
            QStringLiteral("escaping.stg\tunsafe key \"../../x\""),
            QStringLiteral("wayward.stg\tunsafe key \"../x\""),
            QStringLiteral("x.tra\ta folder, not a record file; skipped"),
            QStringLiteral("TravelTwin.tra\tkey travel %1 is also held by Travel%1.tra; only one "
                           "of them is loaded")
                .arg(m_lisbon),
            DataFolder::imageCategoryFileName(m_rome) +
                QStringLiteral("\ttruncated at byte 4: a text of 1 bytes runs past the end") +
                countOf.arg(5).arg(1),
        };
#ifdef Q_OS_UNIX
        expected.insert(0, DataFolder::appointmentFileName(m_lisbonStage) +
                               QStringLiteral("\tunreadable: larger than 256 MB"));
        expected.insert(2, DataFolder::checkListFileName(m_lisbon) +
                               QStringLiteral("\tnot a plain file; skipped"));
        expected.insert(5, DataFolder::expensesFileName(m_lisbon) +
                               QStringLiteral("\ta link, not a record file; skipped"));
        expected.insert(8, QStringLiteral("Pipe.stg\tnot a plain file; skipped"));
        expected.insert(18, QStringLiteral("TravelZero.tra\ta link, not a record file; skipped"));
#endif
        QCOMPARE(checked.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
        QCOMPARE(folderFingerprint(m_dir.path()), before);
    }

    void commandsReportSpecialFilesInsteadOfHangingOrAborting()
    {
#ifndef Q_OS_UNIX
        QSKIP("pipes and device links are made with POSIX calls");
#endif
        const auto before = folderFingerprint(m_dir.path());
        const PipeWatchdog watchdog(m_pipes);
        const CliRun shown = cli({QStringLiteral("show"), m_lisbon});
        QCOMPARE(shown.exitCode, int(ExitSuccess));
        QVERIFY(shown.out.contains(QLatin1String("\"checklist\": [\n    ]")));
        QVERIFY(shown.err.contains(QLatin1String("run \"voyanta-cli check\"")));
        for (const char* format : {"html", "text", "checklist-csv", "expenses-csv", "ics"}) {
            QCOMPARE(cli({QStringLiteral("export"), m_lisbon, QStringLiteral("--format"),
                          QLatin1String(format)})
                         .exitCode,
                     int(ExitSuccess));
        }
        const CliRun copied = cli({QStringLiteral("copy"), m_lisbon});
        QCOMPARE(copied.exitCode, int(ExitFailed));
        QVERIFY(copied.err.contains(m_lisbon));

        const QList<std::pair<QString, QString>> unreadable{
            {data(DataFolder::checkListFileName(m_lisbon)), QStringLiteral("not a plain file")},
            {data(DataFolder::expensesFileName(m_lisbon)), QStringLiteral("not a plain file")},
            {data(DataFolder::appointmentFileName(m_lisbonStage)),
             QStringLiteral("larger than 256 MB")},
            {data(DataFolder::expensesFileName(m_renamed)), QStringLiteral("a folder, not a file")},
        };
        for (const auto& [path, cause] : unreadable) {
            const CliRun dumped = cli({QStringLiteral("dump"), path});
            QCOMPARE(dumped.exitCode, int(ExitBadUsage));
            QCOMPARE(dumped.err, QStringLiteral("voyanta-cli: %1: %2\n").arg(path, cause));
        }
        for (const QString& document :
             {m_dir.filePath(QStringLiteral("pipe.json")), QStringLiteral("/dev/zero"),
              data(DataFolder::appointmentFileName(m_lisbonStage))}) {
            const CliRun imported = cli({QStringLiteral("import"), document});
            QCOMPARE(imported.exitCode, int(ExitBadUsage));
            QVERIFY2(imported.err.startsWith(QStringLiteral("voyanta-cli: %1: ").arg(document)),
                     qPrintable(imported.err));
        }
        QVERIFY(!watchdog.fired());
        QCOMPARE(folderFingerprint(m_dir.path()), before);
    }

    void deletingTouchesNothingOutsideTheFolder()
    {
        const auto before = folderFingerprint(m_dir.path());
        for (const char* key : {"../x", "..\\..\\x"})
            QCOMPARE(cli({QStringLiteral("delete"), QLatin1String(key)}).exitCode,
                     int(ExitBadUsage));
        for (const QString& key : {m_lisbon, m_rome})
            QCOMPARE(cli({QStringLiteral("delete"), key}).exitCode, int(ExitSuccess));
        // A folder where a list file is removed stops the deletion before the travel goes.
        const CliRun stopped = cli({QStringLiteral("delete"), m_renamed});
        QCOMPARE(stopped.exitCode, int(ExitFailed));
        QVERIFY(stopped.err.startsWith(
            QStringLiteral("voyanta-cli: %1: ")
                .arg(QDir::toNativeSeparators(data(DataFolder::expensesFileName(m_renamed))))));
        const CliRun listed = cli({QStringLiteral("list")});
        QCOMPARE(listed.exitCode, int(ExitSuccess));
        // Files that held a deleted travel under another name went with it: nothing
        // comes back at the next load.
        QCOMPARE(listed.out.section(QLatin1Char('\t'), 0, 0), m_renamed);
        QVERIFY(!QFile::exists(data(QStringLiteral("TravelTwin.tra"))));
        QVERIFY(QFile::exists(data(QStringLiteral("TravelRenamed.tra"))));
        // The link went, the device it named did not.
        QVERIFY(!QFileInfo(data(DataFolder::expensesFileName(m_lisbon))).isSymLink());

        const auto outside = [](QMap<QString, QByteArray> fingerprint) {
            fingerprint.removeIf([](const auto& entry) {
                return entry.key().startsWith(QLatin1String("Voyanta Files/")) ||
                       entry.key().startsWith(QLatin1String("Travel Images/"));
            });
            return fingerprint;
        };
        QCOMPARE(outside(folderFingerprint(m_dir.path())), outside(before));
    }
};

QTEST_GUILESS_MAIN(HostileFolderTest)
#include "tst_hostilefolder.moc"
