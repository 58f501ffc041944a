#include "SyncthingClient.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSettings>
#include <QTimer>
#include <QUrlQuery>
#include <QXmlStreamReader>

#include <memory>

namespace {

// The events after which a poll may find something new: an index sent or received, a
// folder that starts or stops scanning or pulling, a device that comes or goes.
const QString WakingEvents = QStringLiteral("LocalIndexUpdated,RemoteIndexUpdated,StateChanged,"
                                            "FolderCompletion,DeviceConnected,DeviceDisconnected");

QString devices(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 device") : QStringLiteral("%1 devices").arg(count);
}

// Whether the folder is the working directory or holds it.
bool holds(const QString& folder, const QString& workingDirectory)
{
    const QString outer = QFileInfo(folder).canonicalFilePath();
    const QString inner = QFileInfo(workingDirectory).canonicalFilePath();
    if (outer.isEmpty() || inner.isEmpty())
        return false;
    return inner == outer || inner.startsWith(outer + QLatin1Char('/'));
}

QString expandHome(QString path)
{
    if (path.startsWith(QLatin1String("~/")))
        path = QDir::home().filePath(path.mid(2));
    return path;
}

} // namespace

QStringList SyncthingConfigCandidates()
{
    QStringList candidates;
    const QSettings profile(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"));
    const QString kept = profile.value(QStringLiteral("Sync/ConfigPath")).toString();
    if (!kept.isEmpty())
        candidates.append(
            QFileInfo(kept).isDir() ? QDir(kept).filePath(QStringLiteral("config.xml")) : kept);
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        configHome = QDir::home().filePath(QStringLiteral(".config"));
    candidates.append(QDir(configHome).filePath(QStringLiteral("syncthing/config.xml")));
    candidates.append(QDir::home().filePath(QStringLiteral(".local/state/syncthing/config.xml")));
    return candidates;
}

std::optional<SyncthingSetup> ReadSyncthingSetup(const QString& configPath,
                                                 const QString& workingDirectory, QString* reason)
{
    QFile file(configPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("%1: %2").arg(configPath, file.errorString());
        return std::nullopt;
    }
    SyncthingSetup setup;
    setup.configPath = configPath;
    QMap<QString, QString> names;
    QStringList folderDevices;
    bool tls = false, inGui = false, inFolder = false, found = false;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        const auto name = xml.name();
        if (xml.isEndElement()) {
            if (name == u"gui")
                inGui = false;
            else if (name == u"folder")
                inFolder = false;
            else if (name == u"defaults")
                break; // templates for new folders and devices follow
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (name == u"folder" && !found) {
            const QString path = expandHome(attributes.value(QLatin1String("path")).toString());
            inFolder = holds(path, workingDirectory);
            if (inFolder) {
                found = true;
                setup.folderId = attributes.value(QLatin1String("id")).toString();
                setup.folderPath = path;
            }
        } else if (name == u"maxConflicts" && inFolder) {
            setup.dropsConflicts = xml.readElementText().trimmed() == u"0";
        } else if (name == u"device" && inFolder) {
            folderDevices.append(attributes.value(QLatin1String("id")).toString());
        } else if (name == u"device") {
            names.insert(attributes.value(QLatin1String("id")).toString(),
                         attributes.value(QLatin1String("name")).toString());
        } else if (name == u"gui") {
            inGui = true;
            tls = attributes.value(QLatin1String("tls")) == u"true";
        } else if (inGui && name == u"address") {
            QString address = xml.readElementText().trimmed();
            address.replace(QLatin1String("0.0.0.0"), QLatin1String("127.0.0.1"));
            setup.address = QUrl(QStringLiteral("%1://%2").arg(tls ? u"https" : u"http", address));
        } else if (inGui && name == u"apikey") {
            setup.apiKey = xml.readElementText().trimmed().toUtf8();
        }
    }
    if (xml.hasError()) {
        *reason = QStringLiteral("%1: %2").arg(configPath, xml.errorString());
        return std::nullopt;
    }
    if (!found) {
        *reason = QStringLiteral("Syncthing (%1) shares no folder that holds %2")
                      .arg(configPath, QDir::toNativeSeparators(workingDirectory));
        return std::nullopt;
    }
    if (!setup.address.isValid() || setup.apiKey.isEmpty()) {
        *reason = QStringLiteral("%1 names no GUI address or API key").arg(configPath);
        return std::nullopt;
    }
    for (const QString& id : folderDevices)
        setup.deviceNames.insert(id, names.value(id, id.left(7)));
    return setup;
}

std::optional<SyncthingSetup> FindSyncthing(const QString& workingDirectory, QString* reason)
{
    QStringList reasons;
    for (const QString& path : SyncthingConfigCandidates()) {
        if (!QFileInfo::exists(path))
            continue;
        QString why;
        if (auto setup = ReadSyncthingSetup(path, workingDirectory, &why))
            return setup;
        reasons.append(why);
    }
    *reason = reasons.isEmpty() ? QStringLiteral("no sync engine is set up on this computer "
                                                 "(Syncthing's config.xml was not found)")
                                : reasons.join(QLatin1String("; "));
    return std::nullopt;
}

SyncthingSync::SyncthingSync(SyncthingSetup setup, QObject* parent)
    : QObject(parent), m_setup(std::move(setup)), m_network(new QNetworkAccessManager(this)),
      m_pollTimer(new QTimer(this)), m_limitTimer(new QTimer(this))
{
    m_pollTimer->setSingleShot(true);
    connect(m_pollTimer, &QTimer::timeout, this, &SyncthingSync::poll);
    // A reply that never comes (a rescan of a large folder, an engine that hangs) ends
    // the wait too, not only a poll that finds the time up.
    m_limitTimer->setSingleShot(true);
    connect(m_limitTimer, &QTimer::timeout, this, &SyncthingSync::finishTimedOut);
}

SyncthingSync::~SyncthingSync() = default;

QNetworkReply* SyncthingSync::request(const QByteArray& verb, const QString& path,
                                      const QList<std::pair<QString, QString>>& query)
{
    QUrl url = m_setup.address;
    url.setPath(path);
    QUrlQuery items;
    for (const auto& [key, value] : query)
        items.addQueryItem(key, value);
    url.setQuery(items);
    QNetworkRequest request(url);
    request.setRawHeader("X-API-Key", m_setup.apiKey);
    request.setTransferTimeout(std::max(1000, m_timeLimit));
    return m_network->sendCustomRequest(request, verb);
}

QString SyncthingSync::failureOf(QNetworkReply* reply) const
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 403 || status == 401)
        return QStringLiteral("Syncthing at %1 refused the API key in %2")
            .arg(m_setup.address.toString(), m_setup.configPath);
    if (status == 404 || (status == 500 && reply->url().path().contains(u"/db/"))) {
        return QStringLiteral("Syncthing at %1 does not share the folder %2 (%3)")
            .arg(m_setup.address.toString(), m_setup.folderId,
                 QString::fromUtf8(reply->readAll()).trimmed());
    }
    if (reply->error() == QNetworkReply::ConnectionRefusedError ||
        reply->error() == QNetworkReply::HostNotFoundError)
        return QStringLiteral("Syncthing is not running: nothing answers at %1")
            .arg(m_setup.address.toString());
    if (reply->error() != QNetworkReply::NoError)
        return QStringLiteral("Syncthing at %1: %2")
            .arg(m_setup.address.toString(), reply->errorString());
    return {};
}

