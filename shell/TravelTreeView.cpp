#include "TravelTreeView.h"

#include "TravelDataStore.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int ChildRole = Qt::UserRole + 1;
constexpr int PlaceholderRole = Qt::UserRole + 2;

constexpr int RootImage = 113;
constexpr int CheckListImage = 115;
constexpr int ExpensesImage = 117;
constexpr int StagesImage = 119;
constexpr int StageImage = 121;

const QColor rootColour(41, 97, 156);

TreeChild childOf(const QTreeWidgetItem* item)
{
    return TreeChild(item->data(0, ChildRole).toInt());
}

void setChild(QTreeWidgetItem* item, TreeChild child)
{
    item->setData(0, ChildRole, int(child));
}

} // namespace

CTravelTreeView::CTravelTreeView(TravelDataStore& store, QWidget* parent)
    : QTreeWidget(parent), m_store(store), m_month(QDate::currentDate())
{
    setObjectName(QStringLiteral("travelTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setDragEnabled(false);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    connect(this, &QTreeWidget::itemExpanded, this, &CTravelTreeView::onExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CTravelTreeView::onCollapsed);
    // The item the signal names may be gone by now: making an item current scrolls to it,
    // which opens its parents, and opening a node replaces its placeholder child. The
    // tree's current item is asked afresh.
    connect(this, &QTreeWidget::currentItemChanged, this, [this] {
        QTreeWidgetItem* current = currentItem();
        if (current && !m_building)
            emit nodeSelected(viewKindFor(current));
    });
}

int CTravelTreeView::depth(const QTreeWidgetItem* item)
{
    int levels = 0;
    for (const QTreeWidgetItem* parent = item ? item->parent() : nullptr; parent;
         parent = parent->parent())
        ++levels;
    return levels;
}

ViewKind CTravelTreeView::viewKindFor(const QTreeWidgetItem* item)
{
    switch (depth(item)) {
    case 0:
        return ViewKind::TravelList;
    case 1:
        return ViewKind::TravelDetail;
    case 2:
        switch (childOf(item)) {
        case TreeChild::CheckList:
            return ViewKind::CheckList;
        case TreeChild::Expenses:
            return ViewKind::ExpenseList;
        default:
            return ViewKind::StageList;
        }
    default:
        return ViewKind::StageDetail;
    }
}

QTreeWidgetItem* CTravelTreeView::makeNode(QTreeWidgetItem* parent, const QString& text, int image,
                                           int selectedImage)
{
    auto* item = parent ? new QTreeWidgetItem(parent, {text}) : new QTreeWidgetItem(this, {text});
    QFont bold = font();
    bold.setBold(true);
    item->setFont(0, bold);
    QIcon icon;
    if (image >= 0 && image < m_images.size())
        icon.addPixmap(m_images[image], QIcon::Normal);
    if (selectedImage >= 0 && selectedImage < m_images.size())
        icon.addPixmap(m_images[selectedImage], QIcon::Selected);
    item->setIcon(0, icon);
    item->setToolTip(0, text); // long captions show whole
    return item;
}

void CTravelTreeView::addPlaceholder(QTreeWidgetItem* parent, int image)
{
    auto* placeholder = new QTreeWidgetItem(parent, {QString()});
    placeholder->setData(0, PlaceholderRole, true);
    if (image >= 0 && image < m_images.size())
        placeholder->setIcon(0, QIcon(m_images[image]));
}

void CTravelTreeView::removeChildren(QTreeWidgetItem* item)
{
    qDeleteAll(item->takeChildren());
}

void CTravelTreeView::refresh()
{
    releaseEveryNode();
    QTreeWidgetItem* root = makeNode(nullptr, QStringLiteral("Travels"), RootImage, RootImage + 1);
    root->setForeground(0, rootColour);
    addPlaceholder(root, -1);
    expandItem(root); // lists the travels and selects the root
    setCurrentItem(root);
}

void CTravelTreeView::releaseEveryNode()
{
    const QSignalBlocker blocker(this);
    clear();
}

void CTravelTreeView::listTravels(QTreeWidgetItem* root)
{
    const QSignalBlocker blocker(this);
    removeChildren(root);
    const QList<RecordKey> keys = m_store.TravelsStartingIn(DateTimeValue::fromDate(m_month));
    for (const RecordKey& key : keys) {
        const TravelRecord travel = m_store.GetTravel(key);
        QTreeWidgetItem* node =
            makeNode(root, travelCaption(key, travel.title), travel.icon, travel.icon);
        node->setData(0, KeyRole, key);
        addPlaceholder(node, 0);
    }
}

void CTravelTreeView::showTravelsMonth()
{
    if (!root()) {
        refresh();
        return;
    }
    listTravels(root());
    m_building = true;
    expandItem(root());
    m_building = false;
    select(root());
}

void CTravelTreeView::buildTravelChildren(QTreeWidgetItem* travel)
{
    const QSignalBlocker blocker(this);
    removeChildren(travel);
    const RecordKey key = travel->data(0, KeyRole).toString();
    QTreeWidgetItem* checkList =
        makeNode(travel, m_store.CheckListCaption(key), CheckListImage, CheckListImage + 1);
    setChild(checkList, TreeChild::CheckList);
    QTreeWidgetItem* expenses =
        makeNode(travel, m_store.ExpensesCaption(key), ExpensesImage, ExpensesImage + 1);
    setChild(expenses, TreeChild::Expenses);
    QTreeWidgetItem* stages =
        makeNode(travel, QStringLiteral("Stages"), StagesImage, StagesImage + 1);
    setChild(stages, TreeChild::Stages);
    if (m_store.CountStages(key) > 0)
        addPlaceholder(stages, StageImage);
}

void CTravelTreeView::buildStages(QTreeWidgetItem* stages)
{
    const QSignalBlocker blocker(this);
    removeChildren(stages);
    const RecordKey travelKey = stages->parent()->data(0, KeyRole).toString();
    for (const RecordKey& key : m_store.StagesOf(travelKey)) {
        QTreeWidgetItem* node =
            makeNode(stages, m_store.GetStage(key).title, StageImage, StageImage + 1);
        node->setData(0, KeyRole, key);
    }
}

void CTravelTreeView::onExpanded(QTreeWidgetItem* item)
{
    if (m_building)
        return;
    const int level = depth(item);
    if (level == 0)
        listTravels(item);
    else if (level == 1)
        buildTravelChildren(item);
    else if (level == 2 && childOf(item) == TreeChild::Stages)
        buildStages(item);
    else
        return;
    setCurrentItem(item);
}

void CTravelTreeView::onCollapsed(QTreeWidgetItem* item)
{
    if (depth(item) != 2 || childOf(item) != TreeChild::Stages)
        return;
    const QSignalBlocker blocker(this);
    removeChildren(item);
    addPlaceholder(item, StageImage);
}

QTreeWidgetItem* CTravelTreeView::travelNode(const RecordKey& travelKey) const
{
    QTreeWidgetItem* top = root();
    for (int i = 0; top && i < top->childCount(); ++i) {
        if (top->child(i)->data(0, KeyRole).toString() == travelKey)
            return top->child(i);
    }
    return nullptr;
}

QTreeWidgetItem* CTravelTreeView::stagesNodeOf(const RecordKey& travelKey)
{
    QTreeWidgetItem* travel = travelNode(travelKey);
    if (!travel)
        return nullptr;
    setCurrentItem(travel);
    expandItem(travel);
    if (!travel->isExpanded() || travel->childCount() < 3)
        buildTravelChildren(travel);
    return travel->child(2);
}

QTreeWidgetItem* CTravelTreeView::stageNode(QTreeWidgetItem* stages,
                                            const RecordKey& stageKey) const
{
    for (int i = 0; stages && i < stages->childCount(); ++i) {
        if (stages->child(i)->data(0, KeyRole).toString() == stageKey)
            return stages->child(i);
    }
    return nullptr;
}

void CTravelTreeView::select(QTreeWidgetItem* item)
{
    if (!item)
        return;
    if (currentItem() == item)
        emit nodeSelected(viewKindFor(item));
    else
        setCurrentItem(item);
}

void CTravelTreeView::removeTravelNode(const RecordKey& travelKey)
{
    if (!root()) {
        refresh();
        return;
    }
    if (QTreeWidgetItem* travel = travelNode(travelKey)) {
        const QSignalBlocker blocker(this);
        delete travel;
    }
    // The month is listed again from the store, so the tree shows what is on disk even
    // when the travel could be deleted only in part.
    showTravelsMonth();
}

void CTravelTreeView::addStage(const RecordKey& stageKey)
{
    const StageRecord stage = m_store.GetStage(stageKey);
    QTreeWidgetItem* stages = stagesNodeOf(stage.travelKey);
    if (!stages)
        return;
    buildStages(stages);
    m_building = true;
    expandItem(stages);
    m_building = false;
    select(stages);
}

void CTravelTreeView::updateStage(const RecordKey& stageKey)
{
    addStage(stageKey);
    const StageRecord stage = m_store.GetStage(stageKey);
    QTreeWidgetItem* travel = travelNode(stage.travelKey);
    if (QTreeWidgetItem* node = travel ? stageNode(travel->child(2), stageKey) : nullptr)
        select(node);
}

void CTravelTreeView::removeStageNode(const RecordKey& travelKey, const RecordKey& stageKey)
{
    QTreeWidgetItem* stages = stagesNodeOf(travelKey);
    if (!stages)
        return;
    if (QTreeWidgetItem* node = stageNode(stages, stageKey)) {
        const QSignalBlocker blocker(this);
        delete node;
    }
    buildStages(stages);
    if (stages->childCount() > 0) {
        m_building = true;
        expandItem(stages);
        m_building = false;
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
    if (!root())
        return;
    expandItem(root());
    QTreeWidgetItem* travel = travelNode(travelKey);
    if (!travel)
        return;
    setCurrentItem(travel);
    if (!stageKey.isEmpty())
        child = TreeChild::Stages;
    if (child == TreeChild::None)
        return;
    expandItem(travel);
    QTreeWidgetItem* childNode = travel->child(int(child) - 1);
    if (!childNode)
        return;
    if (stageKey.isEmpty()) {
        setCurrentItem(childNode);
        return;
    }
    expandItem(childNode);
    if (QTreeWidgetItem* node = stageNode(childNode, stageKey))
        setCurrentItem(node);
}

void CTravelTreeView::setSelectedCaption(const QString& caption)
{
    if (QTreeWidgetItem* item = currentItem()) {
        const QString text =
            depth(item) == 1 ? travelCaption(item->data(0, KeyRole).toString(), caption) : caption;
        item->setText(0, text);
        item->setToolTip(0, text);
    }
}

QString CTravelTreeView::travelCaption(const RecordKey& travelKey, const QString& title) const
{
    return m_conflicted.contains(travelKey) ? tr("%1 (conflict)").arg(title) : title;
}

TreeSelection CTravelTreeView::selection() const
{
    TreeSelection selection;
    selection.month = m_month;
    const QTreeWidgetItem* item = currentItem();
    selection.depth = depth(item);
    if (!item)
        return selection;
    const QTreeWidgetItem* travel = item;
    while (travel && depth(travel) > 1)
        travel = travel->parent();
    if (travel && depth(travel) == 1)
        selection.travelKey = travel->data(0, KeyRole).toString();
    if (selection.depth == 2)
        selection.child = childOf(item);
    if (selection.depth == 3) {
        selection.child = TreeChild::Stages;
        selection.stageKey = item->data(0, KeyRole).toString();
    }
    return selection;
}

bool CTravelTreeView::onLabel(const QTreeWidgetItem* item, const QPoint& position) const
{
    const QRect cell = visualItemRect(item);
    const int labelWidth =
        iconSize().width() + 6 + QFontMetrics(item->font(0)).horizontalAdvance(item->text(0));
    return position.x() >= cell.left() && position.x() < cell.left() + labelWidth &&
           cell.contains(QPoint(cell.left(), position.y()));
}

void CTravelTreeView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QTreeWidget::mousePressEvent(event);
        // The press marks the node it hit after making it current; when the frame kept
        // its view and put the current node back, the mark goes back with it.
        if (QTreeWidgetItem* current = currentItem(); current && !current->isSelected())
            setCurrentItem(current);
        return;
    }
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (!item || item->data(0, PlaceholderRole).toBool() ||
        !onLabel(item, event->position().toPoint()))
        return;
    setCurrentItem(item);
    const int level = depth(item);
    if (level == 2 && childOf(item) != TreeChild::Stages)
        return; // the check list and the expenses have no menu
    emit contextMenuRequested(PopupMenu(level), event->globalPosition().toPoint());
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
    QTreeWidget::drawBranches(painter, rect, index);
}
