#pragma once

#include "ModeListView.h"

class StageListModel;

// The stages of a travel: a report of title, date and place, or small icons, large
// icons or a list over the same rows and selection. A double click opens the stage in
// the tree. New, Modify and Delete go to the frame's stage commands.
class CStageListView : public CModeListView {
    Q_OBJECT

public:
    explicit CStageListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    ViewFacts facts() const override;
    bool handles(int command) const override;
    bool run(int command) override;
    RecordKey shownStage() const override;
    QString printTitle() const override;
    void prepareForPrint() override;
    // Shows the rows in a mode and sorts them by title.
    void setDisplayMode(DisplayMode mode) override;

    StageListModel* model() const { return m_model; }

private:
    StageListModel* m_model;
};
