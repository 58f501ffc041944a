#include "UpperView.h"

#include "TravelDetailListView.h"
#include "TravelListView.h"
#include "UpperViews.h"
#include "Watermark.h"

#include <QPainter>

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

CListCtrl::CListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    viewport()->setAutoFillBackground(true);
}

void CListCtrl::setWatermark(const QPixmap& picture)
{
    m_watermark = picture;
    viewport()->update();
}

void CListCtrl::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(viewport());
        PaintWatermark(painter, viewport()->rect(), m_watermark);
    }
    QTreeWidget::paintEvent(event);
}

CUpperView::CUpperView(int kind, TravelDataStore& store, QWidget* parent)
    : QWidget(parent), m_store(store), m_list(new CListCtrl(this)), m_kind(kind)
{
    setObjectName(QStringLiteral("upperView%1").arg(kind));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setStretchLastSection(true);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &CUpperView::stateChanged);
}

UpperViewState CUpperView::state() const
{
    UpperViewState state;
    state.kind = m_kind;
    state.rowCount = m_list->topLevelItemCount();
    if (QTreeWidgetItem* current = m_list->currentItem())
        state.markedRow = m_list->indexOfTopLevelItem(current);
    return state;
}

CUpperView* CreateUpperView(int kind, TravelDataStore& store, QWidget* parent)
{
    switch (kind) {
    case 2:
        return new CTravelDetailListView(store, parent);
    case 3:
        return new CChekListView(store, parent);
    case 4:
        return new CExpenseListView(store, parent);
    case 5:
        return new CStageListView(store, parent);
    case 6:
        return new CStageDetailListView(store, parent);
    default:
        return new CTravelListView(store, parent);
    }
}
