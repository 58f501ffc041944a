#pragma once

#include "UpperView.h"

#include <functional>

class CListCtrl;
class CListEditDelegate;
class CListHeaderCtrl;
class EditedListModel;

// A list of one travel's records that the user edits in place (the check list, the
// expenses). The rows are the working copy until the view saves them: before the frame
// lets the view go, and when the view is destroyed without that. New, Modify and Delete
// reach the list through its own menu's commands and the shared list commands.
class CEditedListView : public CUpperView {
    Q_OBJECT

public:
    // The commands of one list: its menu's New, Modify and Delete, and its import dialog.
    struct Commands {
        int newRow;
        int modifyRow;
        int deleteRow;
        int importRows;
    };

    ViewFacts facts() const override;
    bool handles(int command) const override;
    bool run(int command) override;
    Outcome save() override;
    // Saves, then lets the rows go; a failed save keeps them, as they are the only copy.
    Outcome saveAndRelease() override;
    void discardChanges() override;
    Outcome keepAsNewTravel() override;
    const QAbstractItemModel* printModel() const override;
    QList<int> printColumnWidths() const override;

    // Adds a new row and opens its editor where it sorted to.
    virtual void newRow() = 0;
    // Opens the editor on the marked row.
    virtual void modifyRow() = 0;
    // Asks, then deletes the marked row.
    virtual void deleteRow() = 0;

    CListCtrl* list() const { return m_list; }
    CListHeaderCtrl* header() const { return m_header; }
    // The editor open on a row, or null.
    QWidget* openEditor() const;

protected:
    // Takes the model and the delegate as its own.
    CEditedListView(ViewKind kind, const Commands& commands, EditedListModel* rows,
                    CListEditDelegate* delegate, TravelDataStore& store, QWidget* parent);

    // Shows the rows of a travel that `fill` put in the model.
    void loadTravel(const RecordKey& travelKey, const std::function<void()>& fill);
    // Writes the rows when they changed since they were filled or saved.
    Outcome write();
    // Writes the rows to the store.
    virtual Outcome writeRows() = 0;
    // The name of the file the rows of a travel are kept in.
    virtual QString fileNameOf(const RecordKey& travelKey) const = 0;
    // Marks a row and scrolls it into sight.
    void showRow(int row);

    RecordKey m_travelKey;
    CListCtrl* m_list;
    CListHeaderCtrl* m_header;
    CListEditDelegate* m_delegate;
    // Where the mouse was last pressed in the rows, to tell the check box from the text.
    QPoint m_lastPress;

private:
    // Rows that could not be read whole stay read-only unless the user keeps them: the
    // damaged file is then set aside and the rows saved in its place.
    void offerDamagedRows();

    Commands m_commands;
    EditedListModel* m_rows;
    std::function<void()> m_fill;
};
