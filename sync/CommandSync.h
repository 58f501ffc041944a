#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <optional>

class QProcess;

// A sync command the profile names instead of an engine (group "Sync": "Command",
// "Arguments", and "TimeLimit" in seconds).
struct SyncCommandSetup {
    QString program;
    QStringList arguments;
    int timeLimit = 30000; // milliseconds
};

// The command the profile names, or nothing when it names none; its time limit is the
// given one when the profile sets none.
std::optional<SyncCommandSetup> ConfiguredSyncCommand(int defaultTimeLimit);

// Runs a sync command without a shell, with its time limit, and tells how it ended: its
// exit status and the last line it wrote on its standard error. Asynchronous: start()
// returns at once; finished() comes from the event loop.
class CommandSync : public QObject {
    Q_OBJECT
public:
    enum class Result {
        Ended,      // exit status 0
        Failed,     // another exit status, or a crash
        TimedOut,   // stopped at the time limit
        NotStarted, // the program could not be started
    };
    Q_ENUM(Result)

    explicit CommandSync(SyncCommandSetup setup, QObject* parent = nullptr);
    ~CommandSync() override;

    const SyncCommandSetup& setup() const { return m_setup; }
    void start();

signals:
    void finished(CommandSync::Result result, const QString& message);

private:
    void finish(Result result, const QString& message);

    SyncCommandSetup m_setup;
    QPointer<QProcess> m_process;
};
