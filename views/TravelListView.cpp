#include "TravelListView.h"

#include "Bitmaps.h"
#include "ColumnWidths.h"
#include "CommandIds.h"
#include "DisplayModes.h"
#include "IconListCtrl.h"
#include "ListCtrl.h"
#include "ListHeaderCtrl.h"
#include "ModelRoles.h"
#include "PrintTitles.h"
#include "TravelDataStore.h"
#include "TravelListModel.h"

#include <QMouseEvent>
#include <QVBoxLayout>

CTravelListView::CTravelListView(TravelDataStore& store, QWidget* parent)
    : CUpperView(ViewKind::TravelList, store, parent),
      m_model(new TravelListModel(store.displayFormats(), this)), m_report(new CListCtrl(this)),
      m_icons(new CIconListCtrl(this)), m_header(new CListHeaderCtrl(m_report))
{
    m_report->setHeader(m_header);
    m_report->setModel(m_model);
    m_report->setIconSize(QSize(16, 16));
    m_report->setMouseTracking(true);
    m_report->setWatermark(LoadBitmap(Bitmaps::TravelListWatermark));
    m_report->setColumnWidthRule(&ColumnWidths::TravelList);
    m_header->setImages(LoadImageStrip(Bitmaps::TravelHeader, 16), TravelListModel::ColumnCount);
    m_header->showFirstOrder(TravelListModel::Name);

    m_icons->setModel(m_model);
    QItemSelectionModel* own = m_icons->selectionModel();
    m_icons->setSelectionModel(m_report->selectionModel());
    delete own;
    m_icons->setMouseTracking(true);
    m_icons->setWatermark(LoadBitmap(Bitmaps::TravelListWatermark));
    m_icons->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_report);
    layout->addWidget(m_icons);
    setFocusProxy(m_report);

    connect(m_header, &CListHeaderCtrl::sortRequested, this, &CTravelListView::sort);
    connect(m_report->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    emit travelChosen(current.data(ModelRole::Key).toString());
                emit stateChanged();
            });
    const auto open = [this](const QModelIndex& index) {
        if (index.isValid())
            emit selectPathRequested(index.data(ModelRole::Key).toString(), TreeChild::None,
                                     RecordKey());
    };
    connect(m_report, &QAbstractItemView::doubleClicked, this, open);
    connect(m_icons, &QAbstractItemView::doubleClicked, this, open);
    m_report->viewport()->installEventFilter(this);
    m_icons->viewport()->installEventFilter(this);
}

void CTravelListView::load(const TreeSelection& selection)
{
    m_model->fill(m_store, selection.month);
    m_header->showFirstOrder(TravelListModel::Name);
    markRow(0);
    emit stateChanged();
}

void CTravelListView::sort(int sortCode)
{
    m_model->sortByCode(sortCode);
    m_report->scrollTo(m_report->currentIndex());
}

int CTravelListView::markedRow() const
{
    return m_report->markedRow();
}

void CTravelListView::markRow(int row)
{
    m_report->markRow(row);
}

void CTravelListView::setDisplayMode(DisplayMode mode)
{
    m_displayMode = mode;
    const bool report = mode == DisplayMode::Report;
    // Asked before hiding the list that has it, which hands the focus on.
    const bool hadFocus = m_report->hasFocus() || m_icons->hasFocus();
    if (!report)
        m_icons->setDisplayMode(mode);
    m_report->setVisible(report);
    m_icons->setVisible(!report);
    setFocusProxy(report ? static_cast<QWidget*>(m_report) : m_icons);
    if (hadFocus)
        setFocus();
    emit stateChanged();
}

UpperViewState CTravelListView::state() const
{
    UpperViewState state = CUpperView::state();
    state.displayMode = m_displayMode;
    state.markedRow = markedRow();
    state.rowCount = m_model->rowCount();
    return state;
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
    return m_report->columnWidths();
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

void CTravelListView::onContextMenu(QAbstractItemView* list, const QPoint& position)
{
    const QModelIndex index = list->indexAt(position);
    const QPoint global = list->viewport()->mapToGlobal(position);
    if (!index.isValid()) {
        emit contextMenuRequested(PopupMenu::New, global);
        return;
    }
    markRow(index.row());
    emit contextMenuRequested(PopupMenu::ModDel, global);
}

bool CTravelListView::eventFilter(QObject* watched, QEvent* event)
{
    // A right button press marks the row under it and opens a menu at once.
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == m_report->viewport() || watched == m_icons->viewport())) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            QAbstractItemView* list = watched == m_report->viewport()
                                          ? static_cast<QAbstractItemView*>(m_report)
                                          : m_icons;
            onContextMenu(list, mouse->position().toPoint());
            return true;
        }
    }
    return CUpperView::eventFilter(watched, event);
}
