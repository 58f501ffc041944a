#pragma once

#include "UpperView.h"

class CIconListCtrl;
class CListCtrl;
class CListHeaderCtrl;
class StageListModel;
class QAbstractItemView;

// The stages of a travel: a report of title, date and place, or small icons, large
// icons or a list over the same rows and selection. A click on a header column sorts;
// a double click opens the stage in the tree. New, Modify and Delete go to the frame's
// stage commands.
class CStageListView : public CUpperView {
    Q_OBJECT

public:
    explicit CStageListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    UpperViewState state() const override;
    bool handles(int command) const override;
    bool run(int command) override;
    RecordKey shownStage() const override;
    const QAbstractItemModel* printModel() const override;
    QList<int> printColumnWidths() const override;
    QString printTitle() const override;
    void prepareForPrint() override;

    DisplayMode displayMode() const { return m_displayMode; }
    // Shows the rows in a mode and sorts them by title.
    void setDisplayMode(DisplayMode mode);
    void sort(int sortCode);
    int markedRow() const;
    void markRow(int row);

    StageListModel* model() const { return m_model; }
    CListCtrl* report() const { return m_report; }
    CIconListCtrl* icons() const { return m_icons; }
    CListHeaderCtrl* header() const { return m_header; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The menu of a row (which it marks), or of no row, at a screen position.
    void openMenu(const QModelIndex& index, const QPoint& global);
    QAbstractItemView* shownList() const;

    StageListModel* m_model;
    CListCtrl* m_report;
    CIconListCtrl* m_icons;
    CListHeaderCtrl* m_header;
    DisplayMode m_displayMode = DisplayMode::Report;
};
