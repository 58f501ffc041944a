#pragma once

#include "ConflictResolution.h"

#include <QDialog>
#include <QList>

#include <functional>

class Prompter;
class QLabel;
class QListWidget;
class QComboBox;
class QPushButton;
class QTreeWidget;

// Tools, Resolve Conflicts: every record file that a sync engine left conflict copies of,
// one row each, with the record and the copy chosen side by side (the fields of a travel
// or stage that differ, the entries of a list that differ). The user keeps the record,
// keeps the copy chosen or, for check lists and expenses, merges all of them; the
// versions not kept go to the folder "Conflicts".
class CResolveConflictsDlg : public QDialog {
    Q_OBJECT

public:
    // travelTitle names the travel of a key, for the rows.
    CResolveConflictsDlg(QList<ConflictCopy> copies, QString workingDirectory,
                         std::function<QString(const QString&)> travelTitle, Prompter& prompter,
                         QWidget* parent = nullptr);

    QListWidget* records() const { return m_records; }
    QTreeWidget* differences() const { return m_differences; }
    // The copies of the selected record, newest first: the one shown is kept by Keep Copy.
    QComboBox* copyChoice() const { return m_copyChoice; }
    // Settles every copy of the selected record; false when one failed (the user was told
    // why, and the copies not settled stay).
    bool resolveSelected(KeepVersion keep);
    // How many copies were settled since the dialog opened.
    int resolvedCount() const { return m_resolved; }

private:
    void fillRecords();
    void fillCopies();
    void showSelected();
    QList<ConflictCopy>* selectedRecord();
    const ConflictCopy* selectedCopy() const;

    QList<QList<ConflictCopy>> m_groups; // the copies of each record, newest first
    QString m_workingDirectory;
    std::function<QString(const QString&)> m_travelTitle;
    Prompter& m_prompter;
    QListWidget* m_records;
    QComboBox* m_copyChoice;
    QTreeWidget* m_differences;
    QLabel* m_files;
    QPushButton* m_keepRecord;
    QPushButton* m_keepCopy;
    QPushButton* m_merge;
    int m_resolved = 0;
};
