#pragma once

#include "PlainListView.h"

// The check list of a travel: one row per entry with its tick.
class CChekListView : public CPlainListView {
    Q_OBJECT

public:
    explicit CChekListView(TravelDataStore& store, QWidget* parent = nullptr);

    void load(const TreeSelection& selection) override;
    bool handles(int command) const override;
    bool run(int command) override;
    std::optional<PreferenceList> importList() const override;
    Outcome importItems(const QStringList& texts) override;
    std::optional<ExportFormat> listExport() const override;

private:
    void fill();

    RecordKey m_travelKey;
};
