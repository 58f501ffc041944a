#include "FolderCheck.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Several programs on one data folder at once: the window program and voyanta-cli, two
// windows, or a folder-sync tool beside them.
class SharedFolderTest : public QObject {
    Q_OBJECT

private slots:
    void twoStoresNeverHandOutOneKey()
    {
        // Neither store knows the other's records; both read one clock.
        QTemporaryDir dir;
        TestClock clock;
        TravelDataStore first;
        TravelDataStore second;
        for (TravelDataStore* store : {&first, &second}) {
            store->setWorkingDirectory(dir.path());
            store->setClock(clock.function());
            QVERIFY(store->Refresh().ok());
        }
        TravelRecord travel(at(2006, 3, 10));
        travel.title = QStringLiteral("first");
        const KeyOutcome one = first.AddTravel(travel);
        travel.title = QStringLiteral("second");
        const KeyOutcome two = second.AddTravel(travel);
        QVERIFY(one.ok() && two.ok());
        QCOMPARE(one.key, QStringLiteral("2006030509012110"));
        QCOMPARE(two.key, QStringLiteral("2006030509012111"));

        StageRecord stage(at(2006, 3, 11));
        stage.travelKey = one.key;
        const KeyOutcome firstStage = first.AddStage(stage);
        const KeyOutcome secondStage = second.AddStage(stage);
        QVERIFY(firstStage.ok() && secondStage.ok());
        QVERIFY(firstStage.key != secondStage.key);

        TravelDataStore reread;
        reread.setWorkingDirectory(dir.path());
        QVERIFY(reread.Refresh().ok());
        QCOMPARE(reread.GetTravel(one.key).title, QStringLiteral("first"));
        QCOMPARE(reread.GetTravel(two.key).title, QStringLiteral("second"));
        QCOMPARE(reread.CountStages(one.key), 2);
    }

    void processesWorkingAtOnceKeepEveryTravelWhole()
    {
        QTemporaryDir dir;
        {
            TravelDataStore store;
            store.setWorkingDirectory(dir.path());
            QVERIFY(store.Refresh().ok());
        }
        const QString worker =
            QCoreApplication::applicationDirPath() + QStringLiteral("/folder_worker");
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

        QMap<QString, QString> alive; // key -> title
        for (auto& process : workers) {
            QVERIFY(process->waitForFinished(120000));
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

        TravelDataStore store;
        store.setWorkingDirectory(dir.path());
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

    // Pictures: every working directory keeps its own beside its data folder, and takes
    // those of its travels once from the per-machine folder of earlier versions.

    void workingDirectoriesThatMakeOneKeyKeepTheirOwnPictures()
    {
        // A folder and its copy, or two folders, make a travel in the same second.
        QTemporaryDir dir;
        TestClock clock;
        TravelDataStore home;
        TravelDataStore copy;
        KeyOutcome keys[2];
        int i = 0;
        for (TravelDataStore* store : {&home, &copy}) {
            const QString folder =
                dir.filePath(i == 0 ? QStringLiteral("Home") : QStringLiteral("Copy"));
            QVERIFY(QDir().mkpath(folder));
            store->setWorkingDirectory(folder);
            store->setClock(clock.function());
            QVERIFY(store->Refresh().ok());
            keys[i] = store->AddTravel(TravelRecord(at(2006, 3, 10)));
            QVERIFY(keys[i].ok());
            QCOMPARE(store->imagesFolder(), QDir(folder).filePath(QStringLiteral("Travel Images")));
            ImageCategory category;
            category.name = QFileInfo(folder).fileName();
            store->AddCategory(category);
            QVERIFY(store->SaveCategories(keys[i].key, {}).ok());
            ++i;
        }
        const RecordKey key = keys[0].key;
        QCOMPARE(keys[1].key, key);
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
            QVERIFY(QDir().mkpath(folder));
            store->setWorkingDirectory(folder);
            store->setClock(clock.function());
            QVERIFY(store->Refresh().ok());
        }
        const auto add = [&clock](TravelDataStore& store) {
            clock.advance();
            return store.AddTravel(TravelRecord(at(2006, 3, 10))).key;
        };
        const RecordKey copied = add(mine);
        const RecordKey foreign = add(other);
        const RecordKey linked = add(mine);
        const RecordKey unreadable = add(mine);
        const RecordKey without = add(mine);

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
        QVERIFY(QDir(legacy).mkdir(DataFolder::imageCategoryFileName(unreadable)));
        Q_UNUSED(without);
        const auto before = folderFingerprint(legacy);

        const LegacyPictures first = mine.CopyLegacyPictures(legacy);
        QCOMPARE(first.copied, 1);
        QCOMPARE(first.failed, 2);
        QCOMPARE(first.copiedMessage(),
                 QStringLiteral("Copied the pictures of 1 travel from %1 into this working "
                                "directory")
                     .arg(QDir::toNativeSeparators(legacy)));
        const QString failure = first.failureMessage();
        for (const RecordKey& key : {linked, unreadable})
            QVERIFY2(failure.contains(QDir::toNativeSeparators(legacyFile(key))),
                     qPrintable(failure));
        QVERIFY2(failure.contains(QStringLiteral(": a link, not a file")), qPrintable(failure));
        const QDir own(mine.imagesFolder());
        QCOMPARE(
            own.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList{DataFolder::imageCategoryFileName(copied)});
        QCOMPARE(readFile(mine.imageCategoryFile(copied)), QByteArray("mine"));

        // Once: the working directory has its folder now, also when it is emptied.
        QVERIFY(QFile::remove(mine.imageCategoryFile(copied)));
        const LegacyPictures second = mine.CopyLegacyPictures(legacy);
        QCOMPARE(second.copied + second.failed, 0);
        QVERIFY(second.copiedMessage().isEmpty() && second.failureMessage().isEmpty());
        QVERIFY(own.isEmpty());
        QCOMPARE(folderFingerprint(legacy), before);
    }
};

QTEST_GUILESS_MAIN(SharedFolderTest)
#include "tst_sharedfolder.moc"
