// voyanta-cli sync against two Syncthing instances on this computer's loopback only,
// each with its own home and working directory, sharing one folder.
#include "Archive.h"
#include "CommandIds.h"
#include "RecordCodec.h"
#include "SyncCommand.h"
#include "SyncthingPair.h"
#include "TravelTreeView.h"
#include "WindowFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

class TestSync : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("syncthing")).isEmpty())
            QSKIP("syncthing is not installed");
        QVERIFY(m_dir.isValid());
        m_pair = std::make_unique<SyncthingPair>(m_dir.path(), QStringLiteral("desktop"),
                                                 QStringLiteral("laptop"));
        QString reason;
        QVERIFY2(m_pair->start(&reason), qPrintable(reason));
    }

    void cleanupTestCase() { m_pair.reset(); }

    // A travel imported on one computer reaches the other whole, with its pictures.
    void travelReachesTheOtherComputer()
    {
        QCOMPARE(cli(m_pair->a, {QStringLiteral("sample")}), 0);
        QCOMPARE(cli(m_pair->a, {QStringLiteral("list")}), 0);
        const QByteArray travels = m_out;
        // A travel with pictures.
        QString key;
        QJsonObject onA;
        for (const QByteArray& line : travels.split('\n')) {
            key = QString::fromLatin1(line.left(line.indexOf('\t')));
            QCOMPARE(cli(m_pair->a, {QStringLiteral("show"), key}), 0);
            onA = QJsonDocument::fromJson(m_out).object();
            if (!onA.value(u"pictures").toArray().isEmpty())
                break;
        }
        QVERIFY(!onA.value(u"pictures").toArray().isEmpty());

        QElapsedTimer timer;
        timer.start();
        QCOMPARE(cli(m_pair->a,
                     {QStringLiteral("sync"), QStringLiteral("--timeout"), QStringLiteral("45")}),
                 0);
        QVERIFY2(m_err.contains("Up to date with 1 device"), m_err.constData());

        // The peer may still be putting the last files in place when it reports them.
        QElapsedTimer settle;
        settle.start();
        while ((cli(m_pair->b, {QStringLiteral("list")}) != 0 || m_out != travels) &&
               settle.elapsed() < 10000)
            QThread::msleep(100);
        QCOMPARE(m_out, travels);
        QCOMPARE(cli(m_pair->b, {QStringLiteral("show"), key}), 0);
        QCOMPARE(QJsonDocument::fromJson(m_out).object(), onA);
    }

    // The same check list changed on both computers while they cannot see each other: once
    // they meet, both list the conflict copy, which holds the other version, and a merge on
    // one computer reaches the other.
    void conflictFoundAndSettledOnBoth()
    {
        QCOMPARE(cli(m_pair->a, {QStringLiteral("list")}), 0);
        const QString key = QString::fromLatin1(m_out.left(m_out.indexOf('\t')));
        setPaused(true);
        saveCheckList(m_pair->a, key, {{QStringLiteral("Passport"), 1}});
        saveCheckList(m_pair->b, key, {{QStringLiteral("Visa"), 0}});
        // Each side knows its own change before they meet, as after a day apart.
        for (const SyncthingSide* side : {&m_pair->a, &m_pair->b})
            SyncthingPair::rest(*side, "POST", QStringLiteral("/rest/db/scan?folder=voyanta"));
        setPaused(false);
        // record file, copy, engine, date; none while there is no conflict copy
        const auto conflict = [&](const SyncthingSide& side) {
            return cli(side, {QStringLiteral("conflicts")}) == 1 ? m_out.trimmed().split('\t')
                                                                 : QList<QByteArray>();
        };
        QElapsedTimer met;
        met.start();
        while ((conflict(m_pair->a).isEmpty() || conflict(m_pair->b).isEmpty()) &&
               met.elapsed() < 30000) {
            sync(m_pair->a);
            sync(m_pair->b);
        }
        const QList<QByteArray> fields = conflict(m_pair->a);
        QCOMPARE(fields.value(2), QByteArray("Syncthing"));
        QCOMPARE(conflict(m_pair->b).value(1), fields.value(1));
        // Either version may have become the copy; neither is lost.
        const QString record = QString::fromUtf8(fields.value(0));
        const QString copy = QString::fromUtf8(fields.value(1));
        const QStringList versions = {checkListText(m_pair->a, record),
                                      checkListText(m_pair->a, copy)};
        QVERIFY2(versions.contains(u"Passport") && versions.contains(u"Visa"),
                 qPrintable(versions.join(u' ')));

        QCOMPARE(cli(m_pair->a, {QStringLiteral("resolve"), QFileInfo(copy).fileName(),
                                 QStringLiteral("--keep"), QStringLiteral("merge")}),
                 0);
        QCOMPARE(sync(m_pair->a), 0);
        QTRY_COMPARE_WITH_TIMEOUT(checkListText(m_pair->b, record), QStringLiteral("Passport Visa"),
                                  20000);
        QTRY_VERIFY_WITH_TIMEOUT(conflict(m_pair->b).isEmpty(), 20000);
    }

    // The window on A with the laptop away: what came is read, and the status bar says
    // which device's changes are still to come.
    void windowWithPeerAway()
    {
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
            .setValue(QStringLiteral("Sync/ConfigPath"), m_pair->a.home);
        m_window.app.setLegacyImagesFolder(QString());
        QVERIFY(startProgramOn(m_window.app, m_pair->a.workdir, QDate(2030, 1, 1)));
        SyncthingPair::stop(m_pair->b);
        QVERIFY2(windowSync().contains(u"laptop is not connected: its changes come when it is"),
                 qPrintable(m_status));
        // What Syncthing brings while the window runs waits for F5.
        TravelDataStore peer;
        peer.setWorkingDirectory(m_pair->a.workdir);
        QVERIFY(peer.Refresh().ok());
        addTitledTravel(peer, at(2030, 1, 10), QStringLiteral("From the laptop"));
        QTRY_COMPARE(m_window.app.mainFrame()->outsideChangeNotice(),
                     QStringLiteral("Changed on another device: press F5 to reload"));
    }

    // Syncthing refuses the key, shares another folder, or is not through in time: the
    // command line says why with its exit status, and so does the window for the key.
    void engineRefusesOrTimesOut_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong key")
            << "<apikey>[^<]*</apikey>"
            << "<apikey>wrong</apikey>" << QStringList() << 5 << "refused the API key";
        // The folder above the shared one is not shared.
        QTest::newRow("not shared") << "^$"
                                    << "" << QStringList{QStringLiteral("--workdir"), m_dir.path()}
                                    << 5 << "shares no folder that holds";
        QTest::newRow("no conflict copies")
            << "<maxConflicts>10</maxConflicts>"
            << "<maxConflicts>0</maxConflicts>" << QStringList() << 0
            << "Syncthing keeps no conflict copies in folder voyanta";
        QTest::newRow("time-out") << "^$"
                                  << ""
                                  << QStringList{QStringLiteral("--timeout"),
                                                 QStringLiteral("0.001")}
                                  << 4
                                  << "Not in sync after 0.001 s: this computer still has "
                                     "changes to take";
    }

    void engineRefusesOrTimesOut()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, with);
        QFETCH(QStringList, arguments);
        QString text = QString::fromUtf8(readFile(m_pair->a.configPath()));
        text.replace(QRegularExpression(pattern), with);
        const QString config = m_dir.filePath(QStringLiteral("changed.xml"));
        QVERIFY(writeFile(config, text.toUtf8()));
        const QString profile = m_pair->a.root + QStringLiteral("/Pellingham/Voyanta.conf");
        QDir().mkpath(QFileInfo(profile).path());
        QVERIFY(writeFile(profile, QStringLiteral("[Sync]\nConfigPath=%1\n").arg(config).toUtf8()));
        QTEST(cli(m_pair->a, QStringList{QStringLiteral("sync")} + arguments), "exitCode");
        QFETCH(QString, message);
        QVERIFY2(m_err.contains(message.toUtf8()), m_err.constData());
        QFile::remove(profile);
        if (QLatin1String(QTest::currentDataTag()) == QLatin1String("wrong key")) {
            QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
                .setValue(QStringLiteral("Sync/ConfigPath"), config);
            QVERIFY2(windowSync().contains(message), qPrintable(m_status));
        }
    }

    void syncthingStopped()
    {
        SyncthingPair::stop(m_pair->a);
        QCOMPARE(cli(m_pair->a,
                     {QStringLiteral("sync"), QStringLiteral("--timeout"), QStringLiteral("5")}),
                 5);
        QVERIFY2(m_err.contains("Syncthing is not running"), m_err.constData());
        QVERIFY2(windowSync().contains(u"Syncthing is not running"), qPrintable(m_status));
        QVERIFY(m_window.prompter.informed.isEmpty() && m_window.prompter.unexpected.isEmpty());
    }

