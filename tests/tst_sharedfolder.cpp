#include "CheckListModel.h"
#include "CheckListView.h"
#include "CliRun.h"
#include "CommandIds.h"
#include "DataFolder.h"
#include "FolderCheck.h"
#include "StageDetailListView.h"
#include "TestSupport.h"
#include "TravelDataStore.h"
#include "TravelTreeView.h"
#include "WindowFixture.h"

#include <QAction>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

// voyanta-cli run on a folder, as another program beside the window; its exit code.
int cli(const QString& folder, const QStringList& arguments)
{
    return runCli(QStringList{QStringLiteral("--workdir"), folder} + arguments, CliContext{})
        .exitCode;
}

// Every file of the data folder, by name.
QStringList dataFiles(const QString& workingDirectory)
{
    return QDir(DataFolder(workingDirectory).path())
        .entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
}

// A store on a temporary folder, on a test clock.
struct StoreOnFolder {
    QTemporaryDir dir;
    TestClock clock;
    TravelDataStore store;
    bool open() { return openStore(store, dir.path(), &clock); }
};

// The window started on a folder holding the travel "Rome" with the given check list, its
// check list view shown. Given a place for them, the list file is cut short by two bytes
// first, and the bytes left are put there.
CMainFrame* startOnRomesList(WindowFixture& run, RecordKey& rome, const QList<CheckListItem>& list,
                             QByteArray* cut = nullptr)
{
    {
        const auto data = run.seed();
        rome = addTitledTravel(*data, at(2006, 3, 20), QStringLiteral("Rome"));
        const QString file = data->dataFolder().checkListFile(rome);
        if (!data->SaveCheckList(rome, list).ok())
            return nullptr;
        if (cut && !writeFile(file, *cut = readFile(file).chopped(2)))
            return nullptr;
    }
    CMainFrame* frame = run.startOnFolder(QDate(2006, 3, 1));
    if (frame)
        frame->tree()->selectPath(rome, TreeChild::CheckList, {});
    return frame;
}

// The check list view of the window, with its first entry ticked.
CChekListView* withFirstTicked(CMainFrame* frame)
{
    auto* view = frame ? qobject_cast<CChekListView*>(frame->upperView()) : nullptr;
    if (!view ||
        !view->model()->setData(view->model()->index(0, 0), Qt::Checked, Qt::CheckStateRole))
        return nullptr;
    return view;
}

} // namespace

// Several programs on one data folder at once: the window program and voyanta-cli, two
// windows, or a folder-sync tool beside them.
class SharedFolderTest : public QObject {
    Q_OBJECT

private slots:
    void processesWorkingAtOnceKeepEveryTravelWhole()
    {
        // A record's file gets its whole content when its key is taken: a reader beside
        // the importing processes never meets an empty or half-written file.
        QTemporaryDir dir;
        TravelDataStore store;
        QVERIFY(openStore(store, dir.path()));
        const QString worker =
            QCoreApplication::applicationDirPath() + QLatin1String("/folder_worker");
        std::vector<std::unique_ptr<QProcess>> workers;
        for (const char* name : {"A", "B", "C"}) {
            auto& process = workers.emplace_back(std::make_unique<QProcess>());
            process->start(worker, {dir.path(), QLatin1String(name), QStringLiteral("40")});
            QVERIFY(process->waitForReadyRead(10000));
            QCOMPARE(process->readLine(), QByteArray("ready\n"));
        }
        // Written out now, not when each worker is waited for: all start at once.
        for (auto& process : workers)
            process->write("go\n");
        for (auto& process : workers)
            QVERIFY(process->waitForBytesWritten());
        int checks = 0;
        for (;; ++checks) {
            const bool running = std::any_of(workers.begin(), workers.end(), [](auto& process) {
                return process->state() != QProcess::NotRunning;
            });
            for (const LoadProblem& problem : CheckDataFolder(store.dataFolder(), QString()))
                QVERIFY2(!problem.cause.contains(QStringLiteral("truncated")),
                         qPrintable(problem.fileName + QStringLiteral(": ") + problem.cause));
            if (!running)
                break;
            for (auto& process : workers)
                process->waitForFinished(5);
        }
        QVERIFY(checks > 0);

        QMap<QString, QString> alive; // key -> title
        for (auto& process : workers) {
            QCOMPARE(process->exitCode(), 0);
            const QStringList lines = QString::fromUtf8(process->readAllStandardOutput())
                                          .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            for (const QString& line : lines) {
                const QString key = line.section(QLatin1Char('\t'), 0, 0);
                QVERIFY2(!alive.contains(key), qPrintable(key + QStringLiteral(" twice")));
                alive.insert(key, line.section(QLatin1Char('\t'), 1));
            }
        }
        // 40 rounds: 40 travels and 13 copies each, 10 of them deleted again.
        QCOMPARE(alive.size(), 3 * (40 + 13 - 10));
        QVERIFY(QDir(store.dataFolder().path())
                    .entryList({QStringLiteral(".claim-*")}, QDir::Files | QDir::Hidden)
                    .isEmpty());

        QVERIFY(store.Refresh().ok());
        QVERIFY(store.problems().isEmpty());
        QCOMPARE(store.TravelKeys(), alive.keys());
        for (auto it = alive.cbegin(); it != alive.cend(); ++it) {
            const QString& title = it.value();
            QCOMPARE(store.GetTravel(it.key()).title, title);
            QStringList stageTitles;
            for (const RecordKey& stage : store.StagesOf(it.key()))
                stageTitles.append(store.GetStage(stage).title);
            stageTitles.sort();
            QCOMPARE(stageTitles,
                     (QStringList{title + QStringLiteral(" a"), title + QStringLiteral(" b")}));
            QCOMPARE(store.LoadCheckList(it.key()), (QList<CheckListItem>{{title, 0}}));
        }
        QCOMPARE(CheckDataFolder(store.dataFolder(), QString()), QList<LoadProblem>{});
    }

