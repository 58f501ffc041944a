// voyanta-cli sync against two Syncthing instances on this computer's loopback only,
// each with its own home and working directory, sharing one folder.
#include "CommandIds.h"
#include "SyncCommand.h"
#include "TravelTreeView.h"
#include "WindowFixture.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

quint16 freePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

struct Side {
    QString name;
    QString root;    // XDG_CONFIG_HOME of the side's programs
    QString home;    // Syncthing's home: root/syncthing
    QString workdir; // the working directory it shares
    QString id;
    quint16 guiPort = 0, listenPort = 0;
    QProcess* syncthing = nullptr;
};

QProcessEnvironment environmentOf(const Side& side)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), side.root);
    env.insert(QStringLiteral("HOME"), side.root);
    env.insert(QStringLiteral("STNOUPGRADE"), QStringLiteral("1"));
    return env;
}

void replace(QString& text, const char* pattern, const QString& with)
{
    text.replace(QRegularExpression(QLatin1String(pattern)), with);
}

} // namespace

class TestSync : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("syncthing")).isEmpty())
            QSKIP("syncthing is not installed");
        QVERIFY(m_dir.isValid());
        m_a = makeSide(QStringLiteral("desktop"));
        m_b = makeSide(QStringLiteral("laptop"));
        configure(m_a, m_b);
        configure(m_b, m_a);
        start(m_a);
        start(m_b);
        // Both answer and see each other.
        QDeadlineTimer deadline(40000);
        while (!connected(m_a, m_b) && !deadline.hasExpired())
            QTest::qWait(100);
        QVERIFY2(connected(m_a, m_b), "the two Syncthing instances did not connect");
    }

    void cleanupTestCase()
    {
        for (Side* side : {&m_a, &m_b}) {
            if (side->syncthing) {
                stop(*side);
            }
        }
    }

    // A travel imported on one computer reaches the other whole, with its pictures.
    void travelReachesTheOtherComputer()
    {
        QCOMPARE(cli(m_a, {QStringLiteral("sample")}), 0);
        QCOMPARE(cli(m_a, {QStringLiteral("list")}), 0);
        const QByteArray travels = m_out;
        // A travel with pictures.
        QString key;
        QJsonObject onA;
        for (const QByteArray& line : travels.split('\n')) {
            key = QString::fromLatin1(line.left(line.indexOf('\t')));
            QCOMPARE(cli(m_a, {QStringLiteral("show"), key}), 0);
            onA = QJsonDocument::fromJson(m_out).object();
            if (!onA.value(u"pictures").toArray().isEmpty())
                break;
        }
        QVERIFY(!onA.value(u"pictures").toArray().isEmpty());

        QElapsedTimer timer;
        timer.start();
        QCOMPARE(
            cli(m_a, {QStringLiteral("sync"), QStringLiteral("--timeout"), QStringLiteral("45")}),
            0);
        QVERIFY2(m_err.contains("Up to date with 1 device"), m_err.constData());

        // The peer may still be putting the last files in place when it reports them.
        QElapsedTimer settle;
        settle.start();
        while ((cli(m_b, {QStringLiteral("list")}) != 0 || m_out != travels) &&
               settle.elapsed() < 10000)
            QThread::msleep(100);
        QCOMPARE(m_out, travels);
        QCOMPARE(cli(m_b, {QStringLiteral("show"), key}), 0);
        QCOMPARE(QJsonDocument::fromJson(m_out).object(), onA);
    }

    // The window on A with the laptop away: what came is read, and the status bar says
    // which device's changes are still to come.
    void windowWithPeerAway()
    {
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
            .setValue(QStringLiteral("Sync/ConfigPath"), m_a.home);
        m_window.app.setLegacyImagesFolder(QString());
        QVERIFY(startProgramOn(m_window.app, m_a.workdir, QDate(2030, 1, 1)));
        stop(m_b);
        QVERIFY2(windowSync().contains(u"laptop is not connected: its changes come when it is"),
                 qPrintable(m_status));
        // What Syncthing brings while the window runs waits for F5.
        TravelDataStore peer;
        peer.setWorkingDirectory(m_a.workdir);
        QVERIFY(peer.Refresh().ok());
        addTitledTravel(peer, at(2030, 1, 10), QStringLiteral("From the laptop"));
        QTRY_COMPARE(m_window.app.mainFrame()->outsideChangeNotice(),
                     QStringLiteral("Changed on another device: press F5 to reload"));
    }

    void wrongApiKey()
    {
        const QString config = m_a.home + QStringLiteral("/config.xml");
        QString text = QString::fromUtf8(readFile(config));
        replace(text, "<apikey>[^<]*</apikey>", QStringLiteral("<apikey>wrong</apikey>"));
        const QString wrong = m_dir.filePath(QStringLiteral("wrong.xml"));
        writeText(wrong, text);
        writeText(m_a.root + QStringLiteral("/Pellingham/Voyanta.conf"),
                  QStringLiteral("[Sync]\nConfigPath=%1\n").arg(wrong));
        QCOMPARE(cli(m_a, {QStringLiteral("sync")}), 5);
        QVERIFY2(m_err.contains("refused the API key"), m_err.constData());
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
            .setValue(QStringLiteral("Sync/ConfigPath"), wrong);
        QVERIFY2(windowSync().contains(u"refused the API key"), qPrintable(m_status));
        QFile::remove(m_a.root + QStringLiteral("/Pellingham/Voyanta.conf"));
    }

    void syncthingStopped()
    {
        stop(m_a);
        QCOMPARE(
            cli(m_a, {QStringLiteral("sync"), QStringLiteral("--timeout"), QStringLiteral("5")}),
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
        behind.setWorkingDirectory(m_a.workdir);
        [&] { QVERIFY(behind.Refresh().ok()); }();
        const RecordKey added = addTitledTravel(behind, at(2030, 1, 9), QStringLiteral("Added"));
        CMainFrame* frame = m_window.app.mainFrame();
        QSignalSpy ended(frame->syncCommand(), &CSyncCommand::finished);
        frame->action(Cmd::Synchronize)->trigger();
        m_status = !ended.isEmpty() || ended.wait(40000) ? frame->statusBar()->currentMessage()
                                                         : QString();
        return frame->tree()->travelNode(added) ? m_status : QStringLiteral("(not read again)");
    }

    Side makeSide(const QString& name)
    {
        Side side;
        side.name = name;
        side.root = m_dir.filePath(name);
        side.home = side.root + QStringLiteral("/syncthing");
        side.workdir = side.root + QStringLiteral("/Travels");
        // Syncthing refuses a folder without its marker directory.
        QDir().mkpath(side.workdir + QStringLiteral("/.stfolder"));
        QProcess generate;
        generate.setProcessEnvironment(environmentOf(side));
        generate.start(QStringLiteral("syncthing"),
                       {QStringLiteral("generate"), QStringLiteral("--home"), side.home,
                        QStringLiteral("--no-default-folder")});
        generate.waitForFinished(30000);
        const QString text = QString::fromUtf8(readFile(side.home + QStringLiteral("/config.xml")));
        side.id = QRegularExpression(QStringLiteral("<device id=\"([A-Z0-9-]+)\""))
                      .match(text)
                      .captured(1);
        side.guiPort = freePort();
        side.listenPort = freePort();
        return side;
    }

    void configure(const Side& side, const Side& other)
    {
        const QString path = side.home + QStringLiteral("/config.xml");
        QString text = QString::fromUtf8(readFile(path));
        replace(text, "(<gui [^>]*>\\s*<address>)[^<]*",
                QStringLiteral("\\1127.0.0.1:%1").arg(side.guiPort));
        replace(text, "<listenAddress>[^<]*</listenAddress>",
                QStringLiteral("<listenAddress>tcp://127.0.0.1:%1</listenAddress>")
                    .arg(side.listenPort));
        for (const char* flag : {"globalAnnounceEnabled", "localAnnounceEnabled", "relaysEnabled",
                                 "natEnabled", "crashReportingEnabled"}) {
            const QString name = QLatin1String(flag);
            text.replace(QStringLiteral("<%1>true</%1>").arg(name),
                         QStringLiteral("<%1>false</%1>").arg(name));
        }
        replace(text, "<urAccepted>[^<]*</urAccepted>",
                QStringLiteral("<urAccepted>-1</urAccepted>"));
        replace(text, "<autoUpgradeIntervalH>[^<]*</autoUpgradeIntervalH>",
                QStringLiteral("<autoUpgradeIntervalH>0</autoUpgradeIntervalH>"));
        const QString shared =
            QStringLiteral(
                "<folder id=\"voyanta\" label=\"Travels\" path=\"%1\" type=\"sendreceive\" "
                "rescanIntervalS=\"3600\" fsWatcherEnabled=\"false\"><device id=\"%2\"></device>"
                "<device id=\"%3\"></device></folder>\n"
                "<device id=\"%3\" name=\"%4\" compression=\"metadata\" introducer=\"false\">"
                "<address>tcp://127.0.0.1:%5</address></device>\n    <gui ")
                .arg(side.workdir, side.id, other.id, other.name)
                .arg(other.listenPort);
        text.replace(QStringLiteral("<gui "), shared);
        writeText(path, text);
    }

    void start(Side& side)
    {
        side.syncthing = new QProcess(this);
        side.syncthing->setProcessEnvironment(environmentOf(side));
        side.syncthing->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        side.syncthing->setStandardOutputFile(QProcess::nullDevice());
        side.syncthing->start(QStringLiteral("syncthing"),
                              {QStringLiteral("serve"), QStringLiteral("--home"), side.home,
                               QStringLiteral("--no-browser"), QStringLiteral("--no-restart")});
        QVERIFY(side.syncthing->waitForStarted(10000));
    }

    // Syncthing's monitor ends the process it runs when it is asked to end itself.
    static void stop(Side& side)
    {
        if (side.syncthing->state() == QProcess::NotRunning)
            return;
        side.syncthing->terminate();
        if (!side.syncthing->waitForFinished(10000))
            side.syncthing->kill();
    }

    // Whether one side's Syncthing says it is connected to the other.
    bool connected(const Side& side, const Side& other)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, side.guiPort);
        if (!socket.waitForConnected(500))
            return false;
        const QString key =
            QRegularExpression(QStringLiteral("<apikey>([^<]*)</apikey>"))
                .match(QString::fromUtf8(readFile(side.home + QStringLiteral("/config.xml"))))
                .captured(1);
        socket.write(
            QStringLiteral("GET /rest/system/connections HTTP/1.0\r\nHost: 127.0.0.1:%1\r\n"
                           "X-API-Key: %2\r\n\r\n")
                .arg(side.guiPort)
                .arg(key)
                .toUtf8());
        QByteArray reply;
        while (socket.waitForReadyRead(1000))
            reply += socket.readAll();
        const QJsonObject all = QJsonDocument::fromJson(reply.mid(reply.indexOf("\r\n\r\n") + 4))
                                    .object()
                                    .value(u"connections")
                                    .toObject();
        return all.value(other.id).toObject().value(u"connected").toBool();
    }

    int cli(const Side& side, const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(environmentOf(side));
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
    Side m_a, m_b;
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
