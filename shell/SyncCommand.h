#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class CMainFrame;
class CVoyantaApp;
class CommandSync;
class SyncthingSync;
struct SyncCommandSetup;
struct SyncthingSetup;

// Tools, Synchronize: ends what is being edited, has the folder synchronised without
// blocking the window, then reads the data folder again, telling in the status bar what
// happened. The engine is, in order: the command the profile names (group "Sync", keys
// "Command", "Arguments" and "TimeLimit" in seconds), run without a shell; the Syncthing
// that shares the working directory; the sync program of the older hand-off (group
// "App Paths"), only started. With none the folder is read again and the status bar says
// where the guide explains sharing it.
class CSyncCommand : public QObject {
    Q_OBJECT

public:
    CSyncCommand(CMainFrame& frame, CVoyantaApp& app);
    ~CSyncCommand() override;

    void run();
    bool running() const { return m_running; }
    // Whether a sync engine shares the working directory, as its configuration says: a
    // change in the data folder that the program did not make then came from another
    // device.
    bool engineSharesFolder();
    // For tests: how long a synchronisation may take, and how often Syncthing is asked.
    void setTimeLimit(int msecs) { m_timeLimit = msecs; }
    void setPollInterval(int msecs) { m_pollInterval = msecs; }

signals:
    // The synchronisation ended and the folder was read again (or left for F5 while the
    // user is in the middle of an edit); message is what the status bar says.
    void finished(const QString& message);

private:
    void runSyncthing(const SyncthingSetup& setup);
    void runCommand(const SyncCommandSetup& setup);
    void progress(const QString& text);
    void finish(const QString& message);
    // Whether the user is in a dialog or an in-place editor, which a reload would pull the
    // records from under.
    bool userIsEditing() const;

    CMainFrame& m_frame;
    CVoyantaApp& m_app;
    QPointer<SyncthingSync> m_syncthing;
    QPointer<CommandSync> m_command;
    bool m_running = false;
    int m_timeLimit = 30000;
    int m_pollInterval = 250;
    QString m_sharedChecked; // the working directory engineSharesFolder() looked at
    bool m_shared = false;
};
