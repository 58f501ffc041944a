#include "SyncCommand.h"

#include "MainFrame.h"
#include "Prompter.h"
#include "SyncHandOff.h"
#include "SyncthingClient.h"
#include "VoyantaApp.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTimer>

namespace {

const QString guideSection =
    QStringLiteral("“Using Voyanta on several computers” in the guide (F1)");

QString noEngineMessage(const QString& reason)
{
    // The reason last: the status bar cuts a long message at its end.
    return QStringLiteral("No sync engine shares this folder; it was read again. See %1. (%2)")
        .arg(guideSection, reason);
}

// The last line a program wrote on its standard error, if any.
QString lastLine(const QByteArray& output)
{
    const QStringList lines =
        QString::fromLocal8Bit(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

} // namespace

CSyncCommand::CSyncCommand(CMainFrame& frame, CVoyantaApp& app)
    : QObject(&frame), m_frame(frame), m_app(app)
{
}

CSyncCommand::~CSyncCommand()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

bool CSyncCommand::engineSharesFolder()
{
    const QString folder = m_app.workingDirectory();
    if (m_sharedChecked != folder) {
        QString reason;
        m_shared = FindSyncthing(folder, &reason).has_value();
        m_sharedChecked = folder;
    }
    return m_shared;
}

void CSyncCommand::run()
{
    if (m_running) {
        progress(tr("Synchronizing already; the folder is read again when it ends."));
        return;
    }
    if (!m_frame.endPendingEdits())
        return;
    const QSettings profile(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"));
    const QString command = profile.value(QStringLiteral("Sync/Command")).toString();
    if (!command.isEmpty()) {
        const int seconds = profile.value(QStringLiteral("Sync/TimeLimit"), 30).toInt();
        runCommand(command, profile.value(QStringLiteral("Sync/Arguments")).toStringList(),
                   seconds > 0 ? seconds * 1000 : m_timeLimit);
        return;
    }
    QString reason;
    const auto setup = FindSyncthing(m_app.workingDirectory(), &reason);
    m_sharedChecked = m_app.workingDirectory();
    m_shared = setup.has_value();
    if (setup) {
        runSyncthing(*setup);
        return;
    }
    if (const QString manager = SyncHandOff::ManagerPath(); !manager.isEmpty()) {
        m_app.prompter().startProgram(manager, SyncHandOff::ManagerArguments());
        m_running = true;
        finish(tr("Started %1 and read the folder again.").arg(QFileInfo(manager).fileName()));
        return;
    }
    m_running = true;
    finish(noEngineMessage(reason));
}

void CSyncCommand::runSyncthing(const SyncthingSetup& setup)
{
    m_running = true;
    m_syncthing = new SyncthingSync(setup, this);
    m_syncthing->setTimeLimit(m_timeLimit);
    m_syncthing->setPollInterval(m_pollInterval);
    connect(m_syncthing, &SyncthingSync::progress, this, &CSyncCommand::progress);
    connect(m_syncthing, &SyncthingSync::finished, this,
            [this](SyncthingSync::Result result, const QString& message) {
                m_syncthing->deleteLater();
                if (result == SyncthingSync::Result::NoEngine)
                    finish(tr("%1. Read the folder again without synchronizing.").arg(message));
                else
                    finish(message);
            });
    m_syncthing->start();
}

void CSyncCommand::runCommand(const QString& program, const QStringList& arguments, int timeLimit)
{
    m_running = true;
    const QString name = QFileInfo(program).fileName();
    m_process = new QProcess(this);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    auto* limit = new QTimer(m_process);
    limit->setSingleShot(true);
    connect(limit, &QTimer::timeout, m_process, [this, name, timeLimit] {
        const QString line = lastLine(m_process->readAllStandardError());
        m_process->disconnect(this);
        connect(m_process, &QProcess::finished, m_process, &QObject::deleteLater);
        m_process->kill();
        finish(tr("%1 did not end within %2 s and was stopped%3")
                   .arg(name)
                   .arg(timeLimit / 1000.0)
                   .arg(line.isEmpty() ? QString() : QStringLiteral(": ") + line));
    });
    connect(
        m_process, &QProcess::errorOccurred, this, [this, program](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return;
            const QString cause = m_process->errorString();
            m_process->disconnect(this);
            m_process->deleteLater();
            finish(tr("Could not start the sync command %1 (%2); install it or change the group "
                      "[Sync] of the settings. Read the folder again.")
                       .arg(program, cause));
        });
    connect(m_process, &QProcess::finished, this,
            [this, name](int exitCode, QProcess::ExitStatus status) {
                const QString line = lastLine(m_process->readAllStandardError());
                m_process->deleteLater();
                const QString ending =
                    status == QProcess::CrashExit
                        ? tr("%1 crashed").arg(name)
                        : tr("%1 ended with exit status %2").arg(name).arg(exitCode);
                finish(line.isEmpty() ? ending : QStringLiteral("%1: %2").arg(ending, line));
            });
    progress(tr("Synchronizing with %1…").arg(name));
    limit->start(timeLimit);
    m_process->start(program, arguments);
}

void CSyncCommand::progress(const QString& text)
{
    m_frame.showStatus(text);
}

bool CSyncCommand::userIsEditing() const
{
    if (QApplication::activeModalWidget())
        return true;
    // An in-place editor lives in the viewport of the list it edits.
    const QWidget* focus = QApplication::focusWidget();
    for (const QWidget* w = focus ? focus->parentWidget() : nullptr; w; w = w->parentWidget()) {
        if (const auto* view = qobject_cast<const QAbstractItemView*>(w->parentWidget());
            view && view->viewport() == w)
            return true;
    }
    return false;
}

void CSyncCommand::finish(const QString& message)
{
    m_running = false;
    if (m_frame.isClosing())
        return;
    if (userIsEditing()) {
        // The records are not pulled from under the user: F5 reads them when they are done.
        m_frame.markOutsideChange();
    } else {
        m_frame.refresh();
    }
    m_frame.showStatus(message);
    emit finished(message);
}
