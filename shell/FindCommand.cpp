#include "FindCommand.h"

#include "FindDlg.h"
#include "FindResultsModel.h"
#include "MainFrame.h"
#include "TravelDataStore.h"
#include "UpperView.h"
#include "VoyantaApp.h"

#include <QLineEdit>
#include <QTreeView>

namespace {

constexpr int ShownMatches = 500;

} // namespace

CFindCommand::CFindCommand(CMainFrame& frame, CVoyantaApp& app)
    : QObject(&frame), m_frame(frame), m_app(app),
      m_results(new FindResultsModel(app.displayFormats(), this))
{
    // Every record the program writes is found, or no longer found, at the next search.
    app.store().setChangeObserver([this](const RecordKey& travelKey) {
        if (travelKey.isEmpty())
            m_built = false;
        else
            travelChanged(travelKey);
    });
}

CFindCommand::~CFindCommand()
{
    m_app.store().setChangeObserver({});
}

void CFindCommand::open()
{
    // The user comes from the main window: that is where the keyboard goes back to.
    m_focusAfter = m_frame.focusWidget();
    if (!m_dialog) {
        m_dialog = new CFindDlg(*m_results, &m_frame);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_dialog, &CFindDlg::searchRequested, this, &CFindCommand::onTyped);
        connect(m_dialog, &CFindDlg::matchChosen, this, &CFindCommand::onChosen);
        connect(m_dialog, &QDialog::finished, this, &CFindCommand::onClosed);
    }
    if (!m_dialog->input()->text().isEmpty())
        onTyped(m_dialog->input()->text());
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
    m_dialog->input()->setFocus();
    m_dialog->input()->selectAll();
}

void CFindCommand::invalidate()
{
    m_built = false;
    m_changed.clear();
    if (m_dialog && !m_dialog->input()->text().isEmpty())
        onSearch(m_dialog->input()->text());
}

void CFindCommand::travelChanged(const RecordKey& travelKey)
{
    if (m_built)
        m_changed.insert(travelKey);
}

void CFindCommand::ensureIndex()
{
    if (!m_built) {
        m_index.rebuild(m_app.store());
        m_built = true;
        m_changed.clear();
        return;
    }
    for (const RecordKey& key : std::as_const(m_changed))
        m_index.updateTravel(m_app.store(), key);
    m_changed.clear();
}

QList<FindMatch> CFindCommand::search(const QString& text, int limit)
{
    ensureIndex();
    return m_index.find(text, limit);
}

void CFindCommand::onTyped(const QString& text)
{
    // Unsaved rows are saved first, as for every command that reads the records; the
    // index then follows the save. A save the user cancels leaves the search to what
    // was saved.
    m_frame.endPendingEdits();
    onSearch(text);
}

void CFindCommand::onSearch(const QString& text)
{
    QList<FindMatch> matches = search(text, ShownMatches + 1);
    const bool more = matches.size() > ShownMatches;
    if (more)
        matches.resize(ShownMatches);
    const int shown = int(matches.size());
    m_results->setMatches(std::move(matches));
    if (m_dialog)
        m_dialog->setCount(shown, more);
}

void CFindCommand::onChosen(int row)
{
    if (row < 0 || row >= m_results->rowCount())
        return;
    if (m_frame.showFound(m_results->matchAt(row)))
        m_focusAfter = m_frame.upperView();
}

void CFindCommand::onClosed()
{
    QWidget* target = m_focusAfter;
    if (!target || !target->isVisible())
        target = m_frame.upperView();
    // Left alone, the window would give the keyboard to its first control that takes it,
    // the month picker, when the view that had it was replaced meanwhile.
    m_frame.activateWindow();
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}
