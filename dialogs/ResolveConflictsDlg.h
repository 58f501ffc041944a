#pragma once

#include "ConflictResolution.h"

#include <QDialog>
#include <QList>

#include <functional>

class Prompter;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

// Tools, Resolve Conflicts: every record file that a sync engine left a conflict copy of,
// with the two versions side by side (the fields of a travel or stage that differ, the
// entries of a list that differ). The user keeps the record, keeps the copy or, for check
// lists and expenses, merges them; the versions not kept go to the folder "Conflicts".
class CResolveConflictsDlg : public QDialog {
    Q_OBJECT

public:
    // travelTitle names the travel of a key, for the rows.
    CResolveConflictsDlg(QList<ConflictCopy> copies, QString workingDirectory,
                         std::function<QString(const QString&)> travelTitle, Prompter& prompter,
                         QWidget* parent = nullptr);

    QListWidget* records() const { return m_records; }
    QTreeWidget* differences() const { return m_differences; }
    // Settles the selected row's copy; false when it failed (the user was told why).
    bool resolveSelected(KeepVersion keep);
    // How many copies were settled since the dialog opened.
    int resolvedCount() const { return m_resolved; }

private:
    void fillRecords();
    void showSelected();
    const ConflictCopy* selectedCopy() const;

    QList<ConflictCopy> m_copies;
    QString m_workingDirectory;
    std::function<QString(const QString&)> m_travelTitle;
    Prompter& m_prompter;
    QListWidget* m_records;
    QTreeWidget* m_differences;
    QLabel* m_files;
    QPushButton* m_keepRecord;
    QPushButton* m_keepCopy;
    QPushButton* m_merge;
    int m_resolved = 0;
};
