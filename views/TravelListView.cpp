#include "TravelListView.h"

#include "Bitmaps.h"
#include "ColumnWidths.h"
#include "CommandIds.h"
#include "DisplayModes.h"
#include "ListHeaderCtrl.h"
#include "ModelRoles.h"
#include "PrintTitles.h"
#include "TravelDataStore.h"
#include "TravelListModel.h"

#include <QVBoxLayout>

CTravelListView::CTravelListView(TravelDataStore& store, QWidget* parent)
    : CModeListView(ViewKind::TravelList, store, new TravelListModel(store.displayFormats()),
                    {Bitmaps::TravelListWatermark, Bitmaps::TravelHeader,
                     TravelListModel::ColumnCount, &ColumnWidths::TravelList},
                    parent),
      m_model(static_cast<TravelListModel*>(rows()))
{
    m_list->header()->showFirstOrder(TravelListModel::Name);
    connect(m_list, &CModeListCtrl::markChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            emit travelChosen(current.data(ModelRole::Key).toString());
        emit stateChanged();
    });
    connect(m_list, &CModeListCtrl::opened, this, [this](const QModelIndex& index) {
        emit selectPathRequested(index.data(ModelRole::Key).toString(), TreeChild::None,
                                 RecordKey());
    });
    connect(m_list, &CModeListCtrl::menuRequested, this,
            [this](const QModelIndex& index, const QPoint& global) {
                emit contextMenuRequested(index.isValid() ? PopupMenu::ModDel : PopupMenu::New,
                                          global);
            });
}

void CTravelListView::load(const TreeSelection& selection)
{
    m_model->fill(m_store, selection.month);
    m_list->header()->showFirstOrder(TravelListModel::Name);
    markRow(0);
    emit stateChanged();
}

ViewFacts CTravelListView::facts() const
{
    ViewFacts facts = CModeListView::facts();
    facts.travelShown = facts.recordMarked;
    return facts;
}

bool CTravelListView::handles(int command) const
{
    return DisplayModeOf(command).has_value() || command == Cmd::ListNewTravel;
}

bool CTravelListView::run(int command)
{
    if (runDisplayMode(command))
        return true;
    if (command == Cmd::ListNewTravel) {
        emit commandRequested(Cmd::NewTravel);
        return true;
    }
    return false;
}

RecordKey CTravelListView::shownTravel() const
{
    const int row = markedRow();
    return row >= 0 ? m_model->travel(row).key : RecordKey();
}

QString CTravelListView::printTitle() const
{
    return PrintTitles::TravelList();
}

void CTravelListView::prepareForPrint()
{
    setDisplayMode(DisplayMode::Report);
    layout()->activate(); // the report takes its width before its columns are measured
}
