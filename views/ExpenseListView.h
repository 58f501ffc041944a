#pragma once

#include "PlainListView.h"

// The expenses of a travel: product, quantity, unit, price and total, then the grand
// total of the purchased ones.
class CExpenseListView : public CPlainListView {
    Q_OBJECT

public:
    explicit CExpenseListView(TravelDataStore& store, QWidget* parent = nullptr);

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
