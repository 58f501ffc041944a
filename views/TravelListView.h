#pragma once

#include "UpperView.h"

class CIconListCtrl;
class CListCtrl;
class CListHeaderCtrl;
class TravelListModel;
class QAbstractItemView;

// The travels of the month picker's month: a report of five columns, or small icons,
// large icons or a list over the same rows and selection. A click on a header column
// sorts; a row change shows the travel's pictures below; a double click opens the
// travel in the tree.
class CTravelListView : public CUpperView {
    Q_OBJECT

public:
    explicit CTravelListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    UpperViewState state() const override;
    bool handles(int command) const override;
    bool run(int command) override;
    RecordKey shownTravel() const override;
    const QAbstractItemModel* printModel() const override;
    QList<int> printColumnWidths() const override;
    QString printTitle() const override;
    void prepareForPrint() override;

    DisplayMode displayMode() const { return m_displayMode; }
    void setDisplayMode(DisplayMode mode);
    void sort(int sortCode);
    int markedRow() const;
    void markRow(int row);

    TravelListModel* model() const { return m_model; }
    CListCtrl* report() const { return m_report; }
    CIconListCtrl* icons() const { return m_icons; }
    CListHeaderCtrl* header() const { return m_header; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onContextMenu(QAbstractItemView* list, const QPoint& position);

    TravelListModel* m_model;
    CListCtrl* m_report;
    CIconListCtrl* m_icons;
    CListHeaderCtrl* m_header;
    DisplayMode m_displayMode = DisplayMode::Report;
};