void SyncthingSync::start()
{
    m_clock.start();
    m_limitTimer->start(m_timeLimit);
    emit progress(QStringLiteral("Asking Syncthing to look for changes…"));
    // The rescan goes out with the questions asked about the time before it, and the
    // first poll follows all four answers. An answer given after the rescan's changes
    // only makes the wait more careful: it then wants a second poll to agree, or an
    // event it missed is found by the poll timer.
    auto unanswered = std::make_shared<int>(4);
    const auto answered = [this, unanswered] {
        if (--*unanswered == 0 && !m_done)
            poll();
    };
    QNetworkReply* status = request("GET", QStringLiteral("/rest/system/status"));
    connect(status, &QNetworkReply::finished, this, [this, status, answered] {
        status->deleteLater();
        if (const QString failure = failureOf(status); !failure.isEmpty())
            return finish(Result::NoEngine, failure);
        m_others = m_setup.deviceNames.keys();
        m_others.removeAll(
            QJsonDocument::fromJson(status->readAll()).object().value(u"myID").toString());
        answered();
    });
    // The folder's sequence before the rescan, to see the rescan's changes arrive.
    QNetworkReply* before = request("GET", QStringLiteral("/rest/db/status"),
                                    {{QStringLiteral("folder"), m_setup.folderId}});
    connect(before, &QNetworkReply::finished, this, [this, before, answered] {
        before->deleteLater();
        if (const QString failure = failureOf(before); !failure.isEmpty())
            return finish(Result::NoEngine, failure);
        m_sequenceBefore =
            QJsonDocument::fromJson(before->readAll()).object().value(u"sequence").toInteger(-1);
        answered();
    });
    // The last event so far, so that the wait wakes only for later ones; without events
    // the wait polls on its timer alone.
    QNetworkReply* events = askEvents(0, {{QStringLiteral("limit"), QStringLiteral("1")},
                                          {QStringLiteral("timeout"), QStringLiteral("0")}});
    connect(events, &QNetworkReply::finished, this, [this, events, answered] {
        events->deleteLater();
        if (events->error() == QNetworkReply::NoError)
            m_lastEvent = lastEventIn(events, 0);
        answered();
    });
    // The scan answers once the folder has been scanned.
    QNetworkReply* scan = request("POST", QStringLiteral("/rest/db/scan"),
                                  {{QStringLiteral("folder"), m_setup.folderId}});
    connect(scan, &QNetworkReply::finished, this, [this, scan, answered] {
        scan->deleteLater();
        if (const QString failure = failureOf(scan); !failure.isEmpty())
            return finish(Result::NoEngine, failure);
        answered();
    });
}

