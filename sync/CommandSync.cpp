#include "CommandSync.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTimer>

namespace {

// The last line a program wrote, if any.
QString lastLine(const QByteArray& output)
{
    const QStringList lines =
        QString::fromLocal8Bit(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

QString withLine(const QString& text, const QString& line)
{
    return line.isEmpty() ? text : QStringLiteral("%1: %2").arg(text, line);
}

} // namespace

std::optional<SyncCommandSetup> ConfiguredSyncCommand(int defaultTimeLimit)
{
    const QSettings profile(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"));
    SyncCommandSetup setup;
    setup.program = profile.value(QStringLiteral("Sync/Command")).toString();
    if (setup.program.isEmpty())
        return std::nullopt;
    setup.arguments = profile.value(QStringLiteral("Sync/Arguments")).toStringList();
    const int seconds = profile.value(QStringLiteral("Sync/TimeLimit")).toInt();
    setup.timeLimit = seconds > 0 ? seconds * 1000 : defaultTimeLimit;
    return setup;
}

CommandSync::CommandSync(SyncCommandSetup setup, QObject* parent)
    : QObject(parent), m_setup(std::move(setup))
{
}

CommandSync::~CommandSync()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

void CommandSync::start()
{
    const QString name = QFileInfo(m_setup.program).fileName();
    m_process = new QProcess(this);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    auto* limit = new QTimer(m_process);
    limit->setSingleShot(true);
    connect(limit, &QTimer::timeout, this, [this, name] {
        const QString line = lastLine(m_process->readAllStandardError());
        finish(Result::TimedOut, withLine(tr("%1 did not end within %2 s and was stopped")
                                              .arg(name)
                                              .arg(m_setup.timeLimit / 1000.0),
                                          line));
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(Result::NotStarted,
                   tr("Could not start the sync command %1 (%2); install it or change the "
                      "group [Sync] of the settings")
                       .arg(m_setup.program, m_process->errorString()));
    });
    connect(m_process, &QProcess::finished, this,
            [this, name](int exitCode, QProcess::ExitStatus status) {
                const QString line = lastLine(m_process->readAllStandardError());
                if (status == QProcess::CrashExit)
                    finish(Result::Failed, withLine(tr("%1 crashed").arg(name), line));
                else
                    finish(
                        exitCode == 0 ? Result::Ended : Result::Failed,
                        withLine(tr("%1 ended with exit status %2").arg(name).arg(exitCode), line));
            });
    limit->start(m_setup.timeLimit);
    m_process->start(m_setup.program, m_setup.arguments);
}

void CommandSync::finish(Result result, const QString& message)
{
    if (!m_process)
        return;
    QProcess* process = m_process;
    m_process = nullptr;
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        // Stopped at its limit: it goes once it has ended.
        connect(process, &QProcess::finished, process, &QObject::deleteLater);
        process->kill();
    } else {
        process->deleteLater();
    }
    emit finished(result, message);
}
