#include "ListCtrl.h"

#include "Watermark.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>

CListCtrl::CListCtrl(QWidget* parent) : QTreeView(parent)
{
    viewport()->setAutoFillBackground(true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
}

void CListCtrl::setModel(QAbstractItemModel* model)
{
    QTreeView::setModel(model);
    // A reset gives the header its default section sizes again.
    if (model) {
        connect(model, &QAbstractItemModel::modelReset, this, &CListCtrl::applyColumnWidths);
        connect(model, &QAbstractItemModel::columnsInserted, this, &CListCtrl::applyColumnWidths);
    }
    applyColumnWidths();
}

void CListCtrl::setWatermark(const QPixmap& picture)
{
    m_watermark = picture;
    viewport()->update();
}

void CListCtrl::setColumnWidthRule(WidthRule rule)
{
    m_widthRule = std::move(rule);
    m_appliedWidth = -1;
    applyColumnWidths();
}

QList<int> CListCtrl::columnWidths() const
{
    return m_widthRule ? m_widthRule(viewport()->width()) : QList<int>();
}

int CListCtrl::markedRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CListCtrl::markRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount()) {
        setCurrentIndex({});
        return;
    }
    setCurrentIndex(model()->index(row, 0));
}

void CListCtrl::applyColumnWidths()
{
    if (!m_widthRule || !model())
        return;
    const int width = viewport()->width();
    const QList<int> widths = m_widthRule(width);
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths[column]);
    m_appliedWidth = width;
    viewport()->update();
    emit columnWidthsApplied();
}

void CListCtrl::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(viewport());
        PaintWatermark(painter, viewport()->rect(), m_watermark);
    }
    QTreeView::paintEvent(event);
}

void CListCtrl::scrollContentsBy(int dx, int dy)
{
    QTreeView::scrollContentsBy(dx, dy);
    // The rows move, the watermark stays: a scroll copies what the viewport showed,
    // the picture with it, so the whole viewport is drawn again.
    if (!m_watermark.isNull())
        viewport()->update();
}

bool CListCtrl::viewportEvent(QEvent* event)
{
    const bool handled = QTreeView::viewportEvent(event);
    // The viewport narrows when a scroll bar appears, not only when the view resizes.
    if ((event->type() == QEvent::Resize || event->type() == QEvent::Show) &&
        viewport()->width() != m_appliedWidth)
        applyColumnWidths();
    return handled;
}
