#pragma once

#include "RecordKey.h"
#include "TreeSelection.h"
#include "ViewKinds.h"

#include <QDate>
#include <QPixmap>
#include <QSet>
#include <QTreeWidget>

class TravelDataStore;

// The tree of travels: the root stands for the travels of one month; under each travel
// its check list, its expenses and its stages. Children are built from the store only
// when their parent is expanded, so a month of many travels lists at once.
class CTravelTreeView : public QTreeWidget {
    Q_OBJECT

public:
    explicit CTravelTreeView(TravelDataStore& store, QWidget* parent = nullptr);

    // Images 0 to 112 are the travel icons, 113 to 122 the tree's own.
    void setImages(const QList<QPixmap>& images) { m_images = images; }
    void setMonth(QDate month) { m_month = month; }
    // The travels that a sync engine left conflict copies of: their nodes say so. Takes
    // effect when the travels are listed again.
    void setTravelsWithConflicts(QSet<RecordKey> travelKeys)
    {
        m_conflicted = std::move(travelKeys);
    }
    // A travel node's text: the title, marked when the travel has conflict copies.
    QString travelCaption(const RecordKey& travelKey, const QString& title) const;
    QDate month() const { return m_month; }

    // Lists the month's travels under the root, expands the root and selects it.
    void refresh();
    // Empties the tree.
    void releaseEveryNode();
    void showTravelsMonth();
    // Lists the month's travels again after one was deleted from the store; selects the
    // root.
    void removeTravelNode(const RecordKey& travelKey);
    // Lists a travel's stages again after one was added; selects and expands "Stages".
    void addStage(const RecordKey& stageKey);
    // As addStage, then selects the stage.
    void updateStage(const RecordKey& stageKey);
    // Lists a travel's stages again after one was deleted from the store; selects
    // "Stages".
    void removeStageNode(const RecordKey& travelKey, const RecordKey& stageKey);
    void updateAfterTravelChange();
    // Selects the travel, one of its children or one of its stages.
    void selectPath(const RecordKey& travelKey, TreeChild child, const RecordKey& stageKey);
    void setSelectedCaption(const QString& caption);
    // Selects a node; the upper view is loaded again even when the node was selected.
    void select(QTreeWidgetItem* item);

    static int depth(const QTreeWidgetItem* item);
    QTreeWidgetItem* root() const { return topLevelItem(0); }
    QTreeWidgetItem* travelNode(const RecordKey& travelKey) const;
    TreeSelection selection() const;
    // The kind of upper view a node calls for.
    static ViewKind viewKindFor(const QTreeWidgetItem* item);

signals:
    // A node was selected; the upper view must show what it calls for.
    void nodeSelected(ViewKind viewKind);
    // A right click on a node's label asks for a context menu (Travels to Stage).
    void contextMenuRequested(PopupMenu menu, const QPoint& globalPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;

private:
    QTreeWidgetItem* makeNode(QTreeWidgetItem* parent, const QString& text, int image,
                              int selectedImage);
    void addPlaceholder(QTreeWidgetItem* parent, int image);
    void removeChildren(QTreeWidgetItem* item);
    void listTravels(QTreeWidgetItem* root);
    void buildTravelChildren(QTreeWidgetItem* travel);
    void buildStages(QTreeWidgetItem* stages);
    QTreeWidgetItem* stagesNodeOf(const RecordKey& travelKey);
    QTreeWidgetItem* stageNode(QTreeWidgetItem* stages, const RecordKey& stageKey) const;
    bool onLabel(const QTreeWidgetItem* item, const QPoint& position) const;
    void onExpanded(QTreeWidgetItem* item);
    void onCollapsed(QTreeWidgetItem* item);

    TravelDataStore& m_store;
    QList<QPixmap> m_images;
    QDate m_month;
    QSet<RecordKey> m_conflicted;
    bool m_building = false;
};
