#pragma once

#include "ModeListCtrl.h"
#include "UpperView.h"

class CIconListCtrl;
class CListCtrl;
class CListHeaderCtrl;
class StageListModel;

// The stages of a travel: a report of title, date and place, or small icons, large
// icons or a list over the same rows and selection. A click on a header column sorts;
// a double click opens the stage in the tree. New, Modify and Delete go to the frame's
// stage commands.
class CStageListView : public CUpperView {
    Q_OBJECT

public:
    explicit CStageListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    ViewFacts facts() const override;
    bool handles(int command) const override;
    bool run(int command) override;
    RecordKey shownStage() const override;
    const QAbstractItemModel* printModel() const override;
    QList<int> printColumnWidths() const override;
    QString printTitle() const override;
    void prepareForPrint() override;

    DisplayMode displayMode() const { return m_list->displayMode(); }
    // Shows the rows in a mode and sorts them by title.
    void setDisplayMode(DisplayMode mode);
    void sort(int sortCode);
    int markedRow() const { return m_list->markedRow(); }
    void markRow(int row) { m_list->markRow(row); }

    StageListModel* model() const { return m_model; }
    CListCtrl* report() const { return m_list->report(); }
    CIconListCtrl* icons() const { return m_list->icons(); }
    CListHeaderCtrl* header() const { return m_list->header(); }

private:
    StageListModel* m_model;
    CModeListCtrl* m_list;
};
