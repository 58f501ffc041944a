#pragma once

#include "EditedListView.h"

class CheckListModel;

// The check list of a travel, edited in place: one row per entry with a check box that
// marks it done, open entries bold and done ones italic. Entries are added (New, or
// imported from the master list), renamed in place, ticked and deleted; the tree's
// caption follows every tick, addition and deletion.
class CChekListView : public CEditedListView {
    Q_OBJECT

public:
    explicit CChekListView(TravelDataStore& store, QWidget* parent = nullptr);
    ~CChekListView() override;

    void load(const TreeSelection& selection) override;
    std::optional<PreferenceList> importList() const override;
    // Adds the entries to the rows; they reach the store at the next save.
    Outcome importItems(const QStringList& texts) override;
    std::optional<ExportFormat> listExport() const override;
    QString printTitle() const override;
    void markFound(const FindMatch& match) override;

    // Adds "New Item" and opens its editor where it sorted to.
    void newRow() override;
    void modifyRow() override;
    void deleteRow() override;

    CheckListModel* model() const { return m_model; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    Outcome writeRows() override;
    QString fileNameOf(const RecordKey& travelKey) const override;

private:
    CChekListView(CheckListModel* model, TravelDataStore& store, QWidget* parent);
    void edit(int row);

    CheckListModel* m_model;
};