QNetworkReply* SyncthingSync::askEvents(qint64 since, QList<std::pair<QString, QString>> query)
{
    query.append({QStringLiteral("events"), WakingEvents});
    query.append({QStringLiteral("since"), QString::number(since)});
    return request("GET", QStringLiteral("/rest/events"), query);
}

qint64 SyncthingSync::lastEventIn(QNetworkReply* reply, qint64 none)
{
    const QJsonArray events = QJsonDocument::fromJson(reply->readAll()).array();
    return events.isEmpty() ? none : events.last().toObject().value(u"id").toInteger(none);
}

void SyncthingSync::waitForChange()
{
    followEvents();
    m_pollTimer->start(
        std::exchange(m_changeDuringPoll, false) ? 0 : std::min(m_pollInterval, m_nextPoll));
    m_nextPoll *= 2;
}

void SyncthingSync::followEvents()
{
    if (m_lastEvent >= 0 && !m_events) {
        QNetworkReply* reply =
            askEvents(m_lastEvent, {{QStringLiteral("timeout"), QStringLiteral("1")}});
        m_events = reply;
        connect(reply, &QNetworkReply::finished, this, [this, reply] {
            reply->deleteLater();
            if (m_events == reply)
                m_events = nullptr;
            if (m_done || reply->error() != QNetworkReply::NoError)
                return; // the timer still wakes the wait
            const qint64 last = lastEventIn(reply, -1);
            if (last < 0)
                return followEvents(); // the long-poll's own time ran out
            m_lastEvent = last;
            if (m_pollTimer->isActive()) {
                m_pollTimer->stop();
                return poll();
            }
            // A poll is under way and may have asked before the change: one more follows.
            m_changeDuringPoll = true;
        });
    }
}

void SyncthingSync::poll()
{
    if (m_done)
        return;
    if (m_clock.elapsed() >= m_timeLimit)
        return finishTimedOut();
    m_localBusy = false;
    m_connected.clear();
    m_absent.clear();
    m_behind.clear();
    m_needing.clear();
    // This computer's folder, the connections and every other device's completion, asked
    // at once: the completion of a device away is asked for nothing, but waiting for the
    // connections first would cost every poll another answer's time.
    m_pending = 2 + int(m_others.size());
    QNetworkReply* status = request("GET", QStringLiteral("/rest/db/status"),
                                    {{QStringLiteral("folder"), m_setup.folderId}});
    connect(status, &QNetworkReply::finished, this, [this, status] {
        status->deleteLater();
        --m_pending;
        if (const QString failure = failureOf(status); !failure.isEmpty())
            return finish(Result::NoEngine, failure);
        const QJsonObject folder = QJsonDocument::fromJson(status->readAll()).object();
        if (folder.value(u"sequence").toInteger(-1) != m_sequenceBefore)
            m_scanSeen = true;
        m_localBusy = folder.value(u"state").toString() != u"idle" ||
                      folder.value(u"needTotalItems").toInteger() != 0 ||
                      folder.value(u"needBytes").toInteger() != 0;
        settle();
    });
    QNetworkReply* connections = request("GET", QStringLiteral("/rest/system/connections"));
    connect(connections, &QNetworkReply::finished, this, [this, connections] {
        connections->deleteLater();
        --m_pending;
        if (const QString failure = failureOf(connections); !failure.isEmpty())
            return finish(Result::NoEngine, failure);
        const QJsonObject all = QJsonDocument::fromJson(connections->readAll())
                                    .object()
                                    .value(u"connections")
                                    .toObject();
        for (const QString& device : std::as_const(m_others)) {
            if (all.value(device).toObject().value(u"connected").toBool())
                m_connected.append(device);
            else
                m_absent.append(QStringLiteral("%1 is not connected: its changes come when it is")
                                    .arg(m_setup.deviceNames.value(device)));
        }
        for (const QString& text : std::as_const(m_absent))
            emit progress(text);
        settle();
    });
    for (const QString& device : std::as_const(m_others))
        askCompletion(device);
}

