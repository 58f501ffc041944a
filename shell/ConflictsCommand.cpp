#include "ConflictsCommand.h"

#include "MainFrame.h"
#include "Prompter.h"
#include "ResolveConflictsDlg.h"
#include "TravelDataStore.h"
#include "TravelTreeView.h"
#include "VoyantaApp.h"

#include <QLabel>
#include <QStatusBar>

CConflictsCommand::CConflictsCommand(CMainFrame& frame, CVoyantaApp& app)
    : QObject(&frame), m_frame(frame), m_app(app), m_notice(new QLabel(frame.statusBar()))
{
    m_notice->setObjectName(QStringLiteral("conflictNotice"));
    frame.statusBar()->insertPermanentWidget(0, m_notice);
}

void CConflictsCommand::update()
{
    const TravelDataStore& store = m_app.store();
    m_copies = AllConflictCopies(store.conflictCopies(), store.imagesFolder());
    m_frame.tree()->setTravelsWithConflicts(TravelsWithConflicts(m_copies));
    m_notice->setText(notice());
}

QString CConflictsCommand::notice() const
{
    if (m_copies.isEmpty())
        return {};
    return m_copies.size() == 1
               ? tr("A record has a conflict copy: Tools, Resolve Conflicts")
               : tr("%1 conflict copies of records: Tools, Resolve Conflicts").arg(m_copies.size());
}

void CConflictsCommand::open()
{
    if (!m_frame.endPendingEdits())
        return;
    // The pictures pane saves and lets go of its travel: its file may be settled too.
    m_frame.showImagesOfTravel(RecordKey());
    const TravelDataStore& store = m_app.store();
    CResolveConflictsDlg dialog(
        m_copies, m_app.workingDirectory(),
        [&store](const QString& key) { return store.GetTravel(key).title; }, m_app.prompter(),
        &m_frame);
    m_app.prompter().run(&dialog);
    m_frame.refresh();
}
