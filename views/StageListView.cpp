#include "StageListView.h"

#include "Bitmaps.h"
#include "ColumnWidths.h"
#include "CommandIds.h"
#include "DisplayModes.h"
#include "ListHeaderCtrl.h"
#include "ModelRoles.h"
#include "PrintTitles.h"
#include "StageListModel.h"
#include "TravelDataStore.h"

#include <QVBoxLayout>

CStageListView::CStageListView(TravelDataStore& store, QWidget* parent)
    : CModeListView(ViewKind::StageList, store, new StageListModel(store.displayFormats()),
                    {Bitmaps::StageListWatermark, Bitmaps::StageHeader, StageListModel::ColumnCount,
                     &ColumnWidths::StageList},
                    parent),
      m_model(static_cast<StageListModel*>(rows()))
{
    m_list->header()->showFirstOrder(StageListModel::Date);
    connect(m_list, &CModeListCtrl::markChanged, this, &CUpperView::stateChanged);
    connect(m_list, &CModeListCtrl::opened, this, [this](const QModelIndex& index) {
        emit selectPathRequested(m_model->travelKey(), TreeChild::Stages,
                                 index.data(ModelRole::Key).toString());
    });
    connect(m_list, &CModeListCtrl::menuRequested, this,
            [this](const QModelIndex& index, const QPoint& global) {
                emit contextMenuRequested(index.isValid() ? PopupMenu::Sta : PopupMenu::New,
                                          global);
            });
}

void CStageListView::load(const TreeSelection& selection)
{
    // Listing the same travel again keeps the marked stage marked.
    const RecordKey marked =
        selection.travelKey == m_model->travelKey() ? shownStage() : RecordKey();
    m_model->fill(m_store, selection.travelKey);
    m_list->header()->showFirstOrder(StageListModel::Date);
    markRow(m_model->rowOf(marked));
    emit travelChosen(selection.travelKey);
    emit stateChanged();
}

void CStageListView::setDisplayMode(DisplayMode mode)
{
    // A new mode shows the stages by title, and the header says so.
    m_list->setDisplayMode(mode);
    m_list->header()->showFirstOrder(StageListModel::Title);
    sort(StageListModel::Title);
    emit stateChanged();
}

ViewFacts CStageListView::facts() const
{
    ViewFacts facts = CModeListView::facts();
    facts.stageShown = facts.recordMarked;
    return facts;
}

bool CStageListView::handles(int command) const
{
    switch (command) {
    case Cmd::ListNewTravel:
    case Cmd::ListNewStage:
        return !m_model->travelKey().isEmpty();
    case Cmd::ListModifyStage:
    case Cmd::ListDeleteStage:
        return markedRow() >= 0;
    default:
        return DisplayModeOf(command).has_value();
    }
}

bool CStageListView::run(int command)
{
    if (!handles(command))
        return false;
    if (runDisplayMode(command))
        return true;
    switch (command) {
    case Cmd::ListNewTravel:
    case Cmd::ListNewStage:
        emit commandRequested(Cmd::NewStage);
        return true;
    case Cmd::ListModifyStage:
        emit commandRequested(Cmd::StageModify);
        return true;
    case Cmd::ListDeleteStage:
        emit commandRequested(Cmd::StageDelete);
        return true;
    default:
        return false;
    }
}

RecordKey CStageListView::shownStage() const
{
    const int row = markedRow();
    return row >= 0 ? m_model->stage(row).key : RecordKey();
}

QString CStageListView::printTitle() const
{
    return PrintTitles::StagesFor(m_store.GetTravel(m_model->travelKey()).title);
}

void CStageListView::prepareForPrint()
{
    // Printed as a report; a list already shown so keeps the order the user gave it.
    if (displayMode() != DisplayMode::Report)
        setDisplayMode(DisplayMode::Report);
    layout()->activate();
}
