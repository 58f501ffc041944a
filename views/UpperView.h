#pragma once

#include "CommandEnabling.h"
#include "RecordKey.h"

#include <QWidget>

class TravelDataStore;

#include <QPixmap>
#include <QTreeWidget>

// The list of every upper view: a report list that paints its watermark behind the rows.
class CListCtrl : public QTreeWidget {
    Q_OBJECT

public:
    explicit CListCtrl(QWidget* parent = nullptr);
    void setWatermark(const QPixmap& picture);
    const QPixmap& watermark() const { return m_watermark; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_watermark;
};

// What the tree has selected, as the upper view needs it to fill itself.
struct TreeSelection {
    int depth = 0;       // 0 root, 1 travel, 2 check list / expenses / stages, 3 stage
    int childNumber = 0; // at depth 2: 1 check list, 2 expenses, 3 stages
    RecordKey travelKey;
    RecordKey stageKey;
    QDate month; // the month the tree lists
};

// The upper right-hand pane: one of six kinds of list. Each view keeps its rows and
// its marked row (the row Modify and Delete act on).
class CUpperView : public QWidget {
    Q_OBJECT

public:
    CUpperView(int kind, TravelDataStore& store, QWidget* parent = nullptr);

    int kind() const { return m_kind; }
    virtual UpperViewState state() const;
    CListCtrl* list() const { return m_list; }

    // Fills the view from the store for what the tree selected.
    virtual void load(const TreeSelection& selection) = 0;
    // Ends an in-place edit and writes the rows that the view edits to the store.
    virtual void endPendingEdits() {}

signals:
    // The marked row or the rows changed: the commands' enabling may change.
    void stateChanged();
    // The tree should select a travel, one of its children (1 to 3) or a stage.
    void selectPathRequested(const RecordKey& travelKey, int childNumber,
                             const RecordKey& stageKey);
    // The images pane should show this travel.
    void travelChosen(const RecordKey& travelKey);
    // The main frame should run a command, as if it came from a menu.
    void commandRequested(int command);
    // A context menu of the main frame (by number) at a screen position.
    void contextMenuRequested(int menuNumber, const QPoint& globalPosition);

protected:
    TravelDataStore& m_store;
    CListCtrl* m_list;

private:
    int m_kind;
};

// Creates the view of a kind (1 to 6).
CUpperView* CreateUpperView(int kind, TravelDataStore& store, QWidget* parent);
