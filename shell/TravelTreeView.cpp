#include "TravelTreeView.h"

#include "TravelDataStore.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>

#include <algorithm>
#include <array>
#include <optional>

namespace {

// What each kind of node calls for: the upper view that shows it, the child of its travel
// it stands for, and the context menu a right click on its label opens.
struct NodeKindUse {
    TreeNodeKind kind;
    ViewKind view;
    TreeChild child;
    std::optional<PopupMenu> menu;
};

constexpr std::array<NodeKindUse, 6> nodeKindUses{{
    {TreeNodeKind::Month, ViewKind::TravelList, TreeChild::None, PopupMenu::Travels},
    {TreeNodeKind::Travel, ViewKind::TravelDetail, TreeChild::None, PopupMenu::Travel},
    {TreeNodeKind::CheckList, ViewKind::CheckList, TreeChild::CheckList, std::nullopt},
    {TreeNodeKind::Expenses, ViewKind::ExpenseList, TreeChild::Expenses, std::nullopt},
    {TreeNodeKind::Stages, ViewKind::StageList, TreeChild::Stages, PopupMenu::Stages},
    {TreeNodeKind::Stage, ViewKind::StageDetail, TreeChild::Stages, PopupMenu::Stage},
}};

const NodeKindUse& useOf(TreeNodeKind kind)
{
    return *std::find_if(nodeKindUses.begin(), nodeKindUses.end(),
                         [kind](const NodeKindUse& use) { return use.kind == kind; });
}

// The node kind of a travel's child.
TreeNodeKind kindOfChild(TreeChild child)
{
    return child == TreeChild::CheckList  ? TreeNodeKind::CheckList
           : child == TreeChild::Expenses ? TreeNodeKind::Expenses
                                          : TreeNodeKind::Stages;
}

// The nodes whose children are read from the store when they open.
bool listsOnOpening(TreeNodeKind kind)
{
    return kind == TreeNodeKind::Month || kind == TreeNodeKind::Travel ||
           kind == TreeNodeKind::Stages;
}

} // namespace

CTravelTreeView::CTravelTreeView(TravelDataStore& store, QWidget* parent)
    : QTreeView(parent), m_model(new TravelTreeModel(store, this))
{
    setObjectName(QStringLiteral("travelTree"));
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setDragEnabled(false);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setModel(m_model);
    connect(this, &QTreeView::expanded, this, &CTravelTreeView::onExpanded);
    connect(this, &QTreeView::collapsed, this, &CTravelTreeView::onCollapsed);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && !m_building)
                    emit nodeSelected(useOf(TravelTreeModel::kindOf(current)).view);
            });
}

void CTravelTreeView::refresh()
{
    releaseEveryNode();
    {
        const QScopedValueRollback building(m_building, true);
        m_model->reset();
    }
    expand(monthNode()); // lists the travels and selects the root
    setCurrentIndex(monthNode());
}

void CTravelTreeView::releaseEveryNode()
{
    const QScopedValueRollback building(m_building, true);
    m_model->clear();
}

void CTravelTreeView::showTravelsMonth()
{
    const QModelIndex month = monthNode();
    if (!month.isValid()) {
        refresh();
        return;
    }
    {
        const QScopedValueRollback building(m_building, true);
        m_model->relist(month);
        expand(month);
    }
    select(month);
}

void CTravelTreeView::onExpanded(const QModelIndex& node)
{
    const bool quiet = m_building;
    if (m_model->canFetchMore(node)) {
        const QScopedValueRollback building(m_building, true);
        m_model->fetchMore(node);
    }
    if (!quiet && listsOnOpening(TravelTreeModel::kindOf(node)))
        setCurrentIndex(node);
}

void CTravelTreeView::onCollapsed(const QModelIndex& node)
{
    const TreeNodeKind kind = TravelTreeModel::kindOf(node);
    const QScopedValueRollback building(m_building, true);
    if (kind == TreeNodeKind::Stages)
        m_model->forgetChildren(node);
    else if (listsOnOpening(kind))
        m_model->expireChildren(node); // each opening reads them again
}

QModelIndex CTravelTreeView::travelChildNode(const RecordKey& travelKey, TreeNodeKind kind,
                                             const RecordKey& stageKey) const
{
    const QModelIndex travel = travelNode(travelKey);
    if (kind != TreeNodeKind::Stage)
        return m_model->childNode(travel, kind);
    return m_model->childNode(m_model->childNode(travel, TreeNodeKind::Stages), TreeNodeKind::Stage,
                              stageKey);
}

QModelIndex CTravelTreeView::stagesNodeOf(const RecordKey& travelKey)
{
    const QModelIndex travel = travelNode(travelKey);
    if (!travel.isValid())
        return {};
    setCurrentIndex(travel);
    expand(travel);
    if (!isExpanded(travel) || m_model->rowCount(travel) < 3) {
        const QScopedValueRollback building(m_building, true);
        m_model->relist(travel);
    }
    return m_model->childNode(travel, TreeNodeKind::Stages);
}

void CTravelTreeView::relistStages(const QModelIndex& stages)
{
    const QScopedValueRollback building(m_building, true);
    m_model->relist(stages);
}

void CTravelTreeView::select(const QModelIndex& node)
{
    if (!node.isValid())
        return;
    if (currentIndex() == node)
        emit nodeSelected(useOf(TravelTreeModel::kindOf(node)).view);
    else
        setCurrentIndex(node);
}

