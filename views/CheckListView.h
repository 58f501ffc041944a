#pragma once

#include "UpperView.h"

class CheckListModel;
class CListCtrl;
class CListEditDelegate;
class CListHeaderCtrl;

// The check list of a travel, edited in place: one row per entry with a check box that
// marks it done, open entries bold and done ones italic. Entries are added (New, or
// imported from the master list), renamed in place, ticked and deleted; the rows are
// the working copy of the list until the view saves them, and the tree's caption follows
// every tick, addition and deletion.
class CChekListView : public CUpperView {
    Q_OBJECT

public:
    explicit CChekListView(TravelDataStore& store, QWidget* parent = nullptr);
    ~CChekListView() override;

    void load(const TreeSelection& selection) override;
    UpperViewState state() const override;
    bool handles(int command) const override;
    bool run(int command) override;
    std::optional<PreferenceList> importList() const override;
    // Adds the entries to the rows; they reach the store at the next save.
    Outcome importItems(const QStringList& texts) override;
    std::optional<ExportFormat> listExport() const override;
    Outcome save() override;
    Outcome saveAndRelease() override;
    const QAbstractItemModel* printModel() const override;
    QList<int> printColumnWidths() const override;
    QString printTitle() const override;
    void markFound(const FindMatch& match) override;

    // Adds "New Item" and opens its editor where it sorted to.
    void newItem();
    // Opens the editor on the marked row.
    void modifyItem();
    // Asks, then deletes the marked row.
    void deleteItem();

    CheckListModel* model() const { return m_model; }
    CListCtrl* list() const { return m_list; }
    CListHeaderCtrl* header() const { return m_header; }
    // The editor open on a row, or null.
    QWidget* openEditor() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void edit(int row);
    Outcome write();

    RecordKey m_travelKey;
    CheckListModel* m_model;
    CListCtrl* m_list;
    CListHeaderCtrl* m_header;
    CListEditDelegate* m_delegate;
    // Where the mouse was last pressed in the rows, to tell the check box from the text.
    QPoint m_lastPress;
};
