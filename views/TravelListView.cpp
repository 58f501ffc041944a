#include "TravelListView.h"

#include "Bitmaps.h"
#include "ListHeaderCtrl.h"
#include "ListLayout.h"
#include "TravelDataStore.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace {

constexpr int KeyRole = Qt::UserRole;

} // namespace

CTravelListView::CTravelListView(TravelDataStore& store, QWidget* parent)
    : CUpperView(1, store, parent), m_header(new CListHeaderCtrl(m_list)),
      m_icons(new QListWidget(this)), m_smallIcons(LoadImageStrip(Bitmaps::TreeImages, 16)),
      m_largeIcons(LoadImageStrip(Bitmaps::TravelIcons32, 32))
{
    m_list->setHeader(m_header);
    m_list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("From"),
                             QStringLiteral("Destination"), QStringLiteral("Start Date"),
                             QStringLiteral("End Date")});
    m_list->headerItem()->setTextAlignment(0, Qt::AlignCenter);
    m_header->setStretchLastSection(false);
    m_header->setImages(LoadImageStrip(Bitmaps::TravelHeader, 16), 5);
    m_header->clickColumn(0);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setIconSize(QSize(16, 16));
    m_list->setMouseTracking(true);
    m_list->setWatermark(LoadBitmap(Bitmaps::TravelListWatermark));
    layout()->addWidget(m_icons);
    m_icons->hide();
    m_icons->setMouseTracking(true);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setMovement(QListView::Static);

    connect(m_header, &CListHeaderCtrl::sortRequested, this, &CTravelListView::sort);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            markRow(m_list->indexOfTopLevelItem(item));
    });
    connect(m_icons, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            markRow(row);
    });
    const auto open = [this](int row) {
        if (row >= 0 && row < m_rows.size())
            emit selectPathRequested(m_rows[row].key, 0, RecordKey());
    };
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this, open](QTreeWidgetItem* item) { open(m_list->indexOfTopLevelItem(item)); });
    connect(m_icons, &QListWidget::itemDoubleClicked, this,
            [this, open](QListWidgetItem* item) { open(m_icons->row(item)); });
    m_list->viewport()->installEventFilter(this);
    m_icons->viewport()->installEventFilter(this);
}

void CTravelListView::load(const TreeSelection& selection)
{
    m_rows.clear();
    for (const RecordKey& key :
         m_store.TravelsStartingInUnsorted(DateTimeValue::fromDate(selection.month)))
        m_rows.append(m_store.GetTravel(key));
    ListLayout::SortTravels(m_rows, 0, m_store.displayFormats().locale());
    m_header->setImages(LoadImageStrip(Bitmaps::TravelHeader, 16), 5);
    m_header->clickColumn(0);
    m_marked = -1;
    rebuildRows();
    markRow(m_rows.isEmpty() ? -1 : 0);
}

void CTravelListView::sort(int sortCode)
{
    const RecordKey marked = m_marked >= 0 ? m_rows[m_marked].key : RecordKey();
    ListLayout::SortTravels(m_rows, sortCode, m_store.displayFormats().locale());
    rebuildRows();
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows[row].key == marked)
            markRow(row);
    }
}

