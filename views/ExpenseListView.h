#pragma once

#include "EditedListView.h"

class ExpenseModel;
class QKeyEvent;

// The expenses of a travel, edited in place: product, quantity, unit, price per unit
// and total, a check box that marks an expense purchased, and below them the Grand
// Total of the purchased ones. A click on a cell opens its editor (the total is worked
// out, not typed); the header sorts by each column both ways. The tree's caption follows
// every change.
class CExpenseListView : public CEditedListView {
    Q_OBJECT

public:
    explicit CExpenseListView(TravelDataStore& store, QWidget* parent = nullptr);
    ~CExpenseListView() override;

    void load(const TreeSelection& selection) override;
    std::optional<PreferenceList> importList() const override;
    // Adds one expense per product; they reach the store at the next save.
    Outcome importItems(const QStringList& texts) override;
    std::optional<ExportFormat> listExport() const override;
    QString printTitle() const override;
    void markFound(const FindMatch& match) override;

    // Adds "New Expense" above the separator and opens its product editor.
    void newRow() override;
    // Opens the product editor on the marked expense.
    void modifyRow() override;
    // Asks, then deletes the marked expense; the last one empties the list and the file.
    void deleteRow() override;
    // Sorts by a sort code (0 to 9), after committing an open editor.
    void sort(int sortCode);
    // Opens the editor of a cell of an expense row; false for the total and for the
    // separator and Grand Total rows.
    bool editCell(int row, int column);

    ExpenseModel* model() const { return m_model; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    Outcome writeRows() override;
    QString fileNameOf(const RecordKey& travelKey) const override;

private:
    CExpenseListView(ExpenseModel* model, TravelDataStore& store, QWidget* parent);
    bool onListKey(QKeyEvent* key);
    void onContextMenu(const QPoint& position, const QPoint& globalPosition);
    void showCurrencyColumns();
    void showSetAside();

    ExpenseModel* m_model;
};
