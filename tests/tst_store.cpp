#include "ImagesFolder.h"
#include "RecordCodec.h"
#include "SaveFile.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class StoreTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir* m_dir = nullptr;
    TravelDataStore* m_store = nullptr;
    TestClock m_clock;

    QString dataFile(const QString& name) const { return m_store->dataFolder().filePath(name); }

    RecordKey addTravel(const DateTimeValue& start, const QString& title)
    {
        TravelRecord travel(start);
        travel.title = title;
        return addTravel(travel);
    }

    RecordKey addTravel(const TravelRecord& travel)
    {
        const KeyOutcome added = m_store->AddTravel(travel);
        if (!added.ok())
            qFatal("AddTravel failed: %s", qPrintable(added.outcome.message()));
        return added.key;
    }

    RecordKey addStage(const RecordKey& travelKey, const DateTimeValue& date, const QString& title)
    {
        const KeyOutcome added = m_store->AddStage(stageOf(travelKey, date, title));
        if (!added.ok())
            qFatal("AddStage failed: %s", qPrintable(added.outcome.message()));
        return added.key;
    }

    // A second store on the same folder: what a restart of the program would see.
    TravelDataStore reopened() const
    {
        TravelDataStore store;
        (void)openStore(store, m_dir->path());
        return store;
    }

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        m_clock = TestClock{};
        m_store = new TravelDataStore;
        QDir(m_dir->path()).mkdir(QStringLiteral("Travel Images"));
        QVERIFY(openStore(*m_store, m_dir->path(), &m_clock));
    }

    void cleanup()
    {
        delete m_store;
        delete m_dir;
    }

    void refreshOfAnEmptyWorkingDirectoryWritesTheDefaultListsOnce()
    {
        QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("Voyanta Files"))).isDir());
        QVERIFY(m_store->TravelKeys().isEmpty());
        QVERIFY(m_store->problems().isEmpty());
        for (int number = 1; number <= 7; ++number)
            QVERIFY(!m_store->ReadPreferenceList(number).isEmpty());
        // The typographic apostrophe is one byte of the code page in the file.
        QVERIFY(readFile(dataFile(QStringLiteral("Preference7.prf")))
                    .contains(QByteArray("\x10"
                                         "Driver\x92s license")));

        // Only into a folder without any: one gone stays gone at the next refresh.
        QVERIFY(QFile::remove(dataFile(QStringLiteral("Preference3.prf"))));
        QVERIFY(m_store->Refresh().ok());
        QVERIFY(!QFile::exists(dataFile(QStringLiteral("Preference3.prf"))));
        QVERIFY(m_store->ReadPreferenceList(3).isEmpty());

        QVERIFY(m_store->WritePreferenceList(QStringLiteral("a\n\nb\n"), 2).ok());
        QCOMPARE(m_store->ReadPreferenceList(2),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QVERIFY(m_store->WritePreferenceList(QStringLiteral(" one item "), 4).ok());
        QCOMPARE(m_store->ReadPreferenceList(4), QStringList{QStringLiteral(" one item ")});
        QVERIFY(m_store->WritePreferenceList(QString(), 1).ok());
        QCOMPARE(readFile(dataFile(QStringLiteral("Preference1.prf"))), hex("00000000"));
    }

    void addSaveAndGetATravel()
    {
        const RecordKey key = addTravel(at(2006, 3, 10), QStringLiteral("Rome"));
        TravelRecord travel = m_store->GetTravel(key);
        QCOMPARE(travel.title, QStringLiteral("Rome"));
        QCOMPARE(readFile(dataFile(QStringLiteral("Travel2006030509012110.tra"))),
                 RecordCodec::encodeTravel(travel));

        travel.title = QStringLiteral("Roma \u4e00");
        QVERIFY(m_store->SaveTravel(travel).ok());
        QCOMPARE(reopened().GetTravel(key).title, travel.title);

        QVERIFY(m_store->GetTravel(QStringLiteral("19990101000000")).key.isEmpty());
    }

    void keysMadeWithinOneSecondNeverCollide()
    {
        // A stray file of the folder holds the third key already.
        QVERIFY(
            writeFile(dataFile(QStringLiteral("CheckList2006030509012112.chk")), hex("00000000")));
        QStringList keys;
        for (int i = 0; i < 3; ++i)
            keys.append(addTravel(at(2006, 3, 1), QString::number(i)));
        QCOMPARE(keys, (QStringList{QStringLiteral("2006030509012110"),
                                    QStringLiteral("2006030509012111"),
                                    QStringLiteral("2006030509012113")}));
        // The rest of the series, and clocks that move, are the key maker's test.
        const RecordKey travel = keys.first();
        QCOMPARE(addStage(travel, at(2006, 3, 2), QStringLiteral("a")),
                 travel + QStringLiteral("2006030509012110"));
        QCOMPARE(addStage(travel, at(2006, 3, 2), QStringLiteral("b")),
                 travel + QStringLiteral("2006030509012111"));
    }

    void travelsOfAMonthAreOrderedByStart()
    {
        const RecordKey first = addTravel(at(2006, 3, 20, 10), QStringLiteral("A"));
        const RecordKey second = addTravel(at(2006, 3, 20, 10), QStringLiteral("B"));
        const RecordKey earlier = addTravel(at(2006, 3, 20, 9, 59, 59), QStringLiteral("C"));
        const RecordKey otherYear = addTravel(at(2007, 3, 1), QStringLiteral("D"));
        addTravel(at(2006, 4, 1), QStringLiteral("E"));
        TravelRecord invalid(at(2006, 3, 1));
        invalid.start.status = DateTimeValue::Invalid;
        const RecordKey stuck = addTravel(invalid);

        const DateTimeValue march = at(2006, 3, 15);
        QCOMPARE(m_store->TravelsStartingInUnsorted(march),
                 (QStringList{first, second, earlier, stuck}));
        // The invalid start is passed over by nobody: the travels before it sort among
        // themselves only.
        QCOMPARE(m_store->TravelsStartingIn(march), (QStringList{earlier, first, second, stuck}));
        QCOMPARE(m_store->TravelsStartingIn(at(2007, 3, 31)), QStringList{otherYear});
        QCOMPARE(m_store->TravelsStartingIn(at(2005, 4, 1)), QStringList{});
    }

    void stagesAreOrderedByDateAndDeletedWithTheirAppointments()
    {
        const RecordKey travel = addTravel(TravelRecord{});
        QCOMPARE(m_store->CountStages(travel), 0);
        const RecordKey noon = addStage(travel, at(2006, 3, 6, 12), QStringLiteral("noon"));
        const RecordKey sameTime = addStage(travel, at(2006, 3, 6, 12), QStringLiteral("same"));
        const RecordKey minuteEarlier =
            addStage(travel, at(2006, 3, 6, 11, 59), QStringLiteral("early"));
        QCOMPARE(m_store->StagesOf(travel), (QStringList{minuteEarlier, noon, sameTime}));
        QCOMPARE(m_store->GetStage(noon).travelKey, travel);
        QVERIFY(m_store->GetStage(QStringLiteral("nothing")).key.isEmpty());

        AppointmentRecord lunch(at(2006, 3, 6, 12, 30));
        lunch.subject = QStringLiteral("Lunch");
        QVERIFY(m_store->SaveAppointments(noon, {lunch, lunch}).ok());
        QCOMPARE(m_store->CountAppointments(noon), 2);
        QCOMPARE(m_store->LoadAppointments(noon).value(1), lunch);
        QVERIFY(QFile::remove(dataFile(DataFolder::markerFileName())));
        QVERIFY(m_store->SaveAppointments(sameTime, {}).ok());
        QCOMPARE(readFile(dataFile(DataFolder::appointmentFileName(sameTime))), hex("00000000"));
        QCOMPARE(readFile(dataFile(DataFolder::markerFileName())), hex("01000000"));

        QVERIFY(m_store->DeleteStage(noon).ok());
        QVERIFY(!QFile::exists(dataFile(DataFolder::appointmentFileName(noon))));
        QVERIFY(!QFile::exists(dataFile(DataFolder::stageFileName(noon))));
        QVERIFY(m_store->DeleteStage(minuteEarlier).ok()); // no appointment file
        QCOMPARE(reopened().StagesOf(travel), QStringList{sameTime});
    }

    void copyTravelCopiesEverythingItOwns()
    {
        TravelRecord original(at(2006, 5, 1));
        original.title = QStringLiteral("Alps");
        original.notes = QStringLiteral("snow");
        const RecordKey key = addTravel(original);
        QStringList stages;
        for (int i = 0; i < 3; ++i)
            stages.append(addStage(key, at(2006, 5, 2 + i), QStringLiteral("S%1").arg(i)));
        // The handheld wrote this appointment's subject in the UTF-16 form.
        const QByteArray appointments =
            hex("01000000 00000000 0000000000000000 ff feff 02 6100 6200 00 00");
        QVERIFY(writeFile(dataFile(DataFolder::appointmentFileName(stages[0])), appointments));
        QVERIFY(
            writeFile(dataFile(DataFolder::checkListFileName(key)), hex("01000000 0141 07000000")));
        const QByteArray expenses =
            hex("01000000 00 0000000000000040 00 0000000000002940 0000000000003940 05000000");
        QVERIFY(writeFile(dataFile(DataFolder::expensesFileName(key)), expenses));

        m_clock.now = m_clock.now.addSecs(60);
        const KeyOutcome copied = m_store->CopyTravel(key);
        QVERIFY(copied.ok());
        QCOMPARE(copied.key, QStringLiteral("2006030509022110"));
        const TravelRecord copy = m_store->GetTravel(copied.key);
        QCOMPARE(copy.title, QStringLiteral("Alps"));
        QCOMPARE(copy.notes, QStringLiteral("snow"));
        QCOMPARE(copy.start, original.start);

        const QStringList copiedStages = m_store->StagesOf(copied.key);
        QCOMPARE(copiedStages, (QStringList{copied.key + QStringLiteral("2006030509022101"),
                                            copied.key + QStringLiteral("2006030509022102"),
                                            copied.key + QStringLiteral("2006030509022103")}));
        QCOMPARE(m_store->GetStage(copiedStages[2]).title, QStringLiteral("S2"));
        // Value by value; the UTF-16 text that fits the code page comes back 8-bit.
        QCOMPARE(readFile(dataFile(DataFolder::appointmentFileName(copiedStages[0]))),
                 hex("01000000 00000000 0000000000000000 02 6162 00 00"));
        QVERIFY(!QFile::exists(dataFile(DataFolder::appointmentFileName(copiedStages[1]))));
        QCOMPARE(readFile(dataFile(DataFolder::checkListFileName(copied.key))),
                 hex("01000000 0141 07000000"));
        QCOMPARE(readFile(dataFile(DataFolder::expensesFileName(copied.key))), expenses);
        QCOMPARE(m_store->StagesOf(key), stages);
        QCOMPARE(reopened().StagesOf(copied.key), copiedStages);
    }

    void deleteTravelRemovesEverythingItOwns()
    {
        const RecordKey kept = addTravel(TravelRecord{});
        const RecordKey key = addTravel(TravelRecord{});
        const RecordKey stage = addStage(key, at(2006, 1, 1), QStringLiteral("s"));
        const RecordKey keptStage = addStage(kept, at(2006, 1, 1), QStringLiteral("k"));
        QVERIFY(m_store->SaveAppointments(stage, {AppointmentRecord{}}).ok());
        QVERIFY(m_store->SaveCheckList(key, {CheckListItem{QStringLiteral("x"), 1}}).ok());
        QVERIFY(m_store->SaveExpenses(key, {ExpenseRecord{}}).ok());
        const QString pictures =
            QDir(m_store->imagesFolder()).filePath(DataFolder::imageCategoryFileName(key));
        QVERIFY(writeFile(pictures, hex("00000000")));

        QVERIFY(m_store->DeleteTravel(key).ok());
        for (const QString& name :
             {DataFolder::travelFileName(key), DataFolder::stageFileName(stage),
              DataFolder::appointmentFileName(stage), DataFolder::checkListFileName(key),
              DataFolder::expensesFileName(key)})
            QVERIFY2(!QFile::exists(dataFile(name)), qPrintable(name));
        QVERIFY(!QFile::exists(pictures));
        QVERIFY(!m_store->HasTravel(key));
        QCOMPARE(m_store->TravelKeys(), QStringList{kept});
        QCOMPARE(m_store->StagesOf(kept), QStringList{keptStage});

        // Without check list, expenses or picture file the deletion still completes.
        QVERIFY(m_store->DeleteTravel(kept).ok());
        QVERIFY(reopened().TravelKeys().isEmpty());
    }

    void unsafeKeysNeverBecomeFileNames()
    {
        // Files that names built from the keys below would reach.
        QVERIFY(writeFile(m_dir->filePath(QStringLiteral("Traveloutside.tra")), "keep"));
        QVERIFY(writeFile(m_dir->filePath(QStringLiteral("CheckListx.chk")),
                          hex("01000000 0141 00000000")));
        TravelRecord unsafe(at(2006, 3, 1));
        unsafe.key = QStringLiteral("../outside");
        const auto before = folderFingerprint(m_dir->path());
        QVERIFY(!m_store->SaveTravel(unsafe).ok());
        QVERIFY(!m_store->DeleteTravel(unsafe.key).ok());
        QVERIFY(!m_store->SaveCheckList(QStringLiteral("../x"), {}).ok());
        QVERIFY(m_store->LoadCheckList(QStringLiteral("../x")).isEmpty());
        StageRecord stage = stageOf(QStringLiteral("..\\.."), at(2006, 3, 1));
        QVERIFY(!m_store->AddStage(stage).ok());
        QVERIFY(!m_store->CopyTravel(QStringLiteral("../outside")).ok());
        QCOMPARE(folderFingerprint(m_dir->path()), before);
        QVERIFY(m_store->TravelKeys().isEmpty());
    }

    void copiesUnderOtherNamesNeverOutliveASave()
    {
        const RecordKey key = addTravel(at(2006, 3, 1), QStringLiteral("old"));
        const RecordKey stage = addStage(key, at(2006, 3, 2), QStringLiteral("old"));
        QVERIFY(QFile::copy(dataFile(DataFolder::travelFileName(key)),
                            dataFile(QStringLiteral("TravelSynced.tra"))));
        QVERIFY(QFile::copy(dataFile(DataFolder::stageFileName(stage)),
                            dataFile(QStringLiteral("synced.stg"))));
        QVERIFY(m_store->Refresh().ok());

        TravelRecord travel = m_store->GetTravel(key);
        travel.title = QStringLiteral("new");
        QVERIFY(m_store->SaveTravel(travel).ok());
        StageRecord changed = m_store->GetStage(stage);
        changed.title = QStringLiteral("new");
        QVERIFY(m_store->SaveStage(changed).ok());
        QVERIFY(!QFile::exists(dataFile(QStringLiteral("TravelSynced.tra"))));
        QVERIFY(!QFile::exists(dataFile(QStringLiteral("synced.stg"))));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(reopened().GetTravel(key).title, QStringLiteral("new"));
            QCOMPARE(reopened().GetStage(stage).title, QStringLiteral("new"));
        }
    }

    // The new file cannot take the old one's place (the old one is append-only, which lets
    // the new one be written beside it but not renamed over it): the save has failed.
    void aSaveThatCannotReplaceItsFileFails()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Travel1.tra"));
        QVERIFY(writeFile(path, "old"));
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+a"), path}) != 0)
            QSKIP("this file system or user cannot make a file append-only");
        const Outcome saved = SaveFileAtomically(path, "new");
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-a"), path});
        QVERIFY(!saved.ok());
        QCOMPARE(readFile(path), QByteArray("old"));
    }

    void aFailedSaveOfEveryKindKeepsTheOldFileAndMemory()
    {
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
        const RecordKey travel = addTravel(at(2006, 3, 1), QStringLiteral("old"));
        const RecordKey stage = addStage(travel, at(2006, 3, 2), QStringLiteral("old"));
        const QString big(1000, QLatin1Char('n'));
        struct Kind {
            const char* name;
            QString path;
            std::function<Outcome(const QString& text)> save;
        };
        const QList<Kind> kinds{
            {"travel", dataFile(DataFolder::travelFileName(travel)),
             [&](const QString& text) {
                 TravelRecord changed = m_store->GetTravel(travel);
                 changed.notes = text;
                 return m_store->SaveTravel(changed);
             }},
            {"stage", dataFile(DataFolder::stageFileName(stage)),
             [&](const QString& text) {
                 StageRecord changed = m_store->GetStage(stage);
                 changed.notes = text;
                 return m_store->SaveStage(changed);
             }},
            {"appointments", dataFile(DataFolder::appointmentFileName(stage)),
             [&](const QString& text) {
                 AppointmentRecord appointment(at(2006, 3, 2));
                 appointment.notes = text;
                 return m_store->SaveAppointments(stage, {appointment});
             }},
            {"check list", dataFile(DataFolder::checkListFileName(travel)),
             [&](const QString& text) {
                 return m_store->SaveCheckList(travel, {CheckListItem{text, 1}});
             }},
            {"expenses", dataFile(DataFolder::expensesFileName(travel)),
             [&](const QString& text) {
                 return m_store->SaveExpenses(travel, {ExpenseRecord{text, 1, {}, 2, 2, 0}});
             }},
            {"preference list", dataFile(DataFolder::preferenceFileName(3)),
             [&](const QString& text) { return m_store->WritePreferenceList(text, 3); }},
            {"pictures", m_store->imageCategoryFile(travel),
             [&](const QString& text) {
                 m_store->SetCategory(1, ImageCategory{text, {}, 0});
                 return m_store->SaveCategories(travel, {});
             }},
        };
        for (const Kind& kind : kinds) {
            QVERIFY2(kind.save(QStringLiteral("old")).ok(), kind.name);
            const auto before = folderFingerprint(m_dir->path());
            Outcome outcome;
            {
                FileSizeLimit limit(200);
                QVERIFY(limit.isSet());
                outcome = kind.save(big);
            }
            QVERIFY2(!outcome.ok(), kind.name);
            QCOMPARE(outcome.error().path, kind.path);
            QVERIFY(outcome.message().contains(QFileInfo(kind.path).fileName()));
            // The old file whole, no temporary file left beside it.
            QCOMPARE(folderFingerprint(m_dir->path()), before);
        }
        QCOMPARE(m_store->GetTravel(travel).notes, QStringLiteral("old"));
        QCOMPARE(m_store->GetStage(stage).notes, QStringLiteral("old"));
    }

    void failedAddsAndCopiesLeaveNothingBehind()
    {
        SKIP_WITHOUT_FILE_SIZE_LIMIT();
        const RecordKey original = addTravel(at(2006, 3, 1), QStringLiteral("original"));
        for (int i = 0; i < 3; ++i)
            addStage(original, at(2006, 3, 2 + i), QStringLiteral("stage"));
        QVERIFY(m_store->SaveCheckList(original, {CheckListItem{QStringLiteral("Visa"), 1}}).ok());
        // The expense list is the one file of the copy that is too big for the disk.
        const ExpenseRecord food{QStringLiteral("Food"), 1, {}, 2, 2, 0};
        QVERIFY(m_store->SaveExpenses(original, QList<ExpenseRecord>(40, food)).ok());
        const auto before = folderFingerprint(m_dir->path());
        TravelRecord big(at(2006, 3, 1));
        big.title = QString(1000, QLatin1Char('t'));
        StageRecord bigStage = stageOf(original, at(2006, 3, 2));
        bigStage.notes = QString(1000, QLatin1Char('n'));
        KeyOutcome added;
        KeyOutcome stageAdded;
        KeyOutcome copied;
        {
            FileSizeLimit limit(400);
            QVERIFY(limit.isSet());
            added = m_store->AddTravel(big);
            stageAdded = m_store->AddStage(bigStage);
            copied = m_store->CopyTravel(original);
        }
        for (const KeyOutcome* failed : {&added, &stageAdded, &copied}) {
            QVERIFY(!failed->ok());
            QVERIFY(failed->key.isEmpty());
        }
        QCOMPARE(copied.outcome.error().path,
                 dataFile(DataFolder::expensesFileName(QStringLiteral("2006030509012112"))));
        // Neither the claimed key files nor the half copy stay; the original is whole.
        QCOMPARE(folderFingerprint(m_dir->path()), before);
        QCOMPARE(m_store->CountStages(original), 3);
        QCOMPARE(reopened().TravelKeys(), QStringList{original});
        QVERIFY(reopened().problems().isEmpty());

        // A data folder that is gone: the add fails and memory keeps nothing.
        QVERIFY(QDir(m_store->dataFolder().path()).removeRecursively());
        QVERIFY(!m_store->AddTravel(TravelRecord{}).ok());
        QCOMPARE(m_store->TravelKeys(), QStringList{original});
    }

    void stagesAddedTogetherAreWhatAddingThemOneByOneMakes()
    {
        const RecordKey travel = addTravel(at(2006, 3, 1), QStringLiteral("trip"));
        // A stray appointment file holds the key the clock gives first.
        const RecordKey firstKey = travel + MakeRecordKey(10, m_clock.now);
        QVERIFY(writeFile(dataFile(DataFolder::appointmentFileName(firstKey)), hex("00000000")));
        AppointmentRecord departure(at(2006, 3, 2, 8, 50));
        departure.subject = QStringLiteral("Departure");
        AppointmentRecord arrival(at(2006, 3, 2, 11, 5));
        arrival.subject = QStringLiteral("Arrival");
        QList<TravelDataStore::NewStage> stages{
            {stageOf(travel, at(2006, 3, 2), QStringLiteral("flight")), {departure, arrival}},
            {stageOf(travel, at(2006, 3, 1), QStringLiteral("no appointments")), {}},
            {stageOf(travel, at(2006, 3, 3), QStringLiteral("hotel")), {arrival}}};
        QVERIFY(!NameTaken(dataFile(DataFolder::markerFileName())));

        const QList<KeyOutcome> added = m_store->AddStages(stages);
        QCOMPARE(added.size(), 3);
        QStringList keys;
        for (const KeyOutcome& outcome : added) {
            QVERIFY(outcome.ok());
            keys.append(outcome.key);
        }
        QVERIFY(!keys.contains(firstKey));
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), 3);
        for (qsizetype i = 0; i < stages.size(); ++i) {
            StageRecord stage = stages[i].stage;
            stage.key = keys[i];
            QCOMPARE(m_store->GetStage(keys[i]), stage);
            QCOMPARE(readFile(dataFile(DataFolder::stageFileName(keys[i]))),
                     RecordCodec::encodeStage(stage));
        }
        QCOMPARE(readFile(dataFile(DataFolder::appointmentFileName(keys[0]))),
                 RecordCodec::encodeAppointments(RecordCodec::listOf(stages[0].appointments)));
        QVERIFY(!NameTaken(dataFile(DataFolder::appointmentFileName(keys[1]))));
        QCOMPARE(reopened().LoadAppointments(keys[2]), QList<AppointmentRecord>{arrival});
        QCOMPARE(readFile(dataFile(DataFolder::markerFileName())), hex("01000000"));
        QCOMPARE(reopened().StagesOf(travel), (QStringList{keys[1], keys[0], keys[2]}));
        // Nothing but the records: no temporary file stays.
        QCOMPARE(QDir(m_store->dataFolder().path())
                     .entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden),
                 QStringList{});

        // Into a travel another program removed: nothing is written.
        QVERIFY(QFile::remove(dataFile(DataFolder::travelFileName(travel))));
        const auto before = folderFingerprint(m_dir->path());
        const QList<KeyOutcome> refused = m_store->AddStages(stages);
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused.first().outcome.refusal(), Outcome::Refusal::OwnerGone);
        QCOMPARE(folderFingerprint(m_dir->path()), before);
    }

    void newFilesOfABatchTakeOnlyFreeNamesAndLeaveNothingElse()
    {
        const QString free = m_dir->filePath(QStringLiteral("free.tra"));
        const QString taken = m_dir->filePath(QStringLiteral("taken.tra"));
        const QString unclaimed = m_dir->filePath(QStringLiteral("unclaimed.tra"));
        const auto before = folderFingerprint(m_dir->path());
        {
            NewFileBatch batch;
            Outcome failure;
            const int a = batch.add(free, "mine", &failure);
            const int b = batch.add(taken, "mine too", &failure);
            QVERIFY(batch.add(unclaimed, "never named", &failure) >= 0);
            QVERIFY(a >= 0 && b >= 0);
            QVERIFY(!NameTaken(free)); // nothing has a name before it is claimed
            QVERIFY(writeFile(taken, "another writer's"));
            QVERIFY(batch.makeDurable().ok());
            const Claim claimedFree = batch.claim(a);
            QVERIFY(!claimedFree.taken && claimedFree.outcome.ok());
            const Claim claimedTaken = batch.claim(b);
            QVERIFY(claimedTaken.taken);
            QVERIFY(claimedTaken.outcome.ok());
        }
        const auto after = folderFingerprint(m_dir->path());
        QCOMPARE(QSet<QString>(after.keyBegin(), after.keyEnd()) -
                     QSet<QString>(before.keyBegin(), before.keyEnd()),
                 (QSet<QString>{QStringLiteral("free.tra"), QStringLiteral("taken.tra")}));
        QCOMPARE(readFile(free), QByteArray("mine"));
        QCOMPARE(readFile(taken), QByteArray("another writer's"));
    }

    void legacyPicturesAreLookedForBesideAProgramOnlyOutsideTheSystem()
    {
        const QString name = QStringLiteral("Travel Images");
        const QString perUser =
            QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(name);
        // init made one beside this "program"; the data folder holds none.
        QCOMPARE(LegacyImagesFolder(m_dir->path()), m_dir->filePath(name));
        QCOMPARE(LegacyImagesFolder(m_store->dataFolder().path()), perUser);
#ifdef Q_OS_UNIX
        for (const char* system : {"/usr", "/usr/bin", "/usr/local/bin", "/opt/voyanta/bin"})
            QVERIFY2(IsSystemFolder(QLatin1String(system)), system);
        for (const char* other : {"/usrx/bin", "/home/u/opt", "/srv/voyanta"})
            QVERIFY2(!IsSystemFolder(QLatin1String(other)), other);
        QCOMPARE(LegacyImagesFolder(QStringLiteral("/usr/bin")), perUser);
#endif
        QVERIFY(!IsSystemFolder(m_dir->path()));
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"
