#pragma once

#include "RecordKey.h"
#include "UpperView.h"

#include <QDate>
#include <QPixmap>
#include <QTreeWidget>

class TravelDataStore;

// The tree of travels: the root stands for the travels of one month; under each travel
// its check list, its expenses and its stages. Children are built from the store only
// when their parent is expanded, so a month of many travels lists at once.
class CTravelTreeView : public QTreeWidget {
    Q_OBJECT

public:
    enum NodeNumber { CheckListNode = 1, ExpensesNode = 2, StagesNode = 3 };

    explicit CTravelTreeView(TravelDataStore& store, QWidget* parent = nullptr);

    // Images 0 to 112 are the travel icons, 113 to 122 the tree's own.
    void setImages(const QList<QPixmap>& images) { m_images = images; }
    void setMonth(QDate month) { m_month = month; }
    QDate month() const { return m_month; }

    // Lists the month's travels under the root, expands the root and selects it.
    void refresh();
    // Empties the tree.
    void releaseEveryNode();
    void showTravelsMonth();
    // Deletes a travel the tree shows, with everything it owns; selects the root.
    bool removeTravel(const RecordKey& travelKey);
    void addStage(const RecordKey& stageKey);
    void updateStage(const RecordKey& stageKey);
    // Deletes a stage the tree shows, with its appointments; selects "Stages".
    bool removeStage(const RecordKey& stageKey);
    void updateAfterTravelChange();
    // Selects the travel, its child (1 check list, 2 expenses, 3 stages) or its stage.
    void selectPath(const RecordKey& travelKey, int childNumber, const RecordKey& stageKey);
    void setSelectedCaption(const QString& caption);

    static int depth(const QTreeWidgetItem* item);
    QTreeWidgetItem* root() const { return topLevelItem(0); }
    QTreeWidgetItem* travelNode(const RecordKey& travelKey) const;
    TreeSelection selection() const;
    // The kind of upper view a node calls for (1 to 6).
    static int viewKindFor(const QTreeWidgetItem* item);

signals:
    // A node was selected; the upper view must show what it calls for.
    void nodeSelected(int viewKind);
    // A right click on a node's label asks for context menu number (0 to 3).
    void contextMenuRequested(int menuNumber, const QPoint& globalPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;

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
    bool m_building = false;
};
