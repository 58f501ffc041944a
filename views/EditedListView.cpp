#include "EditedListView.h"

#include "CommandIds.h"
#include "EditedListModel.h"
#include "ListCtrl.h"
#include "ListEditDelegate.h"
#include "ListHeaderCtrl.h"
#include "Prompter.h"
#include "TravelDataStore.h"

#include <QVBoxLayout>

CEditedListView::CEditedListView(ViewKind kind, const Commands& commands, EditedListModel* rows,
                                 CListEditDelegate* delegate, TravelDataStore& store,
                                 QWidget* parent)
    : CUpperView(kind, store, parent), m_list(new CListCtrl(this)),
      m_header(new CListHeaderCtrl(m_list)), m_delegate(delegate), m_commands(commands),
      m_rows(rows)
{
    m_rows->setParent(this);
    m_delegate->setParent(this);
    m_list->setHeader(m_header);
    m_list->setModel(m_rows);
    m_list->setItemDelegate(m_delegate);
    m_list->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setFocusProxy(m_list);

    connect(m_rows, &EditedListModel::captionChanged, this, [this](const QString& caption) {
        // A view that let go of its rows no longer speaks for the selected node.
        if (!m_travelKey.isEmpty())
            emit captionChanged(caption);
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CUpperView::stateChanged);
    connect(m_rows, &QAbstractItemModel::rowsInserted, this, &CUpperView::stateChanged);
    connect(m_rows, &QAbstractItemModel::rowsRemoved, this, &CUpperView::stateChanged);
    connect(m_rows, &QAbstractItemModel::modelReset, this, &CUpperView::stateChanged);
}

void CEditedListView::loadTravel(const RecordKey& travelKey, const std::function<void()>& fill)
{
    m_travelKey = travelKey;
    m_fill = fill;
    m_rows->setReadOnly(false);
    fill();
    emit travelChosen(m_travelKey);
    offerDamagedRows();
    emit stateChanged();
}

void CEditedListView::offerDamagedRows()
{
    const QString fileName = fileNameOf(m_travelKey);
    const QString damage = m_store.damageOf(fileName);
    if (damage.isEmpty())
        return;
    m_rows->setReadOnly(true);
    if (!m_prompter)
        return;
    const QString question =
        QStringLiteral("%1 could not be read whole: %2.\n\nVoyanta shows what it could read, "
                       "read-only, and leaves the file as it is. Keep what was read? The damaged "
                       "file is then kept beside it as %1.damaged and what was read is saved "
                       "in its place.")
            .arg(fileName, damage);
    if (m_prompter->choose(this, question, {tr("&Keep What Was Read"), tr("&Leave It")}) != 0)
        return;
    Outcome kept = m_store.KeepDamagedCopy(fileName);
    if (kept.ok())
        kept = writeRows();
    if (!kept.ok()) {
        m_prompter->inform(this, kept.message());
        return;
    }
    m_rows->setSaved();
    m_rows->setReadOnly(false);
}

ViewFacts CEditedListView::facts() const
{
    ViewFacts facts = CUpperView::facts();
    facts.recordMarked = m_rows->isRecordRow(m_list->markedRow());
    return facts;
}

bool CEditedListView::handles(int command) const
{
    if (m_rows->isReadOnly())
        return false;
    switch (command) {
    case Cmd::ListNewItem:
    case Cmd::ListNewTravel:
    case Cmd::Modify:
    case Cmd::Delete:
    case Cmd::ListImportItems:
        return true;
    default:
        return command == m_commands.newRow || command == m_commands.modifyRow ||
               command == m_commands.deleteRow;
    }
}

bool CEditedListView::run(int command)
{
    if (command == m_commands.newRow || command == Cmd::ListNewItem ||
        command == Cmd::ListNewTravel) {
        newRow();
    } else if (command == m_commands.modifyRow || command == Cmd::Modify) {
        modifyRow();
    } else if (command == m_commands.deleteRow || command == Cmd::Delete) {
        deleteRow();
    } else if (command == Cmd::ListImportItems) {
        emit commandRequested(m_commands.importRows);
    } else {
        return false;
    }
    return true;
}

Outcome CEditedListView::save()
{
    m_delegate->endEditing();
    return write();
}

Outcome CEditedListView::write()
{
    if (m_travelKey.isEmpty() || !m_rows->isModified())
        return {};
    Outcome saved = writeRows();
    if (saved.ok())
        m_rows->setSaved();
    return saved;
}

void CEditedListView::discardChanges()
{
    m_delegate->endEditing();
    if (m_fill)
        m_fill();
    emit stateChanged();
}

Outcome CEditedListView::keepAsNewTravel()
{
    m_delegate->endEditing();
    if (m_travelKey.isEmpty() || !m_rows->isModified())
        return {};
    const KeyOutcome added = m_store.AddTravel(m_store.GetTravel(m_travelKey));
    if (!added.ok())
        return added.outcome;
    m_travelKey = added.key;
    return write();
}

Outcome CEditedListView::saveAndRelease()
{
    Outcome saved = save();
    if (!saved.ok())
        return saved; // the rows stay: they are the only copy
    m_travelKey.clear();
    m_rows->clear();
    return saved;
}

const QAbstractItemModel* CEditedListView::printModel() const
{
    return m_rows;
}

QList<int> CEditedListView::printColumnWidths() const
{
    return m_list->columnWidths();
}

QWidget* CEditedListView::openEditor() const
{
    return m_delegate->openEditor();
}

void CEditedListView::showRow(int row)
{
    m_list->markRow(row);
    m_list->scrollTo(m_rows->index(row, 0));
}
