#pragma once

#include <QElapsedTimer>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QUrl>

#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// A running Syncthing that shares a folder holding the working directory: where its
// configuration is, how its REST interface is reached, and the folder.
struct SyncthingSetup {
    QString configPath;
    QUrl address; // the GUI and REST address
    QByteArray apiKey;
    QString folderId;
    QString folderPath;
    QMap<QString, QString> deviceNames; // every device the folder is shared with, by id
    // The folder's maxConflicts is 0: of a file changed on two devices at once, Syncthing
    // keeps one version and drops the other instead of leaving a conflict copy.
    bool dropsConflicts = false;
};

// Where Syncthing's config.xml is looked for, in order: the path kept in the profile
// (group "Sync", key "ConfigPath"), $XDG_CONFIG_HOME/syncthing (or ~/.config/syncthing),
// ~/.local/state/syncthing.
QStringList SyncthingConfigCandidates();

// Reads one configuration; nothing (with the reason) when it shares no folder that holds
// the working directory or cannot be read.
std::optional<SyncthingSetup> ReadSyncthingSetup(const QString& configPath,
                                                 const QString& workingDirectory, QString* reason);
// The first configuration among the candidates that shares the working directory.
std::optional<SyncthingSetup> FindSyncthing(const QString& workingDirectory, QString* reason);

// One synchronisation through Syncthing's REST interface: a rescan of the folder, then
// following it until it is idle and every connected device that shares it has it
// complete, or until the time limit. Asynchronous: start() returns at once; progress()
// and finished() come from the event loop.
class SyncthingSync : public QObject {
    Q_OBJECT
public:
    enum class Result {
        InSync,   // every connected device has the folder complete
        TimedOut, // the time limit ended the wait
        NoEngine, // Syncthing does not answer, refuses the key or does not share the folder
    };
    Q_ENUM(Result)

    explicit SyncthingSync(SyncthingSetup setup, QObject* parent = nullptr);
    ~SyncthingSync() override;

    void setTimeLimit(int milliseconds) { m_timeLimit = milliseconds; }
    // The longest wait between two polls; the first ones come sooner.
    void setPollInterval(int milliseconds) { m_pollInterval = milliseconds; }
    void start();

signals:
    void progress(const QString& text);
    void finished(SyncthingSync::Result result, const QString& message);

private:
    QNetworkReply* request(const QByteArray& verb, const QString& path,
                           const QList<std::pair<QString, QString>>& query = {});
    // The reason a reply failed, or empty when it did not.
    QString failureOf(QNetworkReply* reply) const;
    void poll();
    void askCompletion(const QString& device);
    // Ends the wait once every answer of the poll is in and all is in sync, or waits.
    void settle();
    // Waits for the next poll: for an event that may change what a poll finds, or the
    // poll interval, whichever comes first.
    void waitForChange();
    // Keeps one events long-poll waiting while Syncthing offers events.
    void followEvents();
    // Asks for the waking events after `since`.
    QNetworkReply* askEvents(qint64 since, QList<std::pair<QString, QString>> query);
    // The id of the last event a reply holds, or `none` when it holds none.
    static qint64 lastEventIn(QNetworkReply* reply, qint64 none);
    void finishTimedOut();
    void finish(Result result, const QString& message);

    SyncthingSetup m_setup;
    QNetworkAccessManager* m_network;
    QTimer* m_pollTimer;
    QNetworkReply* m_events = nullptr; // the events long-poll waiting for a change
    QTimer* m_limitTimer;
    QElapsedTimer m_clock;
    QStringList m_others; // the folder's devices but this computer
    QString m_lastProgress;
    int m_timeLimit = 30000;
    int m_pollInterval = 250; // the longest wait between polls
    // Without an event the polls come soon at first, as a small change is through in a few
    // tens of milliseconds, and less often later.
    int m_nextPoll = 20;
    bool m_changeDuringPoll = false;
    int m_pending = 0; // replies of the current poll still out
    bool m_done = false;
    // The folder's sequence before the rescan; the rescan has been seen once it moved or a
    // device is found to need something.
    qint64 m_sequenceBefore = -1;
    // The last event seen of those that wake the wait; -1 when Syncthing offers no events.
    qint64 m_lastEvent = -1;
    bool m_scanSeen = false;
    int m_settled = 0; // polls in a row that found everything in sync
    // What the current poll learnt.
    bool m_localBusy = false; // this computer scans, pulls or needs something
    QStringList m_connected;  // the other devices connected
    QSet<QString> m_behind;   // devices not complete, or not yet telling
    QSet<QString> m_needing;  // devices that need items, bytes or deletes
    QStringList m_incomplete; // what is not in sync, this computer and devices by name
    QStringList m_absent;     // "laptop is not connected: ..." of each device away
};
