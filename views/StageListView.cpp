#include "StageListView.h"

#include "Bitmaps.h"
#include "ColumnWidths.h"
#include "CommandIds.h"
#include "DisplayModes.h"
#include "IconListCtrl.h"
#include "ListCtrl.h"
#include "ListHeaderCtrl.h"
#include "ModelRoles.h"
#include "PrintTitles.h"
#include "StageListModel.h"
#include "TravelDataStore.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

CStageListView::CStageListView(TravelDataStore& store, QWidget* parent)
    : CUpperView(ViewKind::StageList, store, parent),
      m_model(new StageListModel(store.displayFormats(), this)), m_report(new CListCtrl(this)),
      m_icons(new CIconListCtrl(this)), m_header(new CListHeaderCtrl(m_report))
{
    m_report->setHeader(m_header);
    m_report->setModel(m_model);
    m_report->setIconSize(QSize(16, 16));
    m_report->setMouseTracking(true);
    m_report->setWatermark(LoadBitmap(Bitmaps::StageListWatermark));
    m_report->setColumnWidthRule(&ColumnWidths::StageList);
    m_header->setImages(LoadImageStrip(Bitmaps::StageHeader, 16), StageListModel::ColumnCount);
    m_header->showFirstOrder(StageListModel::Date);

    m_icons->setModel(m_model);
    QItemSelectionModel* own = m_icons->selectionModel();
    m_icons->setSelectionModel(m_report->selectionModel());
    delete own;
    m_icons->setMouseTracking(true);
    m_icons->setWatermark(LoadBitmap(Bitmaps::StageListWatermark));
    m_icons->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_report);
    layout->addWidget(m_icons);
    setFocusProxy(m_report);

    connect(m_header, &CListHeaderCtrl::sortRequested, this, &CStageListView::sort);
    connect(m_report->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CUpperView::stateChanged);
    const auto open = [this](const QModelIndex& index) {
        if (index.isValid())
            emit selectPathRequested(m_model->travelKey(), TreeChild::Stages,
                                     index.data(ModelRole::Key).toString());
    };
    connect(m_report, &QAbstractItemView::doubleClicked, this, open);
    connect(m_icons, &QAbstractItemView::doubleClicked, this, open);
    for (QAbstractItemView* list :
         {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_icons)}) {
        list->viewport()->installEventFilter(this);
        list->installEventFilter(this);
    }
}

void CStageListView::load(const TreeSelection& selection)
{
    // Listing the same travel again keeps the marked stage marked.
    const RecordKey marked =
        selection.travelKey == m_model->travelKey() ? shownStage() : RecordKey();
    m_model->fill(m_store, selection.travelKey);
    m_header->showFirstOrder(StageListModel::Date);
    markRow(m_model->rowOf(marked));
    emit travelChosen(selection.travelKey);
    emit stateChanged();
}

void CStageListView::sort(int sortCode)
{
    m_model->sortByCode(sortCode);
    shownList()->scrollTo(m_report->currentIndex());
}

int CStageListView::markedRow() const
{
    return m_report->markedRow();
}

void CStageListView::markRow(int row)
{
    m_report->markRow(row);
}

QAbstractItemView* CStageListView::shownList() const
{
    if (m_displayMode == DisplayMode::Report)
        return m_report;
    return m_icons;
}

void CStageListView::setDisplayMode(DisplayMode mode)
{
    m_displayMode = mode;
    const bool report = mode == DisplayMode::Report;
    // Asked before hiding the list that has it, which hands the focus on.
    const bool hadFocus = m_report->hasFocus() || m_icons->hasFocus();
    if (!report)
        m_icons->setDisplayMode(mode);
    m_report->setVisible(report);
    m_icons->setVisible(!report);
    setFocusProxy(shownList());
    if (hadFocus)
        setFocus();
    // A new mode shows the stages by title, and the header says so.
    m_header->showFirstOrder(StageListModel::Title);
    sort(StageListModel::Title);
    emit stateChanged();
}

UpperViewState CStageListView::state() const
{
    UpperViewState state = CUpperView::state();
    state.displayMode = m_displayMode;
    state.markedRow = markedRow();
    state.rowCount = m_model->rowCount();
    return state;
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
    if (const std::optional<DisplayMode> mode = DisplayModeOf(command)) {
        setDisplayMode(*mode);
        return true;
    }
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

const QAbstractItemModel* CStageListView::printModel() const
{
    return m_model;
}

QList<int> CStageListView::printColumnWidths() const
{
    return m_report->columnWidths();
}

void CStageListView::openMenu(const QModelIndex& index, const QPoint& global)
{
    if (!index.isValid()) {
        emit contextMenuRequested(PopupMenu::New, global);
        return;
    }
    markRow(index.row());
    emit contextMenuRequested(PopupMenu::Sta, global);
}

bool CStageListView::eventFilter(QObject* watched, QEvent* event)
{
    const bool onViewport = watched == m_report->viewport() || watched == m_icons->viewport();
    // A right button press marks the row under it and opens a menu at once.
    if (event->type() == QEvent::MouseButtonPress && onViewport) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            QAbstractItemView* list = watched == m_report->viewport()
                                          ? static_cast<QAbstractItemView*>(m_report)
                                          : m_icons;
            const QPoint at = mouse->position().toPoint();
            openMenu(list->indexAt(at), list->viewport()->mapToGlobal(at));
            return true;
        }
    }
    const bool onList = watched == m_report || watched == m_icons;
    // The menu key opens the menu of the marked row, or of no row.
    if (event->type() == QEvent::ContextMenu && onList &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        auto* list = static_cast<QAbstractItemView*>(watched);
        const QModelIndex current = list->currentIndex();
        const QPoint at = current.isValid() ? list->visualRect(current).center() : QPoint(5, 5);
        openMenu(current, list->viewport()->mapToGlobal(at));
        return true;
    }
    // Enter opens the marked stage, as a double click does.
    if (event->type() == QEvent::KeyPress && onList) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && markedRow() >= 0) {
            emit selectPathRequested(m_model->travelKey(), TreeChild::Stages, shownStage());
            return true;
        }
    }
    return CUpperView::eventFilter(watched, event);
}

QString CStageListView::printTitle() const
{
    return PrintTitles::StagesFor(m_store.GetTravel(m_model->travelKey()).title);
}

void CStageListView::prepareForPrint()
{
    // Printed as a report; a list already shown so keeps the order the user gave it.
    if (m_displayMode != DisplayMode::Report)
        setDisplayMode(DisplayMode::Report);
    layout()->activate();
}
