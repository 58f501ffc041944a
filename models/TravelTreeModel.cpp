#include "TravelTreeModel.h"

#include "TravelDataStore.h"

#include <QColor>

namespace {

constexpr int MonthImage = 113;
constexpr int CheckListImage = 115;
constexpr int ExpensesImage = 117;
constexpr int StagesImage = 119;
constexpr int StageImage = 121;

const QColor monthColour(41, 97, 156);

// The node's image when the node is selected: the next one, but a travel keeps its own.
int selectedImageOf(TreeNodeKind kind, int image)
{
    return kind == TreeNodeKind::Travel ? image : image + 1;
}

} // namespace

struct TravelTreeModel::Node {
    TreeNodeKind kind = TreeNodeKind::Month;
    RecordKey key;
    QString caption;
    int image = -1;
    Node* parent = nullptr;
    int row = 0;
    Nodes children;
    bool fetched = false;
    bool mayHaveChildren = false;
};

TravelTreeModel::TravelTreeModel(TravelDataStore& store, QObject* parent)
    : QAbstractItemModel(parent), m_store(store), m_month(QDate::currentDate())
{
}

TravelTreeModel::~TravelTreeModel() = default;

void TravelTreeModel::setImages(const QList<QPixmap>& images)
{
    m_images = images;
    m_icons.clear();
}

QString TravelTreeModel::travelCaption(const RecordKey& travelKey, const QString& title) const
{
    return m_conflicted.contains(travelKey) ? tr("%1 (conflict)").arg(title) : title;
}

std::unique_ptr<TravelTreeModel::Node> TravelTreeModel::makeNode(TreeNodeKind kind,
                                                                 const QString& caption,
                                                                 const RecordKey& key,
                                                                 int image) const
{
    auto node = std::make_unique<Node>();
    node->kind = kind;
    node->key = key;
    node->caption = caption;
    node->image = image;
    node->mayHaveChildren = kind == TreeNodeKind::Month || kind == TreeNodeKind::Travel;
    return node;
}

TravelTreeModel::Nodes TravelTreeModel::childrenFromStore(const Node& parent) const
{
    Nodes children;
    switch (parent.kind) {
    case TreeNodeKind::Month:
        for (const RecordKey& key : m_store.TravelsStartingIn(DateTimeValue::fromDate(m_month))) {
            const TravelRecord travel = m_store.GetTravel(key);
            children.push_back(
                makeNode(TreeNodeKind::Travel, travelCaption(key, travel.title), key, travel.icon));
        }
        break;
    case TreeNodeKind::Travel: {
        children.push_back(makeNode(TreeNodeKind::CheckList, m_store.CheckListCaption(parent.key),
                                    {}, CheckListImage));
        children.push_back(makeNode(TreeNodeKind::Expenses, m_store.ExpensesCaption(parent.key), {},
                                    ExpensesImage));
        auto stages = makeNode(TreeNodeKind::Stages, QStringLiteral("Stages"), {}, StagesImage);
        stages->mayHaveChildren = m_store.CountStages(parent.key) > 0;
        children.push_back(std::move(stages));
        break;
    }
    case TreeNodeKind::Stages:
        for (const RecordKey& key : m_store.StagesOf(parent.parent->key))
            children.push_back(
                makeNode(TreeNodeKind::Stage, m_store.GetStage(key).title, key, StageImage));
        break;
    default:
        break;
    }
    return children;
}

void TravelTreeModel::clear()
{
    beginResetModel();
    m_top.clear();
    endResetModel();
}

void TravelTreeModel::reset()
{
    beginResetModel();
    m_top.clear();
    m_top.push_back(makeNode(TreeNodeKind::Month, QStringLiteral("Travels"), {}, MonthImage));
    endResetModel();
}

void TravelTreeModel::replaceChildren(const QModelIndex& index, Nodes children, bool fetched)
{
    Node* node = nodeOf(index);
    if (!node)
        return;
    if (!node->children.empty()) {
        beginRemoveRows(index, 0, int(node->children.size()) - 1);
        node->children.clear();
        endRemoveRows();
    }
    node->fetched = fetched;
    if (children.empty())
        return;
    for (size_t row = 0; row < children.size(); ++row) {
        children[row]->parent = node;
        children[row]->row = int(row);
    }
    beginInsertRows(index, 0, int(children.size()) - 1);
    node->children = std::move(children);
    endInsertRows();
}