private:
    // Synchronize in the window, with a travel added behind its back: the status bar's
    // message once it ended, and the travel is listed (the folder was read again).
    QString windowSync()
    {
        TravelDataStore behind;
        behind.setWorkingDirectory(m_pair->a.workdir);
        [&] { QVERIFY(behind.Refresh().ok()); }();
        const RecordKey added = addTitledTravel(behind, at(2030, 1, 9), QStringLiteral("Added"));
        CMainFrame* frame = m_window.app.mainFrame();
        QSignalSpy ended(frame->syncCommand(), &CSyncCommand::finished);
        frame->action(Cmd::Synchronize)->trigger();
        m_status = !ended.isEmpty() || ended.wait(40000) ? frame->statusBar()->currentMessage()
                                                         : QString();
        return frame->tree()->travelNode(added).isValid() ? m_status
                                                          : QStringLiteral("(not read again)");
    }

    int cli(const SyncthingSide& side, const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(side.environment());
        process.start(QStringLiteral(VOYANTA_CLI),
                      QStringList{QStringLiteral("--workdir"), side.workdir} + arguments);
        process.waitForFinished(60000);
        m_out = process.readAllStandardOutput();
        m_err = process.readAllStandardError();
        return process.exitCode();
    }

    int sync(const SyncthingSide& side)
    {
        return cli(side,
                   {QStringLiteral("sync"), QStringLiteral("--timeout"), QStringLiteral("30")});
    }

    // Pauses or resumes each device on the other, and waits until they are apart or met.
    void setPaused(bool paused)
    {
        const QString path = QStringLiteral("/rest/system/%1?device=%2")
                                 .arg(QLatin1String(paused ? "pause" : "resume"));
        SyncthingPair::rest(m_pair->a, "POST", path.arg(m_pair->b.id));
        SyncthingPair::rest(m_pair->b, "POST", path.arg(m_pair->a.id));
        // Syncthing usually meets again within a second or two, but on a loaded machine its
        // dialer's back-off after the refused dials of the pause has taken 22 s.
        QTRY_COMPARE_WITH_TIMEOUT(SyncthingPair::connected(m_pair->a, m_pair->b), !paused, 45000);
    }

    // A side's check list of the travel, as it stands in the given record file.
    static QString checkListText(const SyncthingSide& side, const QString& relativePath)
    {
        ArchiveReader reader(readFile(side.workdir + u'/' + relativePath));
        StoredList<CheckListItem> list;
        if (!RecordCodec::decodeCheckList(reader, list))
            return QStringLiteral("(unreadable)");
        QStringList texts;
        for (const CheckListItem& item : list.items)
            texts.append(item.text);
        texts.sort();
        return texts.join(u' ');
    }

    static void saveCheckList(const SyncthingSide& side, const QString& key,
                              const QList<CheckListItem>& items)
    {
        TravelDataStore store;
        store.setWorkingDirectory(side.workdir);
        QVERIFY(store.Refresh().ok());
        QVERIFY(store.SaveCheckList(key, items).ok());
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SyncthingPair> m_pair;
    struct {
        ScriptedPrompter prompter;
        TravelDataStore store;
        CVoyantaApp app{prompter, store};
    } m_window;
    QString m_status;
    QByteArray m_out, m_err;
};

QTEST_MAIN(TestSync)
#include "tst_sync.moc"