    void savesRefuseRecordsRemovedOutside()
    {
        StoreOnFolder folder;
        auto& [dir, clock, store] = folder;
        QVERIFY(folder.open());
        const RecordKey travel = addTitledTravel(store, at(2006, 3, 20), QStringLiteral("Rome"));
        StageRecord stage = stageOf(travel, at(2006, 3, 21), QStringLiteral("Forum"));
        stage.key = store.AddStage(stage).key;
        QVERIFY(!stage.key.isEmpty());

        QCOMPARE(cli(dir.path(), {QStringLiteral("delete"), travel}), 0);
        const QStringList left = dataFiles(dir.path());
        const QList<Outcome> refused = {
            store.SaveCheckList(travel, {{QStringLiteral("Visa"), 1}}),
            store.SaveExpenses(travel, {ExpenseRecord{}}),
            store.SaveAppointments(stage.key, {AppointmentRecord(at(2006, 3, 21))}),
            store.SaveStage(stage),
            store.AddStage(stageOf(travel, at(2006, 3, 21), QStringLiteral("Colosseum"))).outcome,
            store.SaveTravel(store.GetTravel(travel)),
            store.SaveCategories(travel, {}),
        };
        for (const Outcome& outcome : refused) {
            QCOMPARE(outcome.refusal(), Outcome::Refusal::OwnerGone);
            QVERIFY2(outcome.error().reason.contains(QStringLiteral("removed outside Voyanta")),
                     qPrintable(outcome.message()));
        }
        QCOMPARE(dataFiles(dir.path()), left);
        QVERIFY(!QDir(store.imagesFolder()).exists(DataFolder::imageCategoryFileName(travel)));

        // A stage removed alone refuses its appointments too.
        const RecordKey other = addTitledTravel(store, at(2006, 3, 22), QStringLiteral("Oslo"));
        const KeyOutcome pier =
            store.AddStage(stageOf(other, at(2006, 3, 21), QStringLiteral("Pier")));
        QVERIFY(QFile::remove(store.dataFolder().stageFile(pier.key)));
        QCOMPARE(store.SaveAppointments(pier.key, {}).refusal(), Outcome::Refusal::OwnerGone);
        QVERIFY(!QFileInfo::exists(store.dataFolder().appointmentFile(pier.key)));
    }

    void travelReplacedOutsideIsNotOverwritten()
    {
        StoreOnFolder folder;
        TravelDataStore& window = folder.store;
        QVERIFY(folder.open());
        const RecordKey key = addTitledTravel(window, at(2006, 3, 20), QStringLiteral("Rome"));

        TravelDataStore other;
        QVERIFY(openStore(other, folder.dir.path()));
        TravelRecord theirs = other.GetTravel(key);
        theirs.title = QStringLiteral("Rome and Naples");
        QVERIFY(other.SaveTravel(theirs).ok());

        TravelRecord mine = window.GetTravel(key);
        mine.notes = QStringLiteral("mine");
        const Outcome refused = window.SaveTravel(mine);
        QCOMPARE(refused.refusal(), Outcome::Refusal::ChangedOutside);
        QVERIFY(refused.message().contains(DataFolder::travelFileName(key)));
        QVERIFY(other.Refresh().ok());
        QCOMPARE(other.GetTravel(key).title, QStringLiteral("Rome and Naples"));

        QVERIFY(window.SaveTravel(mine, TravelDataStore::TravelWrite::Overwrite).ok());
        // Its own saves are what the store read since: the next save goes through.
        QVERIFY(window.SaveTravel(mine).ok());
        QVERIFY(other.Refresh().ok());
        QCOMPARE(other.GetTravel(key).notes, QStringLiteral("mine"));
    }

