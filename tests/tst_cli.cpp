#include "CliRun.h"
#include "ExportFile.h"
#include "RecordCodec.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <bit>
#include <limits>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// Standard output on a full disk: every write fails.
class FullDevice : public QIODevice {
public:
    FullDevice()
    {
        open(QIODevice::WriteOnly);
        setErrorString(QStringLiteral("No space left on device"));
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

} // namespace

class CliTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir* m_dir = nullptr;
    TestClock m_clock;

    QString workdir() const { return m_dir->path(); }
    QString dataFile(const QString& name) const
    {
        return m_dir->filePath(QStringLiteral("Voyanta Files/") + name);
    }

    // The command line in this process on the test's clock; standard output is a
    // buffer unless given.
    CliRun cli(const QStringList& arguments, QIODevice* output = nullptr)
    {
        return runCli(arguments, CliContext{QString(), m_clock.function()}, output);
    }

    CliRun cliIn(QStringList arguments, QIODevice* output = nullptr)
    {
        return cli(QStringList{QStringLiteral("--workdir"), workdir()} + arguments, output);
    }

    // The command line in the working directory: the words of a line, each @ replaced by
    // the next of the further arguments, and those left over after them.
    CliRun cmd(const char* line, QStringList more = {})
    {
        QStringList arguments;
        for (const QString& word : QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts))
            arguments.append(word == QLatin1String("@") ? more.takeFirst() : word);
        return cliIn(arguments + more);
    }

    TravelDataStore store()
    {
        TravelDataStore store;
        (void)openStore(store, workdir(), &m_clock);
        return store;
    }

    int travelCount() { return int(cmd("list").out.count(QLatin1Char('\n'))); }

    RecordKey addTravel(TravelDataStore& store, const DateTimeValue& start, const QString& title)
    {
        TravelRecord travel(start);
        travel.title = title;
        travel.end = DateTimeValue::fromDate(QDate(2007, 1, 2), QTime(3, 4, 5));
        const KeyOutcome added = store.AddTravel(travel);
        if (!added.ok())
            qFatal("AddTravel failed");
        return added.key;
    }

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        m_clock = TestClock{};
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta")).clear();
        QCOMPARE(cmd("init").exitCode, 0);
    }

    void cleanup() { delete m_dir; }

    void theWorkingDirectoryIsTheProfilesUnlessGivenAndSaysWhyItCannotServe()
    {
        QCOMPARE(
            QDir(m_dir->filePath(QStringLiteral("Voyanta Files"))).entryList(QDir::Files).size(),
            7);
        const CliRun none = cli({QStringLiteral("list")});
        QCOMPARE(none.exitCode, 2);
        QCOMPARE(none.err,
                 QStringLiteral("voyanta-cli: no working directory: pass --workdir DIR or "
                                "choose one in Voyanta\n"));

        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
            .setValue(QStringLiteral("Directory/Path"), workdir());
        TravelDataStore data = store();
        const RecordKey key = addTravel(data, at(2006, 3, 5, 9), QStringLiteral("Rome"));
        QCOMPARE(cli({QStringLiteral("list")}).out,
                 key + QStringLiteral("\t2006-03-05 09:00:00\t2007-01-02 03:04:05\tRome\n"));
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta")).clear();

        // Working directories that cannot serve say so.
        const auto failsWith = [this](const QString& folder, const char* command, int code,
                                      const QString& message, const QString& path) {
            const CliRun run = cli({QStringLiteral("--workdir"), folder, QLatin1String(command)});
            QCOMPARE(run.exitCode, code);
            QCOMPARE(run.err, QStringLiteral("voyanta-cli: ") +
                                  message.arg(QDir::toNativeSeparators(path)) + u'\n');
        };
        const QString file = m_dir->filePath(QStringLiteral("notes.txt"));
        QVERIFY(writeFile(file, "x"));
        failsWith(file, "list", 2,
                  QStringLiteral("the working directory %1 is a file, not a folder"), file);
        const QString nowhere = m_dir->filePath(QStringLiteral("nowhere"));
        failsWith(nowhere, "list", 2, QStringLiteral("the working directory %1 does not exist"),
                  nowhere);

        // A data folder that cannot be made: the reason, and exit 3.
        QTemporaryDir other;
        const QString blocked = other.filePath(QStringLiteral("Voyanta Files"));
        QVERIFY(writeFile(blocked, "x"));
        failsWith(other.path(), "init", 3, QStringLiteral("%1: a file of that name is in the way"),
                  blocked);
        TravelDataStore inFile;
        inFile.setWorkingDirectory(file); // the data folder would be inside a file
        const Outcome refreshed = inFile.Refresh();
        QVERIFY(!refreshed.ok());
        QCOMPARE(
            refreshed.error().reason,
            QString::fromStdString(std::make_error_code(std::errc::not_a_directory).message()));
    }

    void listFollowsTheStoreOrder()
    {
        TravelDataStore data = store();
        const RecordKey late =
            addTravel(data, at(2006, 3, 20, 10), QStringLiteral("Late \u00e9t\u00e9"));
        m_clock.advance();
        const RecordKey early = addTravel(data, at(2006, 3, 2, 8), QStringLiteral("Early"));
        TravelRecord invalid = data.GetTravel(early);
        invalid.end.status = DateTimeValue::Invalid;
        invalid.start.status = DateTimeValue::Valid;
        QVERIFY(data.SaveTravel(invalid).ok());
        TravelRecord nulled = data.GetTravel(late);
        nulled.end = DateTimeValue{0.0, DateTimeValue::Null};
        QVERIFY(data.SaveTravel(nulled).ok());

        const CliRun march = cmd("list --month 2006-03");
        QCOMPARE(march.exitCode, 0);
        QCOMPARE(march.out,
                 early + QStringLiteral("\t2006-03-02 08:00:00\tinvalid\tEarly\n") + late +
                     QStringLiteral("\t2006-03-20 10:00:00\tnull\tLate \u00e9t\u00e9\n"));
        QCOMPARE(cmd("list --month 2006-04").out, QString());
    }

    void copyAndDeleteWorkOnTheFolder()
    {
        TravelDataStore data = store();
        const RecordKey key = addTravel(data, at(2006, 6, 1), QStringLiteral("Trip"));
        StageRecord stage = stageOf(key, at(2006, 6, 2));
        QVERIFY(data.AddStage(stage).ok());
        QVERIFY(data.SaveCheckList(key, {CheckListItem{QStringLiteral("Passport"), 1}}).ok());

        // Another process on the same clock: the key the first one holds is passed over.
        const CliRun copied = cmd("copy", {key});
        QCOMPARE(copied.exitCode, 0);
        const QString newKey = copied.out.trimmed();
        QCOMPARE(newKey, QStringLiteral("2006030509012111"));

        QCOMPARE(cmd("delete", {key}).exitCode, 0);
        QCOMPARE(travelCount(), 1);
        const CliRun again = cmd("delete", {key});
        QCOMPARE(again.exitCode, 2);
        QCOMPARE(again.err,
                 QStringLiteral("voyanta-cli: no travel with the key \"%1\"\n").arg(key));
    }

    void checkNamesFilesWhoseTravelOrStageIsGone()
    {
        TravelDataStore data = store();
        const RecordKey key = addTravel(data, at(2006, 6, 1), QStringLiteral("Trip"));
        StageRecord stage = stageOf(key, at(2006, 6, 2));
        const RecordKey stageKey = data.AddStage(stage).key;
        QVERIFY(data.SaveAppointments(stageKey, {AppointmentRecord{}}).ok());
        QVERIFY(data.SaveCheckList(key, {CheckListItem{QStringLiteral("Passport"), 1}}).ok());
        QVERIFY(data.SaveExpenses(key, {ExpenseRecord{}}).ok());
        ImageLinkMap none;
        QVERIFY(data.SaveCategories(key, none).ok());
        QCOMPARE(cmd("check").exitCode, 0);

        // Left behind by a travel and a stage that went, as a sync tool may leave them.
        const QString gone = QStringLiteral("2026120710203410");
        const QString goneStage = gone + QStringLiteral("2026120710203510");
        const QString lostStage = key + QStringLiteral("2026120710203610");
        const auto copyOf = [this](const QString& name, const QString& to) {
            return writeFile(dataFile(to), readFile(dataFile(name)));
        };
        QVERIFY(copyOf(DataFolder::checkListFileName(key), DataFolder::checkListFileName(gone)));
        QVERIFY(copyOf(DataFolder::expensesFileName(key), DataFolder::expensesFileName(gone)));
        QVERIFY(copyOf(DataFolder::checkListFileName(key), QStringLiteral("Notes.chk")));
        QVERIFY(copyOf(DataFolder::appointmentFileName(stageKey),
                       DataFolder::appointmentFileName(lostStage)));
        stage.key = goneStage;
        stage.travelKey = gone;
        QVERIFY(writeFile(dataFile(DataFolder::stageFileName(goneStage)),
                          RecordCodec::encodeStage(stage)));
        QVERIFY(QFile::copy(data.imageCategoryFile(key), data.imageCategoryFile(gone)));
        // A travel whose file is damaged is there: only its file is named.
        const QString damaged = QStringLiteral("2006030509012199");
        QVERIFY(copyOf(DataFolder::checkListFileName(key), DataFolder::checkListFileName(damaged)));
        QVERIFY(writeFile(dataFile(DataFolder::travelFileName(damaged)), hex("0100")));

        const CliRun checked = cmd("check");
        QCOMPARE(checked.exitCode, int(ExitProblemsFound));
        const QString travelGone = QStringLiteral("\tbelongs to travel %1, which is not in the "
                                                  "data folder");
        QCOMPARE(checked.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 (QStringList{
                     DataFolder::travelFileName(damaged) + QStringLiteral("\ttruncated at byte 2"),
                     DataFolder::stageFileName(goneStage) + travelGone.arg(gone),
                     DataFolder::appointmentFileName(lostStage) +
                         QStringLiteral("\tbelongs to stage %1, which is not in the data folder")
                             .arg(lostStage),
                     DataFolder::checkListFileName(gone) + travelGone.arg(gone),
                     DataFolder::expensesFileName(gone) + travelGone.arg(gone),
                     QStringLiteral("Notes.chk\tnamed after no travel; nothing reads it"),
                     DataFolder::imageCategoryFileName(gone) + travelGone.arg(gone),
                 }));
    }

    void dumpPrintsFieldsAndNamesTheCauseOfABadFile()
    {
        TravelRecord travel(DateTimeValue{38781.3759375 + 1e-9, DateTimeValue::Valid});
        travel.key = QStringLiteral("2006030509012110");
        travel.title = QStringLiteral("Caf\u00e9");
        travel.icon = 5;
        travel.end = DateTimeValue{std::numeric_limits<double>::infinity(), DateTimeValue::Null};
        const QString path = dataFile(QStringLiteral("x.tra"));
        QVERIFY(writeFile(path, RecordCodec::encodeTravel(travel)));
        const CliRun dumped = cli({QStringLiteral("dump"), path});
        QCOMPARE(dumped.exitCode, 0);
        const QJsonObject json = QJsonDocument::fromJson(dumped.out.toUtf8()).object();
        QCOMPARE(json.value(QLatin1String("title")).toString(), QStringLiteral("Caf\u00e9"));
        QCOMPARE(json.value(QLatin1String("icon")).toInt(), 5);
        QCOMPARE(json.value(QLatin1String("start")).toObject(),
                 QJsonObject(
                     {{QStringLiteral("status"), 0}, {QStringLiteral("days"), travel.start.days}}));
        QCOMPARE(json.value(QLatin1String("end")).toObject(),
                 QJsonObject({{QStringLiteral("status"), 2},
                              {QStringLiteral("days"), QStringLiteral("Infinity")}}));

        QVERIFY(writeFile(path, RecordCodec::encodeTravel(travel).left(20)));
        const CliRun bad = cli({QStringLiteral("dump"), path});
        QCOMPARE(bad.exitCode, 2);
        QCOMPARE(bad.err,
                 QStringLiteral(
                     "voyanta-cli: %1: truncated at byte 17: a text of 4 bytes runs past the end\n")
                     .arg(path));

        QVERIFY(writeFile(dataFile(QStringLiteral("c.chk")),
                          hex("02000000 0141 07000000 00 00000000")));
        const CliRun list = cli({QStringLiteral("dump"), dataFile(QStringLiteral("c.chk"))});
        QCOMPARE(QJsonDocument::fromJson(list.out.toUtf8()).object(),
                 QJsonDocument::fromJson(R"({"count": 2, "items": [{"text": "A", "checked": 7},
                                                                {"text": "", "checked": 0}]})")
                     .object());
        QCOMPARE(cli({QStringLiteral("dump"), dataFile(QStringLiteral("none.tra"))}).exitCode, 2);
    }

    void showAndImportRoundTrip()
    {
        TravelDataStore data = store();
        QStringList keys;
        // Days that JSON has no number for, or whose number would read back as other bits.
        const double inf = std::numeric_limits<double>::infinity();
        const DateTimeValue odd[] = {
            {std::numeric_limits<double>::quiet_NaN(), DateTimeValue::Invalid},
            {-0.0, DateTimeValue::Valid},
            {std::bit_cast<double>(0xFFF8000000000001), DateTimeValue::Invalid}};
        for (int t = 0; t < 3; ++t) {
            TravelRecord travel(at(2006, 3 + t, 1 + t, 8));
            travel.end = odd[t];
            travel.title = QStringLiteral("Trip %1 \u00e9\u6771").arg(t);
            travel.notes = QStringLiteral("line one\nline two");
            travel.icon = 7 * t;
            const KeyOutcome added = data.AddTravel(travel);
            keys.append(added.key);
            for (int s = 0; s < t + 1; ++s) {
                StageRecord stage(DateTimeValue{38781.123456789 + s, DateTimeValue::Valid});
                stage.travelKey = added.key;
                stage.title = QStringLiteral("Stage %1").arg(s);
                const KeyOutcome stageAdded = data.AddStage(stage);
                AppointmentRecord appointment(DateTimeValue{-1.75, DateTimeValue::Valid});
                appointment.subject = QStringLiteral("Meet");
                AppointmentRecord later(DateTimeValue{s == 0 ? -inf : inf, DateTimeValue::Null});
                QVERIFY(data.SaveAppointments(stageAdded.key, {appointment, later}).ok());
            }
            QVERIFY(data.SaveCheckList(added.key, {CheckListItem{QStringLiteral("a"), 0}}).ok());
            QVERIFY(data.SaveExpenses(added.key, {ExpenseRecord{QStringLiteral("Food"), 0.1,
                                                                QString(), 0.7, 0.1 * 0.7, 1}})
                        .ok());
            // t picture categories of t + 1 links each, with the texts no window shows.
            ImageLinkMap links;
            data.LoadCategories(added.key, nullptr, links);
            for (int c = 0; c < t; ++c) {
                ImageCategory category{QStringLiteral("Photos %1 \u6771").arg(c), {}, 0};
                category.further[4] = QStringLiteral("kept");
                const int number = data.AddCategory(category);
                for (int l = 0; l <= t; ++l) {
                    ImageLink link{QStringLiteral("/pictures/%1-%2.jpg").arg(c).arg(l),
                                   QStringLiteral("Picture %1").arg(l),
                                   {QStringLiteral("a"), {}, {}, {}, QStringLiteral("e")},
                                   0};
                    links.insert(LinkKey(number) * LinksPerCategory + l, link);
                }
            }
            if (t > 0)
                QVERIFY(data.SaveCategories(added.key, links).ok());
        }
        // A checked value the handheld stored as 7 survives the round trip.
        QVERIFY(writeFile(dataFile(DataFolder::checkListFileName(keys[2])),
                          hex("01000000 0162 07000000")));

        const auto withoutKeys = [](QJsonObject travel) {
            travel.remove(QStringLiteral("key"));
            QJsonArray stages;
            for (const QJsonValue& value : travel.value(QStringLiteral("stages")).toArray()) {
                QJsonObject stage = value.toObject();
                stage.remove(QStringLiteral("key"));
                stage.remove(QStringLiteral("travelKey"));
                stages.append(stage);
            }
            travel.insert(QStringLiteral("stages"), stages);
            return travel;
        };
        for (const RecordKey& key : keys) {
            const CliRun shown = cliIn(
                {QStringLiteral("show"), key, QStringLiteral("--locale"), QStringLiteral("en_US")});
            QCOMPARE(shown.exitCode, 0);
            const QString path = m_dir->filePath(key + QStringLiteral(".json"));
            QVERIFY(writeFile(path, shown.out.toUtf8()));
            const CliRun imported = cmd("import", {path});
            QCOMPARE(imported.exitCode, 0);
            const QString newKey = imported.out.trimmed();
            QVERIFY(!keys.contains(newKey));
            const CliRun again =
                cmd("show", {newKey, QStringLiteral("--locale"), QStringLiteral("en_US")});
            const QJsonObject before = QJsonDocument::fromJson(shown.out.toUtf8()).object();
            const QJsonObject after = QJsonDocument::fromJson(again.out.toUtf8()).object();
            QCOMPARE(after.value(QLatin1String("key")).toString(), newKey);
            QCOMPARE(withoutKeys(after), withoutKeys(before));
            const int t = int(keys.indexOf(key));
            QCOMPARE(store().GetTravel(newKey).end, odd[t]);
            const QJsonArray pictures = before.value(QLatin1String("pictures")).toArray();
            QCOMPARE(pictures.size(), t);
            // The texts no window shows are printed, and so imported again.
            QCOMPARE(shown.out.count(QLatin1String("\"kept\"")), t);
        }
        QCOMPARE(travelCount(), 6);
    }

    void everyFailingCommandExitsWithItsCode()
    {
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
        TravelDataStore data = store();
        TravelRecord big(at(2006, 6, 1));
        big.notes = QString(2000, QLatin1Char('n'));
        const RecordKey key = data.AddTravel(big).key;
        const QString document = m_dir->filePath(QStringLiteral("big.json"));
        QVERIFY(writeFile(document, cmd("show", {key}).out.toUtf8()));
        const auto before = folderFingerprint(workdir());
        const auto failsWith = [&](int code, const char* line, const QString& argument,
                                   const QString& start) {
            const CliRun run = cmd(line, {argument});
            QCOMPARE(run.exitCode, code);
            QVERIFY2(run.err.startsWith(QStringLiteral("voyanta-cli: ") + start),
                     qPrintable(run.err));
        };
        {
            // A full disk: the copy and the import fail and leave nothing behind.
            FileSizeLimit limit(1000);
            QVERIFY(limit.isSet());
            failsWith(3, "copy", key, dataFile(QString()));
            failsWith(3, "import", document, dataFile(QString()));
        }
        QCOMPARE(folderFingerprint(workdir()), before);

        const QString none = m_dir->filePath(QStringLiteral("none.json"));
        failsWith(2, "copy", QStringLiteral("1999"), QStringLiteral("no travel"));
        failsWith(2, "import", none, none);
        failsWith(2, "export", key, QStringLiteral("export: --format is missing"));
        failsWith(2, "export @ --format docx", key, QStringLiteral("export: unknown format"));
        for (const QString& output :
             {m_dir->filePath(QStringLiteral("missing/trip.html")), m_dir->path()}) {
            const CliRun run = cmd("export @ --format html --output", {key, output});
            QCOMPARE(run.exitCode, 3);
            QVERIFY2(run.err.startsWith(
                         QStringLiteral("voyanta-cli: %1: ").arg(QDir::toNativeSeparators(output))),
                     qPrintable(run.err));
        }
        QVERIFY(QFileInfo(m_dir->path()).isDir());
        QCOMPARE(folderFingerprint(workdir()), before);

        // A file that cannot be removed (a folder in its place) stops the deletion.
        const QString stuck = dataFile(DataFolder::checkListFileName(key));
        QVERIFY(QDir().mkpath(stuck + QStringLiteral("/inside")));
        failsWith(3, "delete", key, QDir::toNativeSeparators(stuck));
        QCOMPARE(travelCount(), 1);
    }

    void aFailedWriteToStandardOutputIsExitThree()
    {
        TravelDataStore data = store();
        const RecordKey key = addTravel(data, at(2006, 3, 5), QStringLiteral("Rome"));
        StageRecord stage = stageOf(key, at(2006, 3, 6));
        QVERIFY(data.AddStage(stage).ok());
        const QString document = m_dir->filePath(QStringLiteral("trip.json"));
        QVERIFY(writeFile(document, cmd("show", {key}).out.toUtf8()));
        const QList<QStringList> commands{
            {QStringLiteral("list")},
            {QStringLiteral("stages"), key},
            {QStringLiteral("show"), key},
            {QStringLiteral("export"), key, QStringLiteral("--format"), QStringLiteral("text")},
            {QStringLiteral("dump"), dataFile(DataFolder::travelFileName(key))},
            {QStringLiteral("copy"), key},
            {QStringLiteral("import"), document},
        };
        for (const QStringList& command : commands) {
            FullDevice full;
            const CliRun run = cliIn(command, &full);
            QCOMPARE(run.exitCode, 3);
            QCOMPARE(run.err, QStringLiteral("voyanta-cli: standard output: No space left on "
                                             "device\n"));
        }
        // The copy and the import whose keys could not be printed are gone again.
        QCOMPARE(travelCount(), 1);

        // The program itself, with its standard output on a full device.
        const QFileInfo full(QStringLiteral("/dev/full"));
        if (!full.exists() || full.isFile())
            QSKIP("no /dev/full on this system");
        for (const QStringList& command : commands.mid(0, 4)) {
            QProcess process;
            process.setStandardOutputFile(full.filePath());
            process.start(QStringLiteral(VOYANTA_CLI),
                          QStringList{QStringLiteral("--workdir"), workdir()} + command);
            QVERIFY(process.waitForFinished(30000));
            QCOMPARE(process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(process.exitCode(), 3);
            QVERIFY(process.readAllStandardError().startsWith(
                "voyanta-cli: standard output: No space left on device"));
        }
    }

    void exportsIntoPipesAndDevicesAreWrittenNotReplaced()
    {
#ifndef Q_OS_UNIX
        QSKIP("pipes are made with POSIX calls");
#else
        TravelDataStore data = store();
        const RecordKey key = addTravel(data, at(2006, 3, 5), QStringLiteral("Rome"));
        const QString pipe = m_dir->filePath(QStringLiteral("pipe.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QByteArray received;
        std::thread reader([&] { received = readFile(pipe); });
        const CliRun toPipe = cmd("export @ --format text --output", {key, pipe});
        reader.join();
        QCOMPARE(toPipe.exitCode, 0);
        QCOMPARE(received, RenderExportFile(data, key, ExportFormat::Text));
        QVERIFY(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());

        // A device that fails every write, named straight or through a link.
        const QString link = m_dir->filePath(QStringLiteral("full.txt"));
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full on this system");
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), link));
        for (const QString& output : {QStringLiteral("/dev/full"), link}) {
            const CliRun run = cmd("export @ --format text --output", {key, output});
            QCOMPARE(run.exitCode, 3);
            QCOMPARE(run.err,
                     QStringLiteral("voyanta-cli: %1: No space left on device\n").arg(output));
        }
        QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());
        QVERIFY(QFileInfo(link).isSymLink());
