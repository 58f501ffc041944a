#pragma once

#include "PlainListView.h"

// One stage: its title, date, place and notes, then its appointments.
class CStageDetailListView : public CPlainListView {
    Q_OBJECT

public:
    explicit CStageDetailListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    UpperViewState state() const override;
    RecordKey shownStage() const override;

private:
    RecordKey m_stageKey;
    int m_detailRows = 0;
};