    void linksInTheFolderAreNeverWrittenThrough()
    {
        StoreOnFolder folder;
        TravelDataStore& store = folder.store;
        QVERIFY(folder.open());
        QTemporaryDir outside;
        // A dangling link where the next key's check list would go: the key is passed over.
        const QString target = outside.filePath(QStringLiteral("planted"));
        const QString nextList =
            store.dataFolder().checkListFile(QStringLiteral("2006030509012110"));
        QVERIFY(QFile::link(target, nextList));
        TravelRecord travel(at(2006, 3, 20));
        const KeyOutcome added = store.AddTravel(travel);
        QCOMPARE(added.key, QStringLiteral("2006030509012111"));
        QVERIFY(store.SaveCheckList(added.key, {{QStringLiteral("Visa"), 0}}).ok());
        QVERIFY(!QFileInfo::exists(target));

        // A link under a record's own name is refused, not followed.
        const QString listOfAdded = store.dataFolder().checkListFile(added.key);
        QVERIFY(QFile::remove(listOfAdded));
        QVERIFY(QFile::link(target, listOfAdded));
        const Outcome refused = store.SaveCheckList(added.key, {{QStringLiteral("Visa"), 1}});
        QVERIFY(!refused.ok());
        QVERIFY(refused.message().contains(QStringLiteral("link")));
        QVERIFY(refused.message().contains(DataFolder::checkListFileName(added.key)));
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(QFileInfo(listOfAdded).isSymLink());
    }

    void damagedListIsNeverCopiedShort()
    {
        StoreOnFolder folder;
        auto& [dir, clock, store] = folder;
        QVERIFY(folder.open());
        const RecordKey key = addTitledTravel(store, at(2006, 3, 20), QStringLiteral("Rome"));
        QVERIFY(store.SaveCheckList(key, {{QStringLiteral("Visa"), 0}, {QStringLiteral("Map"), 1}})
                    .ok());
        const QString list = store.dataFolder().checkListFile(key);
        const QByteArray whole = readFile(list);
        QVERIFY(writeFile(list, whole.left(whole.size() - 2)));
        const QStringList before = dataFiles(dir.path());

        const KeyOutcome copied = store.CopyTravel(key);
        QVERIFY(!copied.ok());
        QVERIFY(copied.outcome.message().contains(DataFolder::checkListFileName(key)));
        QCOMPARE(dataFiles(dir.path()), before);

        // A stage whose appointments cannot be read whole ends the copy just as well, with
        // the stages copied before it taken back.
        QVERIFY(writeFile(list, whole));
        for (const char* title : {"Forum", "Pantheon"}) {
            const KeyOutcome stage =
                store.AddStage(stageOf(key, at(2006, 3, 21), QLatin1String(title)));
            QVERIFY(store.SaveAppointments(stage.key, {AppointmentRecord(at(2006, 3, 21))}).ok());
        }
        const QString appointments =
            store.dataFolder().appointmentFile(store.StagesOf(key).constLast());
        QVERIFY(writeFile(appointments, readFile(appointments).chopped(3)));
        const QStringList withStages = dataFiles(dir.path());
        QVERIFY(!store.CopyTravel(key).ok());
        QCOMPARE(dataFiles(dir.path()), withStages);
    }

    // The window open on the folder while voyanta-cli changes it.

