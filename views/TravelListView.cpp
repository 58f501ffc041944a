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
    : CUpperView(ViewKind::TravelList, store, parent),
      m_model(new TravelListModel(store.displayFormats(), this)),
      m_list(new CModeListCtrl(m_model,
                               {Bitmaps::TravelListWatermark, Bitmaps::TravelHeader,
                                TravelListModel::ColumnCount, &ColumnWidths::TravelList},
                               this))
{
    m_list->header()->showFirstOrder(TravelListModel::Name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setFocusProxy(m_list);

    connect(m_list, &CModeListCtrl::sortRequested, this, &CTravelListView::sort);
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

void CTravelListView::sort(int sortCode)
{
    m_model->sortByCode(sortCode);
    m_list->scrollToMarked();
}

void CTravelListView::setDisplayMode(DisplayMode mode)
{
    m_list->setDisplayMode(mode);
    emit stateChanged();
}

ViewFacts CTravelListView::facts() const
{
    ViewFacts facts = CUpperView::facts();
    facts.displayMode = displayMode();
    facts.recordMarked = markedRow() >= 0;
    facts.travelShown = facts.recordMarked;
    return facts;
}

bool CTravelListView::handles(int command) const
{
    return DisplayModeOf(command).has_value() || command == Cmd::ListNewTravel;
}

bool CTravelListView::run(int command)
{
    if (const std::optional<DisplayMode> mode = DisplayModeOf(command)) {
        setDisplayMode(*mode);
        return true;
    }
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

const QAbstractItemModel* CTravelListView::printModel() const
{
    return m_model;
}

QList<int> CTravelListView::printColumnWidths() const
{
    return m_list->report()->columnWidths();
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
