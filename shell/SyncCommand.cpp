#include "SyncCommand.h"

#include "CommandSync.h"
#include "MainFrame.h"
#include "Prompter.h"
#include "SyncHandOff.h"
#include "SyncthingClient.h"
#include "VoyantaApp.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileInfo>

namespace {

const QString guideSection =
    QStringLiteral("“Using Voyanta on several computers” in the guide (F1)");

QString noEngineMessage(const QString& reason)
{
    // The reason last: the status bar cuts a long message at its end.
    return QStringLiteral("No sync engine shares this folder; it was read again. See %1. (%2)")
        .arg(guideSection, reason);
}

} // namespace

CSyncCommand::CSyncCommand(CMainFrame& frame, CVoyantaApp& app)
    : QObject(&frame), m_frame(frame), m_app(app)
{
}

CSyncCommand::~CSyncCommand()
{
    if (m_command)
        m_command->disconnect(this);
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
    if (const auto command = ConfiguredSyncCommand(m_timeLimit)) {
        runCommand(*command);
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

void CSyncCommand::runCommand(const SyncCommandSetup& setup)
{
    m_running = true;
    m_command = new CommandSync(setup, this);
    connect(m_command, &CommandSync::finished, this,
            [this](CommandSync::Result result, const QString& message) {
                m_command->deleteLater();
                finish(result == CommandSync::Result::NotStarted
                           ? tr("%1. Read the folder again.").arg(message)
                           : message);
            });
    progress(tr("Synchronizing with %1…").arg(QFileInfo(setup.program).fileName()));
    m_command->start();
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
