#pragma once

#include <QDialog>

class FindResultsModel;
class QLabel;
class QLineEdit;
class QTreeView;

// "Find": a box that looks for a word in every record as it is typed, and the matches
// under it. Choosing a match (double click, Enter) asks for it to be shown; the box stays
// open beside the main window.
class CFindDlg : public QDialog {
    Q_OBJECT

public:
    CFindDlg(FindResultsModel& results, QWidget* parent = nullptr);

    QLineEdit* input() const { return m_input; }
    QTreeView* matches() const { return m_matches; }
    // Tells how many matches there are, and whether the list stops short of them all.
    void setCount(int shown, bool more);

signals:
    void searchRequested(const QString& text);
    void matchChosen(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseCurrent();

    FindResultsModel& m_results;
    QLineEdit* m_input;
    QTreeView* m_matches;
    QLabel* m_count;
};