void CTravelListView::rebuildRows()
{
    // Only the widget of the display mode holds rows; a mode change rebuilds them.
    const QSignalBlocker blockList(m_list);
    const QSignalBlocker blockIcons(m_icons);
    m_list->clear();
    m_icons->clear();
    const DisplayFormats& formats = m_store.displayFormats();
    if (m_displayMode != 3) {
        const QList<QPixmap>& icons = m_displayMode == 1 ? m_largeIcons : m_smallIcons;
        for (const TravelRecord& travel : m_rows) {
            auto* icon = new QListWidgetItem(travel.title, m_icons);
            icon->setData(KeyRole, travel.key);
            icon->setToolTip(ListLayout::TravelTooltip(travel, m_displayMode, formats));
            if (travel.icon >= 0 && travel.icon < icons.size())
                icon->setIcon(QIcon(icons[travel.icon]));
        }
        return;
    }
    QList<QTreeWidgetItem*> items;
    items.reserve(m_rows.size());
    for (const TravelRecord& travel : m_rows) {
        auto* item = new QTreeWidgetItem({travel.title, travel.from, travel.destination,
                                          formats.FormatShortDate(travel.start),
                                          formats.FormatShortDate(travel.end)});
        item->setData(0, KeyRole, travel.key);
        item->setToolTip(0, ListLayout::TravelTooltip(travel, 3, formats));
        item->setTextAlignment(0, Qt::AlignCenter);
        if (travel.icon >= 0 && travel.icon < m_smallIcons.size())
            item->setIcon(0, QIcon(m_smallIcons[travel.icon]));
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    applyColumnWidths();
}

void CTravelListView::markRow(int row)
{
    if (row >= m_rows.size())
        row = -1;
    const bool changed = row != m_marked;
    m_marked = row;
    {
        const QSignalBlocker blockList(m_list);
        const QSignalBlocker blockIcons(m_icons);
        m_list->setCurrentItem(row >= 0 ? m_list->topLevelItem(row) : nullptr);
        m_icons->setCurrentRow(row);
    }
    m_list->viewport()->update();
    if (changed && row >= 0)
        emit travelChosen(m_rows[row].key);
    emit stateChanged();
}

void CTravelListView::setDisplayMode(int mode)
{
    m_displayMode = qBound(0, mode, 3);
    m_list->setVisible(m_displayMode == 3);
    m_icons->setVisible(m_displayMode != 3);
    m_icons->setViewMode(m_displayMode == 2 ? QListView::ListMode : QListView::IconMode);
    m_icons->setFlow(m_displayMode == 2 ? QListView::TopToBottom : QListView::LeftToRight);
    m_icons->setWrapping(true);
    m_icons->setIconSize(m_displayMode == 1 ? QSize(32, 32) : QSize(16, 16));
    m_icons->setGridSize(m_displayMode == 1 ? QSize(110, 70) : QSize());
    const int marked = m_marked;
    rebuildRows();
    markRow(marked);
}

UpperViewState CTravelListView::state() const
{
    UpperViewState state = CUpperView::state();
    state.displayMode = m_displayMode;
    state.markedRow = m_marked;
    state.rowCount = int(m_rows.size());
    return state;
}

int CTravelListView::rowAt(const QPoint& viewportPosition) const
{
    if (m_displayMode == 3) {
        QTreeWidgetItem* item = m_list->itemAt(viewportPosition);
        return item ? m_list->indexOfTopLevelItem(item) : -1;
    }
    QListWidgetItem* item = m_icons->itemAt(viewportPosition);
    return item ? m_icons->row(item) : -1;
}

void CTravelListView::onContextMenu(QWidget* viewport, const QPoint& position)
{
    const int row = rowAt(position);
    const QPoint global = viewport->mapToGlobal(position);
    if (row < 0) {
        emit contextMenuRequested(6, global); // "New"
        return;
    }
    markRow(row);
    emit contextMenuRequested(5, global); // "ModDel"
}

bool CTravelListView::eventFilter(QObject* watched, QEvent* event)
{
    // A right button press marks the row under it and opens a menu at once.
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == m_list->viewport() || watched == m_icons->viewport())) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            onContextMenu(static_cast<QWidget*>(watched), mouse->position().toPoint());
            return true;
        }
    }
    return CUpperView::eventFilter(watched, event);
}

void CTravelListView::applyColumnWidths()
{
    const QList<int> widths = ListLayout::TravelListColumnWidths(m_list->viewport()->width());
    for (int column = 0; column < widths.size(); ++column)
        m_list->setColumnWidth(column, widths[column]);
}

void CTravelListView::resizeEvent(QResizeEvent* event)
{
    CUpperView::resizeEvent(event);
    applyColumnWidths();
}
