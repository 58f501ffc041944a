#pragma once

#include "ModeListView.h"

class TravelListModel;

// The travels of the month picker's month: a report of five columns, or small icons,
// large icons or a list over the same rows and selection. A row change shows the
// travel's pictures below; a double click (or Enter) opens the travel in the tree.
class CTravelListView : public CModeListView {
    Q_OBJECT

public:
    explicit CTravelListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    ViewFacts facts() const override;
    bool handles(int command) const override;
    bool run(int command) override;
    RecordKey shownTravel() const override;
    QString printTitle() const override;
    void prepareForPrint() override;

    TravelListModel* model() const { return m_model; }

private:
    TravelListModel* m_model;
};
