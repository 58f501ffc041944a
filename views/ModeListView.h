#pragma once

#include "ModeListCtrl.h"
#include "UpperView.h"

class CIconListCtrl;
class CListCtrl;
class CListHeaderCtrl;
class RowOrderModel;

// The travel list and the stage list: records shown as a report of columns, or as small
// icons, large icons or a list over the same rows and selection. A click on a header
// column sorts; the view commands switch the mode.
class CModeListView : public CUpperView {
    Q_OBJECT

public:
    ViewFacts facts() const override;
    const QAbstractItemModel* printModel() const override;
    QList<int> printColumnWidths() const override;

    DisplayMode displayMode() const { return m_list->displayMode(); }
    virtual void setDisplayMode(DisplayMode mode);
    void sort(int sortCode);
    int markedRow() const { return m_list->markedRow(); }
    void markRow(int row) { m_list->markRow(row); }

    CListCtrl* report() const { return m_list->report(); }
    CIconListCtrl* icons() const { return m_list->icons(); }
    CListHeaderCtrl* header() const { return m_list->header(); }

protected:
    // The view takes the model (made without a parent) as its child.
    CModeListView(ViewKind kind, TravelDataStore& store, RowOrderModel* model,
                  const CModeListCtrl::Look& look, QWidget* parent);

    // Runs a display-mode command; false for every other command.
    bool runDisplayMode(int command);

    RowOrderModel* rows() const { return m_rows; }

    CModeListCtrl* m_list;

private:
    RowOrderModel* m_rows;
};
