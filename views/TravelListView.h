#pragma once

#include "ModeListCtrl.h"
#include "UpperView.h"

class CIconListCtrl;
class CListCtrl;
class CListHeaderCtrl;
class TravelListModel;

// The travels of the month picker's month: a report of five columns, or small icons,
// large icons or a list over the same rows and selection. A click on a header column
// sorts; a row change shows the travel's pictures below; a double click (or Enter) opens
// the travel in the tree.
class CTravelListView : public CUpperView {
    Q_OBJECT

public:
    explicit CTravelListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    ViewFacts facts() const override;
    bool handles(int command) const override;
    bool run(int command) override;
    RecordKey shownTravel() const override;
    const QAbstractItemModel* printModel() const override;
    QList<int> printColumnWidths() const override;
    QString printTitle() const override;
    void prepareForPrint() override;

    DisplayMode displayMode() const { return m_list->displayMode(); }
    void setDisplayMode(DisplayMode mode);
    void sort(int sortCode);
    int markedRow() const { return m_list->markedRow(); }
    void markRow(int row) { m_list->markRow(row); }

    TravelListModel* model() const { return m_model; }
    CListCtrl* report() const { return m_list->report(); }
    CIconListCtrl* icons() const { return m_list->icons(); }
    CListHeaderCtrl* header() const { return m_list->header(); }

private:
    TravelListModel* m_model;
    CModeListCtrl* m_list;
};
