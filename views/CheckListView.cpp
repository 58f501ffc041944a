#include "CheckListView.h"

#include "Bitmaps.h"
#include "CheckListModel.h"
#include "ColumnWidths.h"
#include "CommandIds.h"
#include "ListCtrl.h"
#include "ListEditDelegate.h"
#include "ListHeaderCtrl.h"
#include "PrintTitles.h"
#include "Prompter.h"
#include "TravelDataStore.h"

#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

const char* const deleteQuestion = "Delete the Check List Item?";
const char* const newItemText = "New Item";

} // namespace

CChekListView::CChekListView(TravelDataStore& store, QWidget* parent)
    : CUpperView(ViewKind::CheckList, store, parent),
      m_model(new CheckListModel(store.displayFormats(), this)), m_list(new CListCtrl(this)),
      m_header(new CListHeaderCtrl(m_list)),
      m_delegate(new CListEditDelegate(CListEditDelegate::Escape::Reverts, this))
{
    m_list->setHeader(m_header);
    m_list->setModel(m_model);
    m_list->setItemDelegate(m_delegate);
    m_list->setWatermark(LoadBitmap(Bitmaps::CheckListWatermark));
    m_list->setColumnWidthRule(&ColumnWidths::CheckList);
    // The one image of the header stands left of its caption; the header does not sort.
    m_header->setImages(LoadImageStrip(Bitmaps::CheckListHeader, 16), 1);
    m_header->viewport()->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setFocusProxy(m_list);

    connect(m_model, &CheckListModel::captionChanged, this, [this](const QString& caption) {
        // A view that let go of its rows no longer speaks for the selected node.
        if (!m_travelKey.isEmpty())
            emit captionChanged(caption);
    });
    // A double click right of the check box renames the entry; on the box it only ticks.
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!m_delegate->isOnCheckBox(m_list, index, m_lastPress))
            edit(index.row());
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CUpperView::stateChanged);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &CUpperView::stateChanged);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &CUpperView::stateChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CUpperView::stateChanged);
}

CChekListView::~CChekListView()
{
    // The frame saves before it lets a view go; this is for any other way out.
    if (!m_travelKey.isEmpty())
        (void)write();
}

void CChekListView::load(const TreeSelection& selection)
{
    m_travelKey = selection.travelKey;
    emit travelChosen(m_travelKey);
    m_model->setItems(m_store.LoadCheckList(m_travelKey));
    emit stateChanged();
}

UpperViewState CChekListView::state() const
{
    UpperViewState state = CUpperView::state();
    state.markedRow = m_list->markedRow();
    state.rowCount = m_model->rowCount();
    return state;
}

bool CChekListView::handles(int command) const
{
    switch (command) {
    case Cmd::CheckListNew:
    case Cmd::ListNewItem:
    case Cmd::ListNewTravel:
    case Cmd::CheckListModify:
    case Cmd::CheckListDelete:
    case Cmd::Modify:
    case Cmd::Delete:
    case Cmd::ListImportItems:
        return true;
    default:
        return false;
    }
}

bool CChekListView::run(int command)
{
    switch (command) {
    case Cmd::CheckListNew:
    case Cmd::ListNewItem:
    case Cmd::ListNewTravel:
        newItem();
        return true;
    case Cmd::CheckListModify:
    case Cmd::Modify:
        modifyItem();
        return true;
    case Cmd::CheckListDelete:
    case Cmd::Delete:
        deleteItem();
        return true;
    case Cmd::ListImportItems:
        emit commandRequested(Cmd::CheckListImport);
        return true;
    default:
        return false;
    }
}

std::optional<PreferenceList> CChekListView::importList() const
{
    return PreferenceList::MasterList;
}

Outcome CChekListView::importItems(const QStringList& texts)
{
    m_delegate->endEditing();
    int row = -1;
    for (const QString& text : texts)
        row = m_model->addItem(text);
    if (row >= 0)
        m_list->markRow(row);
    return {};
}

std::optional<ExportFormat> CChekListView::listExport() const
{
    return ExportFormat::CheckListCsv;
}

Outcome CChekListView::save()
{
    m_delegate->endEditing();
    return write();
}

Outcome CChekListView::write()
{
    if (m_travelKey.isEmpty() || !m_model->isModified())
        return {};
    Outcome saved = m_store.SaveCheckList(m_travelKey, m_model->items());
    if (saved.ok())
        m_model->setSaved();
    return saved;
}

Outcome CChekListView::saveAndRelease()
{
    Outcome saved = save();
    if (!saved.ok())
        return saved; // the rows stay: they are the only copy
    m_travelKey.clear();
    m_model->clear();
    return saved;
}

const QAbstractItemModel* CChekListView::printModel() const
{
    return m_model;
}

QList<int> CChekListView::printColumnWidths() const
{
    return m_list->columnWidths();
}

QWidget* CChekListView::openEditor() const
{
    return m_delegate->openEditor();
}

void CChekListView::edit(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(row, 0);
    m_list->markRow(row);
    m_list->scrollTo(index);
    m_list->setFocus();
    m_list->edit(index);
}

void CChekListView::newItem()
{
    m_delegate->endEditing();
    edit(m_model->addItem(QString::fromLatin1(newItemText)));
}

void CChekListView::modifyItem()
{
    edit(m_list->markedRow());
}

void CChekListView::deleteItem()
{
    m_delegate->endEditing();
    const int row = m_list->markedRow();
    if (row < 0 || !m_prompter || !m_prompter->ask(this, QString::fromLatin1(deleteQuestion)))
        return;
    m_list->scrollToTop();
    m_model->removeItem(row);
}

bool CChekListView::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_header->viewport()) {
        // The header of the check list is a caption, not a sort button.
        return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
               type == QEvent::MouseButtonDblClick;
    }
    if (watched == m_list->viewport() &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        m_lastPress = mouse->position().toPoint();
        if (mouse->button() == Qt::RightButton) {
            if (type == QEvent::MouseButtonDblClick)
                return true;
            m_delegate->endEditing();
            const QModelIndex index = m_list->indexAt(mouse->position().toPoint());
            const QPoint global = mouse->globalPosition().toPoint();
            if (index.isValid()) {
                m_list->markRow(index.row());
                emit contextMenuRequested(PopupMenu::CheckListMenu, global);
            } else {
                emit contextMenuRequested(PopupMenu::NewImport, global);
            }
            return true;
        }
    }
    return CUpperView::eventFilter(watched, event);
}

QString CChekListView::printTitle() const
{
    return PrintTitles::CheckListFor(m_store.GetTravel(m_travelKey).title);
}

void CChekListView::markFound(const FindMatch& match)
{
    const QList<CheckListItem>& items = m_model->items();
    for (int row = 0; row < int(items.size()); ++row) {
        if (items[row].text == match.title) {
            m_list->markRow(row);
            m_list->scrollTo(m_model->index(row, 0));
            return;
        }
    }
}
