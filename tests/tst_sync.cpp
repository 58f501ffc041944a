// voyanta-cli sync against two Syncthing instances on this computer's loopback only,
// each with its own home and working directory, sharing one folder.
#include "CommandIds.h"
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

    void wrongApiKey()
    {
        const QString config = m_pair->a.home + QStringLiteral("/config.xml");
        QString text = QString::fromUtf8(readFile(config));
        text.replace(QRegularExpression(QStringLiteral("<apikey>[^<]*</apikey>")),
                     QStringLiteral("<apikey>wrong</apikey>"));
        const QString wrong = m_dir.filePath(QStringLiteral("wrong.xml"));
        writeText(wrong, text);
        writeText(m_pair->a.root + QStringLiteral("/Pellingham/Voyanta.conf"),
                  QStringLiteral("[Sync]\nConfigPath=%1\n").arg(wrong));
        QCOMPARE(cli(m_pair->a, {QStringLiteral("sync")}), 5);
        QVERIFY2(m_err.contains("refused the API key"), m_err.constData());
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
            .setValue(QStringLiteral("Sync/ConfigPath"), wrong);
        QVERIFY2(windowSync().contains(u"refused the API key"), qPrintable(m_status));
        QFile::remove(m_pair->a.root + QStringLiteral("/Pellingham/Voyanta.conf"));
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

    static void writeText(const QString& path, const QString& text)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
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
