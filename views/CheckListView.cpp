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

namespace {

const char* const deleteQuestion = "Delete the Check List Item?";
const char* const newItemText = "New Item";

} // namespace

CChekListView::CChekListView(TravelDataStore& store, QWidget* parent)
    : CChekListView(new CheckListModel(store.displayFormats()), store, parent)
{
}

CChekListView::CChekListView(CheckListModel* model, TravelDataStore& store, QWidget* parent)
    : CEditedListView(
          ViewKind::CheckList,
          {Cmd::CheckListNew, Cmd::CheckListModify, Cmd::CheckListDelete, Cmd::CheckListImport},
          model, new CListEditDelegate(CListEditDelegate::Escape::Reverts), store, parent),
      m_model(model)
{
    m_list->setWatermark(LoadBitmap(Bitmaps::CheckListWatermark));
    m_list->setColumnWidthRule(&ColumnWidths::CheckList);
    // The one image of the header stands left of its caption; the header does not sort.
    m_header->setImages(LoadImageStrip(Bitmaps::CheckListHeader, 16), 1);
    m_header->viewport()->installEventFilter(this);

    // A double click right of the check box renames the entry; on the box it only ticks.
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!m_delegate->isOnCheckBox(m_list, index, m_lastPress))
            edit(index.row());
    });
}

CChekListView::~CChekListView()
{
    // The frame saves before it lets a view go; this is for any other way out.
    (void)write();
}

void CChekListView::load(const TreeSelection& selection)
{
    loadTravel(selection.travelKey,
               [this] { m_model->setItems(m_store.LoadCheckList(m_travelKey)); });
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

QString CChekListView::fileNameOf(const RecordKey& travelKey) const
{
    return DataFolder::checkListFileName(travelKey);
}

Outcome CChekListView::writeRows()
{
    return m_store.SaveCheckList(m_travelKey, m_model->items());
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

void CChekListView::newRow()
{
    m_delegate->endEditing();
    edit(m_model->addItem(QString::fromLatin1(newItemText)));
}

void CChekListView::modifyRow()
{
    edit(m_list->markedRow());
}

void CChekListView::deleteRow()
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
            showRow(row);
            return;
        }
    }
}