#endif
    }

    void textsWithTabsAndLineBreaksStayOneField()
    {
        TravelDataStore data = store();
        // The direction controls would reverse the rest of the terminal's line.
        const QString title = QStringLiteral(
            "Tab\there\r\nnext\\line\x01\u0085\u2028end \u00e9\u202a\u202eexe.\u2066\u2069");
        const QString escaped =
            QStringLiteral("Tab\\there\\r\\nnext\\\\line\\u0001\\u0085\\u2028end "
                           "\u00e9\\u202a\\u202eexe.\\u2066\\u2069");
        const RecordKey key = addTravel(data, at(2006, 3, 5, 9), title);
        StageRecord stage = stageOf(key, at(2006, 3, 6, 9), title);
        const RecordKey stageKey = data.AddStage(stage).key;
        QCOMPARE(cmd("list").out,
                 key + QStringLiteral("\t2006-03-05 09:00:00\t2007-01-02 03:04:05\t") + escaped +
                     QLatin1Char('\n'));
        QCOMPARE(cmd("stages", {key}).out, stageKey + QStringLiteral("\t2006-03-06 09:00:00\t") +
                                               escaped + QLatin1Char('\n'));
        QCOMPARE(cmd("find exe").out, QStringLiteral("travel\t%1\t2006-03-05 09:00:00\t%3\ttitle\n"
                                                     "stage\t%2\t2006-03-06 09:00:00\t%3\ttitle\n")
                                          .arg(key, stageKey, escaped));
        // show prints JSON, where the text is whole.
        const QJsonObject shown = QJsonDocument::fromJson(cmd("show", {key}).out.toUtf8()).object();
        QCOMPARE(shown.value(QLatin1String("title")).toString(), title);
    }

    void importRefusesNumbersThatAreNoNumbersOrNoDates()
    {
        const QString path = m_dir->filePath(QStringLiteral("trip.json"));
        const QString noDays =
            QStringLiteral("\"%1.days\" must be a finite number, \"NaN\", "
                           "\"Infinity\", \"-Infinity\" or \"0x\" and 16 hex digits");
        const QString noDate = QStringLiteral(
            "\"%1.days\" must be a date in the years 100 to 9999 when \"status\" is 0 (valid)");
        const QList<std::pair<QByteArray, QString>> documents{
            {R"({"title": "x", "stages": [{"date": "tomorrow"}]})",
             QStringLiteral("stages[0]: \"date\" must be an object with status and days")},
            {R"({"title": "x", "expenses": [{"product": "Food", "quantity": null}]})",
             QStringLiteral("expenses[0]: \"quantity\" must be a finite number")},
            {R"({"title": "x", "start": {"status": 1, "days": null}})",
             noDays.arg(QLatin1String("start"))},
            {R"({"title": "x", "stages": [{"date": {"status": 0, "days": 1e999}}]})",
             QStringLiteral("not a travel document: illegal number")},
            // Valid dates outside the years 100 to 9999.
            {R"({"stages": [{"appointments": [{"when": {"days": -1e15}}]}]})",
             QStringLiteral("stages[0]: appointments[0]: ") + noDate.arg(QLatin1String("when"))},
            {R"({"start": {"status": 0, "days": -657435}})", noDate.arg(QLatin1String("start"))},
            {R"({"end": {"status": 0, "days": 2958466}})", noDate.arg(QLatin1String("end"))},
        };
        const auto before = folderFingerprint(workdir());
        for (const auto& [json, cause] : documents) {
            QVERIFY(writeFile(path, json));
            const CliRun run = cmd("import", {path});
            QCOMPARE(run.exitCode, 2);
            QCOMPARE(
                run.err,
                QStringLiteral("voyanta-cli: %1: %2\n").arg(QDir::toNativeSeparators(path), cause));
        }
        auto after = folderFingerprint(workdir());
        after.remove(QStringLiteral("trip.json"));
        QCOMPARE(after, before);
        // The first and the last day those years hold.
        QVERIFY(writeFile(path, R"({"start": {"status": 0, "days": -657434.99},
                                    "end": {"status": 0, "days": 2958465.9999}})"));
        QCOMPARE(cmd("import", {path}).exitCode, 0);
    }

    void findListsEveryMatchingRecord()
    {
        TravelDataStore data = store();
        TravelRecord zurich(at(2027, 1, 10, 8));
        zurich.title = QStringLiteral("Conference in Z\u00fcrich\tand more");
        zurich.notes = QStringLiteral("Lake Zurich");
        const RecordKey travel = data.AddTravel(zurich).key;
        const RecordKey stage = data.AddStage(stageOf(travel, at(2027, 1, 11, 9))).key;
        AppointmentRecord dinner(at(2027, 1, 11, 19, 30));
        dinner.subject = QStringLiteral("Dinner");
        dinner.location = QStringLiteral("Z\u00fcrichberg");
        QVERIFY(data.SaveAppointments(stage, {dinner}).ok());
        QVERIFY(data.SaveCheckList(travel, {{QStringLiteral("Z\u00fcrich card"), 0}}).ok());
        m_clock.advance();
        addTravel(data, at(2027, 2, 1), QStringLiteral("Geneva"));

        const CliRun found = cmd("find zurich");
        QCOMPARE(found.exitCode, 0);
        QCOMPARE(found.err, QString());
        const QString title = QStringLiteral("Conference in Z\u00fcrich\\tand more");
        COMPARE_TEXT(found.out,
                     QStringLiteral("travel\t%1\t2027-01-10 08:00:00\t%2\ttitle\n"
                                    "travel\t%1\t2027-01-10 08:00:00\t%2\tnotes\n"
                                    "appointment\t%3\t2027-01-11 19:30:00\tDinner\tlocation\n"
                                    "checklist\t%1\t2027-01-10 08:00:00\tZ\u00fcrich card\tentry\n")
                         .arg(travel, title, stage));

        const CliRun nothing = cmd("find Lisbon");
        QCOMPARE(nothing.exitCode, 1);
        QCOMPARE(nothing.out, QString());
        QCOMPARE(nothing.err, QString());
        for (const CliRun& bad :
             {cmd("find"), cmd("find", {QStringLiteral(" ")}), cmd("find a b")}) {
            QCOMPARE(bad.exitCode, 2);
            QVERIFY(bad.err.startsWith(QLatin1String("voyanta-cli: find: ")));
        }
    }

    void badUsageIsExitTwo()
    {
        for (const char* line :
             {"", "fly", "list --bogus", "--locale xx_nowhere list", "list --month March",
              "list --format html", "stages", "stages 2000", "stages --month 2006-01 1", "copy",
              "copy 1 2", "show 1234", "dump"}) {
            const CliRun run = cmd(line);
            QVERIFY2(run.exitCode == 2, line);
            QVERIFY(run.err.startsWith(QLatin1String("voyanta-cli: ")));
        }
        QCOMPARE(cmd("list --locale de_DE").exitCode, 0);
        // Asking for help is no mistake: the usage goes to standard output.
        for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            const CliRun run = cli({help});
            QCOMPARE(run.exitCode, 0);
            QVERIFY(run.out.startsWith(QLatin1String("usage: voyanta-cli")));
            QVERIFY(run.out.contains(QLatin1String("  find TEXT")));
            QVERIFY(run.err.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
