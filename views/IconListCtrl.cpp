#include "IconListCtrl.h"

#include "ModelRoles.h"
#include "Watermark.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

CIconListCtrl::CIconListCtrl(QWidget* parent) : QListView(parent)
{
    viewport()->setAutoFillBackground(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setWrapping(true);
}

void CIconListCtrl::setWatermark(const QPixmap& picture)
{
    m_watermark = picture;
    viewport()->update();
}

void CIconListCtrl::setDisplayMode(DisplayMode mode)
{
    const bool large = mode == DisplayMode::LargeIcons;
    setViewMode(mode == DisplayMode::List ? QListView::ListMode : QListView::IconMode);
    setFlow(mode == DisplayMode::List ? QListView::TopToBottom : QListView::LeftToRight);
    setWrapping(true);
    setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    setGridSize(large ? QSize(110, 70) : QSize());
    setWordWrap(large);
}

void CIconListCtrl::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(viewport());
        PaintWatermark(painter, viewport()->rect(), m_watermark);
    }
    QListView::paintEvent(event);
}

bool CIconListCtrl::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        QString tip;
        if (index.isValid()) {
            const QVariant modeTip = index.data(ModelRole::IconModeToolTip);
            tip = (modeTip.isValid() ? modeTip : index.data(Qt::ToolTipRole)).toString();
        }
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
        return true;
    }
    return QListView::viewportEvent(event);
}