void TravelTreeModel::relist(const QModelIndex& node)
{
    if (const Node* parent = nodeOf(node))
        replaceChildren(node, childrenFromStore(*parent), true);
}

void TravelTreeModel::forgetChildren(const QModelIndex& node)
{
    replaceChildren(node, {}, false);
    if (Node* parent = nodeOf(node))
        parent->mayHaveChildren = true;
}

void TravelTreeModel::expireChildren(const QModelIndex& index)
{
    if (Node* node = nodeOf(index))
        node->fetched = false;
}

void TravelTreeModel::setCaption(const QModelIndex& index, const QString& caption)
{
    Node* node = nodeOf(index);
    if (!node)
        return;
    node->caption =
        node->kind == TreeNodeKind::Travel ? travelCaption(node->key, caption) : caption;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::ToolTipRole});
}

QModelIndex TravelTreeModel::monthNode() const
{
    return m_top.empty() ? QModelIndex() : indexOf(m_top.front().get());
}

QModelIndex TravelTreeModel::travelNode(const RecordKey& travelKey) const
{
    return childNode(monthNode(), TreeNodeKind::Travel, travelKey);
}

QModelIndex TravelTreeModel::childNode(const QModelIndex& index, TreeNodeKind kind,
                                       const RecordKey& key) const
{
    const Node* node = nodeOf(index);
    if (!node)
        return {};
    for (const auto& child : node->children) {
        if (child->kind == kind && (key.isEmpty() || child->key == key))
            return indexOf(child.get());
    }
    return {};
}

TreeNodeKind TravelTreeModel::kindOf(const QModelIndex& node)
{
    return TreeNodeKind(node.data(KindRole).toInt());
}

RecordKey TravelTreeModel::keyOf(const QModelIndex& node)
{
    return node.data(KeyRole).toString();
}

TravelTreeModel::Node* TravelTreeModel::nodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : nullptr;
}

QModelIndex TravelTreeModel::indexOf(const Node* node) const
{
    return createIndex(node->row, 0, const_cast<Node*>(node));
}

QModelIndex TravelTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const Node* node = nodeOf(parent);
    const Nodes& children = node ? node->children : m_top;
    if (column != 0 || row < 0 || row >= int(children.size()))
        return {};
    return indexOf(children[size_t(row)].get());
}

QModelIndex TravelTreeModel::parent(const QModelIndex& child) const
{
    const Node* node = nodeOf(child);
    return node && node->parent ? indexOf(node->parent) : QModelIndex();
}

int TravelTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    const Node* node = nodeOf(parent);
    return int(node ? node->children.size() : m_top.size());
}

int TravelTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool TravelTreeModel::hasChildren(const QModelIndex& parent) const
{
    const Node* node = nodeOf(parent);
    if (!node)
        return !m_top.empty();
    return node->fetched ? !node->children.empty() : node->mayHaveChildren;
}

bool TravelTreeModel::canFetchMore(const QModelIndex& parent) const
{
    const Node* node = nodeOf(parent);
    return node && !node->fetched && node->mayHaveChildren;
}

void TravelTreeModel::fetchMore(const QModelIndex& parent)
{
    if (canFetchMore(parent))
        relist(parent);
}

QIcon TravelTreeModel::icon(int image, int selectedImage) const
{
    const int cacheKey = image * 1024 + selectedImage;
    if (const auto cached = m_icons.constFind(cacheKey); cached != m_icons.constEnd())
        return *cached;
    QIcon icon;
    if (image >= 0 && image < m_images.size())
        icon.addPixmap(m_images[image], QIcon::Normal);
    if (selectedImage >= 0 && selectedImage < m_images.size())
        icon.addPixmap(m_images[selectedImage], QIcon::Selected);
    m_icons.insert(cacheKey, icon);
    return icon;
}

QVariant TravelTreeModel::data(const QModelIndex& index, int role) const
{
    const Node* node = nodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: // long captions show whole
        return node->caption;
    case Qt::DecorationRole:
        return icon(node->image, selectedImageOf(node->kind, node->image));
    case Qt::ForegroundRole:
        return node->kind == TreeNodeKind::Month ? QVariant(monthColour) : QVariant();
    case KindRole:
        return int(node->kind);
    case KeyRole:
        return node->key;
    default:
        return {};
    }
}