void CTravelTreeView::removeTravelNode()
{
    showTravelsMonth();
}

void CTravelTreeView::addStage(const RecordKey& stageKey)
{
    const StageRecord stage = m_model->store().GetStage(stageKey);
    const QModelIndex stages = stagesNodeOf(stage.travelKey);
    if (!stages.isValid())
        return;
    relistStages(stages);
    {
        const QScopedValueRollback building(m_building, true);
        expand(stages);
    }
    select(stages);
}

void CTravelTreeView::updateStage(const RecordKey& stageKey)
{
    addStage(stageKey);
    const StageRecord stage = m_model->store().GetStage(stageKey);
    select(travelChildNode(stage.travelKey, TreeNodeKind::Stage, stageKey));
}

void CTravelTreeView::removeStageNode(const RecordKey& travelKey)
{
    const QModelIndex stages = stagesNodeOf(travelKey);
    if (!stages.isValid())
        return;
    relistStages(stages);
    if (m_model->rowCount(stages) > 0) {
        const QScopedValueRollback building(m_building, true);
        expand(stages);
    }
    select(stages);
}

void CTravelTreeView::updateAfterTravelChange()
{
    releaseEveryNode();
    refresh();
}

void CTravelTreeView::selectPath(const RecordKey& travelKey, TreeChild child,
                                 const RecordKey& stageKey)
{
    const QModelIndex month = monthNode();
    if (!month.isValid())
        return;
    expand(month);
    const QModelIndex travel = travelNode(travelKey);
    if (!travel.isValid())
        return;
    setCurrentIndex(travel);
    if (!stageKey.isEmpty())
        child = TreeChild::Stages;
    if (child == TreeChild::None)
        return;
    expand(travel);
    const QModelIndex childNode = m_model->childNode(travel, kindOfChild(child));
    if (!childNode.isValid())
        return;
    if (stageKey.isEmpty()) {
        setCurrentIndex(childNode);
        return;
    }
    expand(childNode);
    const QModelIndex stage = m_model->childNode(childNode, TreeNodeKind::Stage, stageKey);
    if (stage.isValid())
        setCurrentIndex(stage);
}

void CTravelTreeView::setSelectedCaption(const QString& caption)
{
    m_model->setCaption(currentIndex(), caption);
}

TreeSelection CTravelTreeView::selection() const
{
    TreeSelection selection;
    selection.month = month();
    const QModelIndex node = currentIndex();
    if (!node.isValid())
        return selection;
    selection.kind = TravelTreeModel::kindOf(node);
    selection.child = useOf(selection.kind).child;
    for (QModelIndex above = node; above.isValid(); above = above.parent()) {
        if (TravelTreeModel::kindOf(above) == TreeNodeKind::Travel)
            selection.travelKey = TravelTreeModel::keyOf(above);
    }
    if (selection.kind == TreeNodeKind::Stage)
        selection.stageKey = TravelTreeModel::keyOf(node);
    return selection;
}

bool CTravelTreeView::onLabel(const QModelIndex& node, const QPoint& position) const
{
    const QRect cell = visualRect(node);
    const int labelWidth =
        iconSize().width() + 6 + fontMetrics().horizontalAdvance(node.data().toString());
    return position.x() >= cell.left() && position.x() < cell.left() + labelWidth &&
           cell.contains(QPoint(cell.left(), position.y()));
}

void CTravelTreeView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QTreeView::mousePressEvent(event);
        // The press marks the node it hit after making it current; when the frame kept
        // its view and put the current node back, the mark goes back with it.
        const QModelIndex current = currentIndex();
        if (current.isValid() && !selectionModel()->isSelected(current))
            setCurrentIndex(current);
        return;
    }
    const QModelIndex node = indexAt(event->position().toPoint());
    if (!node.isValid() || !onLabel(node, event->position().toPoint()))
        return;
    setCurrentIndex(node);
    if (const std::optional<PopupMenu> menu = useOf(TravelTreeModel::kindOf(node)).menu)
        emit contextMenuRequested(*menu, event->globalPosition().toPoint());
}

void CTravelTreeView::drawBranches(QPainter* painter, const QRect& rect,
                                   const QModelIndex& index) const
{
    // Dotted lines join each node to its parent and its siblings; the expand buttons
    // are drawn over them by the style.
    painter->save();
    QPen pen(QColor(0xa0, 0xa0, 0xa0));
    pen.setStyle(Qt::DotLine);
    painter->setPen(pen);
    const int step = indentation();
    int x = rect.right() + 1 - step;
    const int middleY = rect.center().y();
    const bool hasNext = index.sibling(index.row() + 1, 0).isValid();
    const bool firstTop = !index.parent().isValid() && index.row() == 0;
    painter->drawLine(x + step / 2, middleY, x + step - 2, middleY);
    painter->drawLine(x + step / 2, firstTop ? middleY : rect.top(), x + step / 2,
                      hasNext ? rect.bottom() : middleY);
    for (QModelIndex ancestor = index.parent(); ancestor.isValid(); ancestor = ancestor.parent()) {
        x -= step;
        if (ancestor.sibling(ancestor.row() + 1, 0).isValid())
            painter->drawLine(x + step / 2, rect.top(), x + step / 2, rect.bottom());
    }
    painter->restore();
    QTreeView::drawBranches(painter, rect, index);
}
