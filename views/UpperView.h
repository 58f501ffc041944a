#pragma once

#include "CommandEnabling.h"
#include "ExportFile.h"
#include "FindIndex.h"
#include "Outcome.h"
#include "RecordKey.h"
#include "Records.h"
#include "TreeSelection.h"
#include "ViewKinds.h"

#include <QList>
#include <QWidget>

#include <optional>

class Prompter;
class QAbstractItemModel;
class TravelDataStore;

// The upper right-hand pane: one of six kinds of list. The main frame asks the view what
// it shows and lets it run the commands it owns; it never needs to know which kind of
// view it holds.
class CUpperView : public QWidget {
    Q_OBJECT

public:
    CUpperView(ViewKind kind, TravelDataStore& store, QWidget* parent = nullptr);

    ViewKind kind() const { return m_kind; }
    // What the enabling rules of the commands look at, read from the view's model.
    virtual ViewFacts facts() const;

    // Fills the view from the store for what the tree selected.
    virtual void load(const TreeSelection& selection) = 0;

    // Whether the view runs a command itself in its present state, and running it;
    // run returns false for a command the view does not run.
    virtual bool handles(int command) const;
    virtual bool run(int command);

    // The travel that travel commands act on (the marked row's or the one shown), and
    // likewise the stage; empty when the view offers none.
    virtual RecordKey shownTravel() const { return {}; }
    virtual RecordKey shownStage() const { return {}; }
    // The page the travel sheet opens on when it changes the shown travel.
    virtual int modifyTravelStartPage() const { return 0; }

    // The master list whose entries the view takes in (check list or products), and
    // taking them in, in order.
    virtual std::optional<PreferenceList> importList() const { return std::nullopt; }
    virtual Outcome importItems(const QStringList& texts);
    // The export of the list the view edits (check list or expenses as CSV).
    virtual std::optional<ExportFormat> listExport() const { return std::nullopt; }

    // Marks the row that shows a record found by a search.
    virtual void markFound(const FindMatch&) {}

    // Ends an in-place edit and writes the rows the view edits to the store.
    virtual Outcome save() { return {}; }
    // Saves, then lets go of the rows: the view is about to be replaced.
    virtual Outcome saveAndRelease() { return save(); }
    // Drops what the user changed since the last save: the rows are read again.
    virtual void discardChanges() {}
    // When the travel the view edits was removed outside the program: writes a copy of
    // the travel (and of the stage the view shows) under new keys with the rows the view
    // could not save, and lets go of them.
    virtual Outcome keepAsNewTravel() { return {}; }

    // What printing the view prints: its model with the column widths it shows, under a
    // title (" - Travel List"); a view without a title is not printed. Before printing
    // the view shows the form it prints (the report of a list shown as icons).
    virtual const QAbstractItemModel* printModel() const { return nullptr; }
    virtual QList<int> printColumnWidths() const { return {}; }
    virtual QString printTitle() const { return {}; }
    virtual void prepareForPrint() {}

    // Where the view asks its questions (a delete's Yes or No); a view without one
    // asks nothing and deletes nothing.
    void setPrompter(Prompter* prompter) { m_prompter = prompter; }

signals:
    // The marked row or the rows changed: the commands' enabling may change.
    void stateChanged();
    // The tree should select a travel, one of its children or a stage.
    void selectPathRequested(const RecordKey& travelKey, TreeChild child,
                             const RecordKey& stageKey);
    // The images pane should show this travel.
    void travelChosen(const RecordKey& travelKey);
    // The main frame should run a command, as if it came from a menu.
    void commandRequested(int command);
    // A pop-up menu of the main frame at a screen position.
    void contextMenuRequested(PopupMenu menu, const QPoint& globalPosition);
    // The caption of the selected tree node changed with the view's rows.
    void captionChanged(const QString& caption);
    // Something the user should know about the records shown, for the status bar.
    void notice(const QString& text);

protected:
    TravelDataStore& m_store;
    Prompter* m_prompter = nullptr;

private:
    ViewKind m_kind;
};
