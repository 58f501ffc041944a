#pragma once

#include "ConflictCopies.h"

#include <QList>
#include <QString>

// What tells a record file and a conflict copy of it apart, for a person choosing between
// them: the fields of a travel or stage that differ, the entries of a list that only one
// of the two holds or that they hold differently.
struct VersionDifference {
    QString what;   // the field's or entry's name: "Title", "Entry"
    QString record; // as the record file has it; empty when it lacks the entry
    QString copy;   // as the conflict copy has it
};

enum class RecordKind { Travel, Stage, Appointments, CheckList, Expenses, Preferences, Pictures };

RecordKind KindOfRecordName(const QString& recordName);
// Check lists and expenses can be merged entry by entry.
bool CanMergeKind(RecordKind kind);
// "travel details", "check list", ...
QString RecordKindName(RecordKind kind);

// The differences between a record file and its copy; nothing, with the file and the
// cause in *reason, when one of them cannot be read.
QList<VersionDifference> DifferencesOf(const ConflictCopy& copy, QString* reason);
