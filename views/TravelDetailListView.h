#pragma once

#include "UpperView.h"

class CListCtrl;
class TravelDetailModel;

// One travel as a read-only sheet of labelled rows, with three shortcut icons in the
// first row that jump to the travel's check list, expenses and stages in the tree. A
// double click opens the travel for changing.
class CTravelDetailListView : public CUpperView {
    Q_OBJECT

public:
    explicit CTravelDetailListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    ViewFacts facts() const override;
    RecordKey shownTravel() const override;
    int modifyTravelStartPage() const override;
    const QAbstractItemModel* printModel() const override;
    QList<int> printColumnWidths() const override;
    QString printTitle() const override;
    void markFound(const FindMatch& match) override;

    CListCtrl* list() const { return m_list; }
    TravelDetailModel* model() const { return m_model; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TravelDetailModel* m_model;
    CListCtrl* m_list;
};
