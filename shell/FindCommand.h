#pragma once

#include "FindDlg.h"
#include "FindIndex.h"

#include <QObject>
#include <QPointer>
#include <QSet>

class CMainFrame;
class CVoyantaApp;
class FindResultsModel;

// Tools, Find: the find box beside the main window, over an index of every record that is
// built at the first search and kept current as the store writes records.
class CFindCommand : public QObject {
    Q_OBJECT

public:
    CFindCommand(CMainFrame& frame, CVoyantaApp& app);
    ~CFindCommand() override;

    // Opens the find box, or brings it forward. What the upper view edits is saved first,
    // as before every search: the box finds what the window shows.
    void open();
    CFindDlg* dialog() const { return m_dialog; }
    // The matches of a text, from an index brought up to date first.
    QList<FindMatch> search(const QString& text, int limit);
    // Forgets the index: the data folder was read again or replaced.
    void invalidate();
    // A travel's records changed in the store.
    void travelChanged(const RecordKey& travelKey);
    const FindIndex& index() const { return m_index; }

private:
    void ensureIndex();
    void onTyped(const QString& text);
    void onSearch(const QString& text);
    void onChosen(int row);
    // The box closed: the keyboard goes to the view that shows the chosen match, or back
    // where it was when the box opened.
    void onClosed();

    CMainFrame& m_frame;
    CVoyantaApp& m_app;
    FindIndex m_index;
    bool m_built = false;
    QSet<RecordKey> m_changed;
    FindResultsModel* m_results;
    QPointer<CFindDlg> m_dialog;
    QPointer<QWidget> m_focusAfter;
};
