// Conflict copies that sync engines leave beside record files: the store never reads one
// in place of its record, and voyanta-cli lists and resolves them without deleting any.
#include "ConflictCopies.h"
#include "RecordCodec.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A copy's name for each engine, from the record's stem (%1) and extension (%2).
const QList<std::pair<const char*, const char*>> engines = {
    {"Syncthing", "%1.sync-conflict-20261207-004359-ABCDEFG%2"},
    {"Nextcloud", "%1 (conflicted copy 2026-12-07 004359)%2"},
    {"Dropbox", "%1 (Anna's conflicted copy 2026-12-07)%2"},
    {"Unison", "%1 (conflict_on_2026-12-07)%2"},
    {"rclone", "%1%2..path1"},
};

// The name an engine gives a copy; the record's own name for no engine.
QString copyName(const QString& engine, const QString& stem, const QString& ext)
{
    for (const auto& [e, pattern] : engines) {
        if (engine == QLatin1String(e))
            return QString::fromLatin1(pattern).arg(stem, ext);
    }
    return stem + ext;
}

QByteArray checkList(const QList<CheckListItem>& items)
{
    return RecordCodec::encodeCheckList(RecordCodec::listOf(items));
}

} // namespace

class TestConflicts : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        m_store.emplace();
        m_store->setWorkingDirectory(m_dir->path());
        QVERIFY(m_store->Refresh().ok());
    }

    void namesOfEachEngine_data()
    {
        QTest::addColumn<QString>("engine");
        for (const auto& [engine, name] : engines)
            QTest::newRow(engine) << QString::fromLatin1(engine);
        QTest::newRow("not a copy") << QString();
    }
    // Every record kind, and the copy's date from its name.
    void namesOfEachEngine()
    {
        QFETCH(QString, engine);
        for (const char* ext : {".tra", ".stg", ".apt", ".chk", ".exp", ".img", ".prf"}) {
            const auto parsed = ParseConflictName(
                copyName(engine, QStringLiteral("Travel123"), QLatin1String(ext)));
            QCOMPARE(parsed.has_value(), !engine.isEmpty());
            if (!parsed)
                continue;
            QCOMPARE(parsed->recordName, QStringLiteral("Travel123") + QLatin1String(ext));
            QCOMPARE(parsed->engine, engine);
            if (engine != QLatin1String("rclone"))
                QCOMPARE(parsed->when.date(), QDate(2026, 12, 7));
        }
        QVERIFY(!IsConflictCopyName(QStringLiteral("Travel 2026 conflict talks.tra")));
    }

    void loaderTakesTheRecord_data() { namesOfEachEngine_data(); }
    // The record is read, never its copy; where the record is gone the newest copy stands
    // in, and saving it writes the record and leaves the copy.
    void loaderTakesTheRecord()
    {
        QFETCH(QString, engine);
        if (engine.isEmpty())
            return;
        TravelRecord travel(at(2026, 12, 7));
        travel.title = QStringLiteral("record");
        const KeyOutcome added = m_store->AddTravel(travel);
        QVERIFY(added.ok());
        QVERIFY(m_store->SaveCheckList(added.key, {{QStringLiteral("passport"), 1}}).ok());
        travel = m_store->GetTravel(added.key);
        travel.title = QStringLiteral("copy");
        const DataFolder& folder = m_store->dataFolder();
        const QString travelCopy =
            copyName(engine, QStringLiteral("Travel") + added.key, QStringLiteral(".tra"));
        const QString listCopy =
            copyName(engine, QStringLiteral("CheckList") + added.key, QStringLiteral(".chk"));
        QVERIFY(writeFile(folder.filePath(travelCopy), RecordCodec::encodeTravel(travel)));
        QVERIFY(writeFile(folder.filePath(listCopy), checkList({{QStringLiteral("tickets"), 0}})));
        for (int round = 0; round < 5; ++round) { // the listing order must not matter
            QVERIFY(m_store->Refresh().ok());
            QCOMPARE(m_store->TravelKeys().size(), 1);
            QCOMPARE(m_store->GetTravel(added.key).title, QStringLiteral("record"));
            QCOMPARE(m_store->LoadCheckList(added.key).first().text, QStringLiteral("passport"));
        }
        QCOMPARE(m_store->conflictCopies().size(), 2);

        QVERIFY(QFile::remove(folder.travelFile(added.key)));
        QVERIFY(QFile::remove(folder.checkListFile(added.key)));
        QVERIFY(m_store->Refresh().ok());
        QCOMPARE(m_store->GetTravel(added.key).title, QStringLiteral("copy"));
        QCOMPARE(m_store->readFromCopy(DataFolder::travelFileName(added.key)), travelCopy);
        QCOMPARE(m_store->LoadCheckList(added.key).first().text, QStringLiteral("tickets"));
        QVERIFY(m_store->SaveTravel(m_store->GetTravel(added.key)).ok());
        QVERIFY(QFileInfo::exists(folder.travelFile(added.key)));
        QVERIFY(QFileInfo::exists(folder.filePath(travelCopy)));
    }

    // conflicts lists, resolve keeps the chosen version and moves the others into
    // Conflicts; no file is ever gone.
    void resolveKeepsEveryVersion()
    {
        const QString chk = m_store->dataFolder().filePath(QStringLiteral("CheckList1.chk"));
        const QString copy = m_store->dataFolder().filePath(
            QStringLiteral("CheckList1.sync-conflict-20261207-004359-ABCDEFG.chk"));
        const auto reset = [&] {
            QDir(m_dir->filePath(QStringLiteral("Conflicts"))).removeRecursively();
            QVERIFY(writeFile(
                chk, checkList({{QStringLiteral("passport"), 1}, {QStringLiteral("map"), 0}})));
            QVERIFY(writeFile(
                copy, checkList({{QStringLiteral("map"), 1}, {QStringLiteral("charger"), 0}})));
            // The copy is the later version.
            QFile later(copy);
            QVERIFY(later.open(QIODevice::ReadWrite));
            QVERIFY(later.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                      QFileDevice::FileModificationTime));
        };
        reset();
        QCOMPARE(run({QStringLiteral("conflicts")}), 1);
        QVERIFY(
            m_out.contains("Voyanta Files/CheckList1.chk\tVoyanta Files/CheckList1.sync-conflict"));
        QVERIFY(m_out.endsWith("\tSyncthing\t2026-12-07 00:43:59\n"));
        QCOMPARE(run({QStringLiteral("check")}), 1);
        QVERIFY(m_out.contains("conflict copy of CheckList1.chk left by Syncthing"));

        const QList<std::tuple<QString, QList<CheckListItem>>> cases = {
            {QStringLiteral("record"),
             {{QStringLiteral("passport"), 1}, {QStringLiteral("map"), 0}}},
            {QStringLiteral("copy"), {{QStringLiteral("map"), 1}, {QStringLiteral("charger"), 0}}},
            {QStringLiteral("merge"),
             {{QStringLiteral("map"), 1},
              {QStringLiteral("charger"), 0},
              {QStringLiteral("passport"), 1}}},
        };
        for (const auto& [keep, expected] : cases) {
            reset();
            QCOMPARE(run({QStringLiteral("resolve"), QFileInfo(copy).fileName(),
                          QStringLiteral("--keep"), keep}),
                     0);
            QCOMPARE(m_store->LoadCheckList(QStringLiteral("1")), expected);
            QCOMPARE(run({QStringLiteral("conflicts")}), 0);
            // Every version is still somewhere: the one not kept in Conflicts.
            const QStringList kept =
                QDir(m_dir->filePath(QStringLiteral("Conflicts"))).entryList(QDir::Files);
            QVERIFY2(
                kept.contains(QFileInfo(keep == QLatin1String("record") ? copy : chk).fileName()),
                qPrintable(kept.join(u' ')));
            if (keep != QLatin1String("copy"))
                QVERIFY(kept.contains(QFileInfo(copy).fileName()));
        }
        // A second copy set aside beside the first keeps its extension and reads as a list.
        QVERIFY(writeFile(copy, checkList({{QStringLiteral("tent"), 0}})));
        QCOMPARE(run({QStringLiteral("resolve"), QFileInfo(copy).fileName(),
                      QStringLiteral("--keep"), QStringLiteral("record")}),
                 0);
        QCOMPARE(run({QStringLiteral("dump"),
                      m_dir->filePath(QStringLiteral(
                          "Conflicts/CheckList1.sync-conflict-20261207-004359-ABCDEFG-2.chk"))}),
                 0);
        QVERIFY(m_out.contains("tent"));
        reset();
        QVERIFY(writeFile(m_store->dataFolder().filePath(QStringLiteral("Travel1.tra")), "x"));
        QVERIFY(
            writeFile(m_store->dataFolder().filePath(QStringLiteral("Travel1.tra..path2")), "y"));
        QCOMPARE(run({QStringLiteral("resolve"), QStringLiteral("Travel1.tra..path2"),
                      QStringLiteral("--keep"), QStringLiteral("merge")}),
                 2);
        QVERIFY(QFileInfo::exists(
            m_store->dataFolder().filePath(QStringLiteral("Travel1.tra..path2"))));
    }

private:
    int run(const QStringList& arguments)
    {
        QProcess process;
        process.start(QStringLiteral(VOYANTA_CLI),
                      QStringList{QStringLiteral("--workdir"), m_dir->path()} + arguments);
        process.waitForFinished(30000);
        m_out = process.readAllStandardOutput();
        return process.exitCode();
    }

    std::optional<QTemporaryDir> m_dir;
    std::optional<TravelDataStore> m_store;
    QByteArray m_out;
};

QTEST_GUILESS_MAIN(TestConflicts)
#include "tst_conflicts.moc"
