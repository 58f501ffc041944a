#pragma once

#include "UpperView.h"

class CListCtrl;
class CListHeaderCtrl;
class ExpenseDelegate;
class ExpenseModel;

// The expenses of a travel, edited in place: product, quantity, unit, price per unit
// and total, a check box that marks an expense purchased, and below them the Grand
// Total of the purchased ones. A click on a cell opens its editor (the total is worked
// out, not typed); the header sorts by each column both ways. The rows are the working
// copy of the expenses until the view saves them, and the tree's caption follows every
// change.
class CExpenseListView : public CUpperView {
    Q_OBJECT

public:
    explicit CExpenseListView(TravelDataStore& store, QWidget* parent = nullptr);
    ~CExpenseListView() override;

    void load(const TreeSelection& selection) override;
    UpperViewState state() const override;
    bool handles(int command) const override;
    bool run(int command) override;
    std::optional<PreferenceList> importList() const override;
    // Adds one expense per product; they reach the store at the next save.
    Outcome importItems(const QStringList& texts) override;
    std::optional<ExportFormat> listExport() const override;
    Outcome save() override;
    Outcome saveAndRelease() override;
    const QAbstractItemModel* printModel() const override;
    QList<int> printColumnWidths() const override;
    QString printTitle() const override;
    void markFound(const FindMatch& match) override;

    // Adds "New Expense" above the separator and opens its product editor.
    void newExpense();
    // Opens the product editor on the marked expense.
    void modifyExpense();
    // Asks, then deletes the marked expense; the last one empties the list and the file.
    void deleteExpense();
    // Sorts by a sort code (0 to 9), after committing an open editor.
    void sort(int sortCode);
    // Opens the editor of a cell of an expense row; false for the total and for the
    // separator and Grand Total rows.
    bool editCell(int row, int column);

    ExpenseModel* model() const { return m_model; }
    CListCtrl* list() const { return m_list; }
    CListHeaderCtrl* header() const { return m_header; }
    // The editor open on a cell, or null.
    QWidget* openEditor() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool onListKey(QKeyEvent* key);
    void onContextMenu(const QPoint& position, const QPoint& globalPosition);
    bool isExpenseRow(int row) const;
    Outcome write();

    RecordKey m_travelKey;
    ExpenseModel* m_model;
    CListCtrl* m_list;
    CListHeaderCtrl* m_header;
    ExpenseDelegate* m_delegate;
    // Where the mouse was last pressed in the rows, to tell the check box from the text.
    QPoint m_lastPress;
};
