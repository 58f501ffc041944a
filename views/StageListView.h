#pragma once

#include "PlainListView.h"

// The stages of a travel: title, date and place.
class CStageListView : public CPlainListView {
    Q_OBJECT

public:
    explicit CStageListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    UpperViewState state() const override;
    bool handles(int command) const override;
    bool run(int command) override;
    RecordKey shownStage() const override;

private:
    DisplayMode m_displayMode = DisplayMode::Report;
};