void SyncthingSync::askCompletion(const QString& device)
{
    QNetworkReply* completion =
        request("GET", QStringLiteral("/rest/db/completion"),
                {{QStringLiteral("folder"), m_setup.folderId}, {QStringLiteral("device"), device}});
    connect(completion, &QNetworkReply::finished, this, [this, completion, device] {
        completion->deleteLater();
        --m_pending;
        if (const QString failure = failureOf(completion); !failure.isEmpty())
            return finish(Result::NoEngine, failure);
        const QJsonObject done = QJsonDocument::fromJson(completion->readAll()).object();
        const qint64 needItems = done.value(u"needItems").toInteger();
        const qint64 needBytes = done.value(u"needBytes").toInteger();
        const qint64 needDeletes = done.value(u"needDeletes").toInteger();
        if (needItems > 0 || needBytes > 0 || needDeletes > 0)
            m_needing.insert(device);
        // Until the device has told what it holds, its completion means nothing: a device
        // that has sent no index yet (sequence 0) is reported complete although it holds
        // none of the folder.
        const QString state = done.value(u"remoteState").toString();
        const bool toldNothing =
            done.value(u"sequence").toInteger() == 0 && done.value(u"globalItems").toInteger() > 0;
        if ((!state.isEmpty() && state != u"valid") || toldNothing ||
            done.value(u"completion").toDouble(0.0) < 100.0 || m_needing.contains(device))
            m_behind.insert(device);
        settle();
    });
}

void SyncthingSync::settle()
{
    if (m_pending > 0 || m_done)
        return;
    // Only the devices that are connected count: one away takes the changes later.
    m_incomplete.clear();
    if (m_localBusy)
        m_incomplete.append(QStringLiteral("this computer"));
    for (const QString& device : std::as_const(m_connected)) {
        if (m_needing.contains(device))
            m_scanSeen = true;
        if (m_behind.contains(device))
            m_incomplete.append(m_setup.deviceNames.value(device));
    }
    // Once the rescan's changes have been seen, a device that reports the folder complete
    // has taken them. When the rescan changed nothing, a second poll must agree, for
    // changes still on their way in.
    if (m_incomplete.isEmpty())
        ++m_settled;
    else
        m_settled = 0;
    if (m_settled >= (m_scanSeen ? 1 : 2)) {
        // A device that is away is named last: its changes are still to come.
        QStringList parts;
        if (!m_connected.isEmpty() || m_absent.isEmpty())
            parts.append(QStringLiteral("Up to date with %1").arg(devices(m_connected.size())));
        return finish(Result::InSync, (parts + m_absent).join(QLatin1String("; ")));
    }
    const QString text = QStringLiteral("Synchronizing with %1…").arg(devices(m_connected.size()));
    if (!m_incomplete.isEmpty() && text != m_lastProgress)
        emit progress(m_lastProgress = text);
    waitForChange();
}

void SyncthingSync::finishTimedOut()
{
    const QString waiting = m_incomplete.isEmpty() ? QStringLiteral("this computer")
                                                   : m_incomplete.join(QLatin1String(", "));
    finish(Result::TimedOut, QStringLiteral("Not in sync after %1 s: %2 still has changes to take")
                                 .arg(m_timeLimit / 1000.0)
                                 .arg(waiting));
}

void SyncthingSync::finish(Result result, const QString& message)
{
    if (m_done)
        return;
    m_done = true;
    m_pollTimer->stop();
    if (QNetworkReply* events = std::exchange(m_events, nullptr))
        events->abort();
    m_limitTimer->stop();
    if (result != Result::NoEngine && m_setup.dropsConflicts) {
        return emit finished(
            result, QStringLiteral("%1; Syncthing keeps no conflict copies in folder %2: of a "
                                   "record changed on two computers at once, one version is "
                                   "lost (set the folder's Max Conflicts above 0)")
                        .arg(message, m_setup.folderId));
    }
    emit finished(result, message);
}
