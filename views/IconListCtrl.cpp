#include "IconListCtrl.h"

#include "ModelRoles.h"
#include "Watermark.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace {

// The report may centre a column; in the list mode every label starts beside its icon.
class IconListDelegate : public QStyledItemDelegate {
public:
    explicit IconListDelegate(QListView* list) : QStyledItemDelegate(list), m_list(list) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (m_list->viewMode() == QListView::ListMode)
            option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    }

private:
    QListView* m_list;
};

} // namespace

CIconListCtrl::CIconListCtrl(QWidget* parent) : QListView(parent)
{
    setItemDelegate(new IconListDelegate(this));
    viewport()->setAutoFillBackground(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    // Each item is as wide as its own text: uniform sizes cut long titles short.
    setUniformItemSizes(false);
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

void CIconListCtrl::scrollContentsBy(int dx, int dy)
{
    QListView::scrollContentsBy(dx, dy);
    // The rows move, the watermark stays: a scroll copies what the viewport showed,
    // the picture with it, so the whole viewport is drawn again.
    if (!m_watermark.isNull())
        viewport()->update();
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
