#pragma once

#include "RecordKey.h"
#include "TravelTreeModel.h"
#include "TreeSelection.h"
#include "ViewKinds.h"

#include <QDate>
#include <QPixmap>
#include <QSet>
#include <QTreeView>

class TravelDataStore;

// The tree of travels: the root stands for the travels of one month; under each travel
// its check list, its expenses and its stages. Children are built from the store only
// when their parent is expanded, so a month of many travels lists at once.
class CTravelTreeView : public QTreeView {
    Q_OBJECT

public:
    explicit CTravelTreeView(TravelDataStore& store, QWidget* parent = nullptr);

    // Images 0 to 112 are the travel icons, 113 to 122 the tree's own.
    void setImages(const QList<QPixmap>& images) { m_model->setImages(images); }
    void setMonth(QDate month) { m_model->setMonth(month); }
    // The travels that a sync engine left conflict copies of: their nodes say so. Takes
    // effect when the travels are listed again.
    void setTravelsWithConflicts(QSet<RecordKey> travelKeys)
    {
        m_model->setTravelsWithConflicts(std::move(travelKeys));
    }
    QDate month() const { return m_model->month(); }

    // Lists the month's travels under the root, expands the root and selects it.
    void refresh();
    // Empties the tree.
    void releaseEveryNode();
    void showTravelsMonth();
    // Lists the month's travels again from the store after one was deleted, so the tree
    // shows what is on disk even when the travel could be deleted only in part; selects
    // the root.
    void removeTravelNode();
    // Lists a travel's stages again after one was added; selects and expands "Stages".
    void addStage(const RecordKey& stageKey);
    // As addStage, then selects the stage.
    void updateStage(const RecordKey& stageKey);
    // Lists a travel's stages again after one was deleted from the store; selects
    // "Stages".
    void removeStageNode(const RecordKey& travelKey);
    void updateAfterTravelChange();
    // Selects the travel, one of its children or one of its stages.
    void selectPath(const RecordKey& travelKey, TreeChild child, const RecordKey& stageKey);
    void setSelectedCaption(const QString& caption);
    // Selects a node; the upper view is loaded again even when the node was selected.
    void select(const QModelIndex& node);

    QModelIndex monthNode() const { return m_model->monthNode(); }
    QModelIndex travelNode(const RecordKey& travelKey) const
    {
        return m_model->travelNode(travelKey);
    }
    // A listed child of a travel's node of the given kind, or the listed stage.
    QModelIndex travelChildNode(const RecordKey& travelKey, TreeNodeKind kind,
                                const RecordKey& stageKey = {}) const;
    TreeSelection selection() const;

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
    // Opens a node without selecting it, its children listed.
    void openQuietly(const QModelIndex& node);
    QModelIndex stagesNodeOf(const RecordKey& travelKey);
    void relistStages(const QModelIndex& stages);
    bool onLabel(const QModelIndex& node, const QPoint& position) const;
    void onExpanded(const QModelIndex& node);
    void onCollapsed(const QModelIndex& node);

    TravelTreeModel* m_model;
    // Set while the tree changes its own nodes: the selection moving meanwhile is no
    // user's choice.
    bool m_building = false;
};