    void windowKeepsEditsOfATravelRemovedOutside_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("keep") << QStringLiteral("Keep as New Travel");
        QTest::newRow("discard") << QStringLiteral("Discard");
    }

    void windowKeepsEditsOfATravelRemovedOutside()
    {
        QFETCH(QString, answer);
        WindowFixture run;
        RecordKey rome;
        CMainFrame* frame = startOnRomesList(run, rome, {{QStringLiteral("Visa"), 0}});
        QVERIFY(withFirstTicked(frame));

        QCOMPARE(cli(run.dir.path(), {QStringLiteral("delete"), rome}), 0);
        run.prompter.choices = {answer};
        frame->tree()->selectPath(rome, TreeChild::None, {}); // a save point
        QCOMPARE(run.prompter.chooseTexts.size(), 1);
        QVERIFY(run.prompter.chooseTexts.first().contains(QStringLiteral("\"Rome\" was removed")));
        QTRY_VERIFY(!frame->tree()->travelNode(rome).isValid()); // read again
        QVERIFY(!QFileInfo::exists(run.store.dataFolder().travelFile(rome)));
        QVERIFY(!QFileInfo::exists(run.store.dataFolder().checkListFile(rome)));

        const QList<RecordKey> travels = run.store.TravelKeys();
        if (answer == QStringLiteral("Discard")) {
            QVERIFY(travels.isEmpty());
        } else {
            QCOMPARE(travels.size(), 1);
            QCOMPARE(run.store.GetTravel(travels.first()).title, QStringLiteral("Rome"));
            QCOMPARE(run.store.LoadCheckList(travels.first()),
                     (QList<CheckListItem>{{QStringLiteral("Visa"), 1}}));
            QVERIFY(frame->tree()->travelNode(travels.first()).isValid());
        }
        QVERIFY2(run.prompter.unexpected.isEmpty(), qPrintable(run.prompter.unexpected.join(u',')));
    }

    void windowShowsADamagedListReadOnly()
    {
        WindowFixture run;
        RecordKey rome;
        QByteArray cut;
        run.prompter.answers = {}; // the start's notice of damaged files asks nothing
        run.prompter.choices = {QStringLiteral("Leave It")};
        CMainFrame* frame = startOnRomesList(
            run, rome, {{QStringLiteral("Visa"), 0}, {QStringLiteral("Map"), 1}}, &cut);
        auto* view = frame ? qobject_cast<CChekListView*>(frame->upperView()) : nullptr;
        QVERIFY(view);
        const QString list = run.store.dataFolder().checkListFile(rome);
        QCOMPARE(run.prompter.chooseTexts.size(), 1);
        QVERIFY(run.prompter.chooseTexts.first().contains(DataFolder::checkListFileName(rome)));
        const QModelIndex visa = view->model()->index(0, 0);
        // Read only: nothing to tick or edit, and the rows still there to read.
        QCOMPARE(view->model()->flags(visa) &
                     (Qt::ItemIsUserCheckable | Qt::ItemIsEditable | Qt::ItemIsEnabled),
                 Qt::ItemFlags(Qt::ItemIsEnabled));
        QVERIFY(!view->model()->setData(visa, Qt::Checked, Qt::CheckStateRole));
        frame->updateCommands();
        QVERIFY(!frame->action(Cmd::CheckListNew)->isEnabled());
        frame->tree()->selectPath(rome, TreeChild::None, {});
        QCOMPARE(readFile(list), cut);

        // Kept: the damaged file is set aside, what was read is saved whole.
        run.prompter.choices = {QStringLiteral("Keep What Was Read")};
        frame->tree()->selectPath(rome, TreeChild::CheckList, {});
        view = qobject_cast<CChekListView*>(frame->upperView());
        QCOMPARE(readFile(list + QStringLiteral(".damaged")), cut);
        QVERIFY(view->model()->flags(view->model()->index(0, 0)) & Qt::ItemIsUserCheckable);
        QCOMPARE(run.store.damageOf(DataFolder::checkListFileName(rome)), QString());
        QCOMPARE(run.store.LoadCheckList(rome).size(), view->model()->rowCount());
        QVERIFY(run.prompter.unexpected.isEmpty());
    }

    void failedSaveLetsTheUserRetryDiscardOrStay()
    {
        WindowFixture run;
        RecordKey rome;
        CMainFrame* frame = startOnRomesList(run, rome, {{QStringLiteral("Visa"), 0}});
        CChekListView* view = withFirstTicked(frame);
        QVERIFY(view);
        // A folder in the list file's place: no save can replace it, not even as root.
        const QString list = run.store.dataFolder().checkListFile(rome);
        QVERIFY(QFile::remove(list));
        QVERIFY(QDir().mkdir(list));

        // Retry, then Cancel: the view, its tick and the tree's node stay.
        run.prompter.choices = {QStringLiteral("Retry"), QStringLiteral("Cancel")};
        frame->tree()->selectPath(rome, TreeChild::None, {});
        QCOMPARE(run.prompter.chooseTexts.size(), 2);
        QVERIFY(run.prompter.chooseTexts.first().contains(DataFolder::checkListFileName(rome)));
        QCOMPARE(frame->upperView(), view);
        QCOMPARE(frame->tree()->selection().child, TreeChild::CheckList);
        QCOMPARE(view->model()->index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));

        // Discard Changes: the window goes on, tree and view agree, and it can close.
        run.prompter.choices = {QStringLiteral("Discard Changes")};
        frame->tree()->selectPath(rome, TreeChild::Expenses, {});
        QCOMPARE(frame->upperView()->kind(), ViewKind::ExpenseList);
        QCOMPARE(frame->tree()->selection().child, TreeChild::Expenses);
        QVERIFY(frame->close());
        QVERIFY(QFileInfo(list).isDir());
        QVERIFY(run.prompter.unexpected.isEmpty());
    }

    // Pictures: every working directory keeps its own beside its data folder, and takes
    // those of its travels once from the per-machine folder of earlier versions.

    void workingDirectoriesThatMakeOneKeyKeepTheirOwnPictures()
    {
        // A folder and its copy, or two folders, make a travel in the same second.
        QTemporaryDir dir;
        TestClock clock;
        TravelDataStore home;
        TravelDataStore copy;
        const RecordKey key = QStringLiteral("2006030509012110"); // the clock's first
        for (TravelDataStore* store : {&home, &copy}) {
            const QString folder =
                dir.filePath(store == &home ? QStringLiteral("Home") : QStringLiteral("Copy"));
            QVERIFY(openStore(*store, folder, &clock));
            QCOMPARE(store->AddTravel(TravelRecord(at(2006, 3, 10))).key, key);
            QCOMPARE(store->imagesFolder(), QDir(folder).filePath(QStringLiteral("Travel Images")));
            store->AddCategory(ImageCategory{QFileInfo(folder).fileName(), {}, 0});
            QVERIFY(store->SaveCategories(key, {}).ok());
        }
        const QByteArray homePictures = readFile(home.imageCategoryFile(key));
        QVERIFY(!homePictures.isEmpty());
        QVERIFY(homePictures != readFile(copy.imageCategoryFile(key)));

        QVERIFY(copy.DeleteTravel(key).ok());
        QVERIFY(!QFileInfo::exists(copy.imageCategoryFile(key)));
        QCOMPARE(readFile(home.imageCategoryFile(key)), homePictures);
    }

    void legacyPicturesOfOwnTravelsAreCopiedOnce()
    {
        QTemporaryDir dir;
        TestClock clock;
        TravelDataStore mine;
        TravelDataStore other;
        for (TravelDataStore* store : {&mine, &other}) {
            const QString folder =
                dir.filePath(store == &mine ? QStringLiteral("Mine") : QStringLiteral("Other"));
            QVERIFY(openStore(*store, folder, &clock));
        }
        const auto add = [&clock](TravelDataStore& store) {
            clock.advance();
            return store.AddTravel(TravelRecord(at(2006, 3, 10))).key;
        };
        const RecordKey copied = add(mine);
        const RecordKey foreign = add(other);
        const RecordKey linked = add(mine);

        // The folder as earlier versions left it, with the other folder's pictures too.
        const QString legacy = dir.filePath(QStringLiteral("Legacy"));
        const auto legacyFile = [&legacy](const RecordKey& key) {
            return QDir(legacy).filePath(DataFolder::imageCategoryFileName(key));
        };
        QVERIFY(QDir().mkpath(legacy));
        QVERIFY(writeFile(legacyFile(copied), "mine"));
        QVERIFY(writeFile(legacyFile(foreign), "other's"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("secret")), "secret"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("secret")), legacyFile(linked)));
        const auto before = folderFingerprint(legacy);

        const LegacyPictures first = mine.CopyLegacyPictures(legacy);
        // A folder in a file's place, the messages and the copy's bytes are the start-up test's.
        QCOMPARE(first.copied, 1);
        QCOMPARE(first.failed, 1);
        QVERIFY2(first.failureMessage().contains(QDir::toNativeSeparators(legacyFile(linked)) +
                                                 QStringLiteral(": a link, not a file")),
                 qPrintable(first.failureMessage()));
        const QDir own(mine.imagesFolder());
        QCOMPARE(
            own.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList{DataFolder::imageCategoryFileName(copied)});

        // Once: the working directory has its folder now, also when it is emptied.
        QVERIFY(QFile::remove(mine.imageCategoryFile(copied)));
        const LegacyPictures second = mine.CopyLegacyPictures(legacy);
        QCOMPARE(second.copied + second.failed, 0);
        QVERIFY(second.copiedMessage().isEmpty() && second.failureMessage().isEmpty());
        QVERIFY(own.isEmpty());
        QCOMPARE(folderFingerprint(legacy), before);
    }
};

QTEST_MAIN(SharedFolderTest)
#include "tst_sharedfolder.moc"
