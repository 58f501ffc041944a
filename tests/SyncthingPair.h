#pragma once

// Two Syncthing instances on this computer's loopback only, each with its own home and
// working directory, sharing one folder "voyanta", with discovery, relays, NAT traversal,
// usage and crash reporting and upgrades off. For the sync tests and the sync bench.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

struct SyncthingSide {
    QString name;
    QString root;    // XDG_CONFIG_HOME and HOME of the side's programs
    QString home;    // Syncthing's home: root/syncthing
    QString workdir; // the working directory it shares
    QString id;
    QByteArray apiKey;
    quint16 guiPort = 0, listenPort = 0;
    QProcess* syncthing = nullptr;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root);
        env.insert(QStringLiteral("HOME"), root);
        env.insert(QStringLiteral("STNOUPGRADE"), QStringLiteral("1"));
        return env;
    }
    QString configPath() const { return home + QStringLiteral("/config.xml"); }
};

class SyncthingPair {
public:
    // Both sides under the folder, named as the other sees them.
    SyncthingPair(const QString& folder, const QString& nameA, const QString& nameB)
    {
        a = makeSide(folder, nameA);
        b = makeSide(folder, nameB);
    }
    ~SyncthingPair()
    {
        stop(a);
        stop(b);
        delete a.syncthing;
        delete b.syncthing;
    }

    // Generates, configures and starts both, and waits until they see each other; false
    // with the reason when they do not.
    bool start(QString* reason)
    {
        for (SyncthingSide* side : {&a, &b}) {
            if (!generate(*side)) {
                *reason = QStringLiteral("syncthing generate failed for ") + side->name;
                return false;
            }
        }
        if (!configure(a, b) || !configure(b, a)) {
            *reason = QStringLiteral("the configurations could not be written");
            return false;
        }
        for (SyncthingSide* side : {&a, &b}) {
            side->syncthing = new QProcess;
            side->syncthing->setProcessEnvironment(side->environment());
            side->syncthing->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            side->syncthing->setStandardOutputFile(QProcess::nullDevice());
            side->syncthing->start(QStringLiteral("syncthing"),
                                   {QStringLiteral("serve"), QStringLiteral("--home"), side->home,
                                    QStringLiteral("--no-browser"),
                                    QStringLiteral("--no-restart")});
            if (!side->syncthing->waitForStarted(10000)) {
                *reason = QStringLiteral("syncthing did not start");
                return false;
            }
        }
        QDeadlineTimer deadline(40000);
        while (!connected(a, b) && !deadline.hasExpired())
            QThread::msleep(100);
        if (!connected(a, b)) {
            *reason = QStringLiteral("the two Syncthing instances did not connect");
            return false;
        }
        return true;
    }

    // Syncthing's monitor ends the process it runs when it is asked to end itself.
    static void stop(SyncthingSide& side)
    {
        if (!side.syncthing || side.syncthing->state() == QProcess::NotRunning)
            return;
        side.syncthing->terminate();
        if (!side.syncthing->waitForFinished(10000))
            side.syncthing->kill();
    }

    // One request to a side's REST interface; the reply's body, empty when none came.
    static QByteArray rest(const SyncthingSide& side, const char* verb, const QString& path)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, side.guiPort);
        if (!socket.waitForConnected(500))
            return {};
        socket.write(QByteArray(verb) + ' ' + path.toUtf8() +
                     " HTTP/1.0\r\nHost: 127.0.0.1\r\nX-API-Key: " + side.apiKey + "\r\n\r\n");
        QByteArray reply;
        while (socket.waitForReadyRead(5000))
            reply += socket.readAll();
        return reply.mid(reply.indexOf("\r\n\r\n") + 4);
    }

    // Whether one side's Syncthing says it is connected to the other.
    static bool connected(const SyncthingSide& side, const SyncthingSide& other)
    {
        const QJsonObject all =
            QJsonDocument::fromJson(rest(side, "GET", QStringLiteral("/rest/system/connections")))
                .object()
                .value(u"connections")
                .toObject();
        return all.value(other.id).toObject().value(u"connected").toBool();
    }

    SyncthingSide a, b;

private:
    static quint16 freePort()
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        return server.serverPort();
    }

    static SyncthingSide makeSide(const QString& folder, const QString& name)
    {
        SyncthingSide side;
        side.name = name;
        side.root = QDir(folder).filePath(name);
        side.home = side.root + QStringLiteral("/syncthing");
        side.workdir = side.root + QStringLiteral("/Travels");
        // Syncthing refuses a folder without its marker directory.
        QDir().mkpath(side.workdir + QStringLiteral("/.stfolder"));
        side.guiPort = freePort();
        side.listenPort = freePort();
        return side;
    }

    static QString readText(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    static bool generate(SyncthingSide& side)
    {
        QProcess generate;
        generate.setProcessEnvironment(side.environment());
        generate.start(QStringLiteral("syncthing"),
                       {QStringLiteral("generate"), QStringLiteral("--home"), side.home,
                        QStringLiteral("--no-default-folder")});
        generate.waitForFinished(30000);
        const QString text = readText(side.configPath());
        side.id = QRegularExpression(QStringLiteral("<device id=\"([A-Z0-9-]+)\""))
                      .match(text)
                      .captured(1);
        side.apiKey = QRegularExpression(QStringLiteral("<apikey>([^<]*)</apikey>"))
                          .match(text)
                          .captured(1)
                          .toUtf8();
        return !side.id.isEmpty() && !side.apiKey.isEmpty();
    }

    static void replace(QString& text, const char* pattern, const QString& with)
    {
        text.replace(QRegularExpression(QLatin1String(pattern)), with);
    }

    static bool configure(const SyncthingSide& side, const SyncthingSide& other)
    {
        QString text = readText(side.configPath());
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
        // A device resumed after a pause is dialled again within a second, not a minute; a
        // folder written by hand keeps conflict copies only when it says how many.
        replace(text, "<reconnectionIntervalS>[^<]*</reconnectionIntervalS>",
                QStringLiteral("<reconnectionIntervalS>1</reconnectionIntervalS>"));
        const QString shared =
            QStringLiteral(
                "<folder id=\"voyanta\" label=\"Travels\" path=\"%1\" type=\"sendreceive\" "
                "rescanIntervalS=\"3600\" fsWatcherEnabled=\"false\"><device id=\"%2\"></device>"
                "<device id=\"%3\"></device><maxConflicts>10</maxConflicts></folder>\n"
                "<device id=\"%3\" name=\"%4\" compression=\"metadata\" introducer=\"false\">"
                "<address>tcp://127.0.0.1:%5</address></device>\n    <gui ")
                .arg(side.workdir, side.id, other.id, other.name)
                .arg(other.listenPort);
        text.replace(QStringLiteral("<gui "), shared);
        QFile file(side.configPath());
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(text.toUtf8()) > 0;
    }
};
