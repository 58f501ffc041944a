#pragma once

#include "RecordKey.h"
#include "TreeNodeKind.h"

#include <QAbstractItemModel>
#include <QDate>
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QSet>

#include <memory>
#include <vector>

class TravelDataStore;

// The tree of travels over the store: one month node, its travels, and under each travel
// its check list, its expenses and its stages. A node's children are read from the store
// only when they are fetched (the view fetches them when the node opens), so a month of
// many travels lists at once.
class TravelTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Role : int {
        KindRole = Qt::UserRole + 20,
        KeyRole, // the travel or stage key of a travel or stage node
    };

    explicit TravelTreeModel(TravelDataStore& store, QObject* parent = nullptr);
    ~TravelTreeModel() override;

    // Images 0 to 112 are the travel icons, 113 to 122 the tree's own.
    void setImages(const QList<QPixmap>& images);
    TravelDataStore& store() const { return m_store; }
    void setMonth(QDate month) { m_month = month; }
    QDate month() const { return m_month; }
    // The travels that a sync engine left conflict copies of: their nodes say so. Takes
    // effect when the travels are listed again.
    void setTravelsWithConflicts(QSet<RecordKey> travelKeys)
    {
        m_conflicted = std::move(travelKeys);
    }
    // A travel node's text: the title, marked when the travel has conflict copies.
    QString travelCaption(const RecordKey& travelKey, const QString& title) const;

    // No node at all.
    void clear();
    // The month node alone, its travels not yet listed.
    void reset();
    // Reads a node's children from the store again.
    void relist(const QModelIndex& node);
    // Drops a node's children; they are read again when next fetched.
    void forgetChildren(const QModelIndex& node);
    // Marks a node's children out of date: they stay listed and are read again when next
    // fetched.
    void expireChildren(const QModelIndex& node);
    // Sets a node's text; a travel's gets its conflict mark.
    void setCaption(const QModelIndex& node, const QString& caption);

    QModelIndex monthNode() const;
    QModelIndex travelNode(const RecordKey& travelKey) const;
    // The child of a node of the given kind, or with the given key when it is a travel or a
    // stage; invalid when the node's children are not listed.
    QModelIndex childNode(const QModelIndex& node, TreeNodeKind kind,
                          const RecordKey& key = {}) const;
    static TreeNodeKind kindOf(const QModelIndex& node);
    static RecordKey keyOf(const QModelIndex& node);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    struct Node;
    using Nodes = std::vector<std::unique_ptr<Node>>;

    Node* nodeOf(const QModelIndex& index) const;
    QModelIndex indexOf(const Node* node) const;
    Nodes childrenFromStore(const Node& parent) const;
    std::unique_ptr<Node> makeNode(TreeNodeKind kind, const QString& caption,
                                   const RecordKey& key = {}, int image = -1) const;
    void replaceChildren(const QModelIndex& index, Nodes children, bool fetched);
    QIcon icon(int image, int selectedImage) const;

    TravelDataStore& m_store;
    QDate m_month;
    QSet<RecordKey> m_conflicted;
    QList<QPixmap> m_images;
    mutable QHash<int, QIcon> m_icons; // by image and selected image
    Nodes m_top;
};
