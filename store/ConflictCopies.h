#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// The versions that folder-sync engines leave beside a file when two computers changed
// it at once: "Travel1.sync-conflict-20261207-004359-ABCDEFG.tra",
// "Travel1 (conflicted copy 2026-12-07 004359).tra", "Travel1 (Anna's conflicted copy
// 2026-12-07).tra", "Travel1 (conflict_on_2026-12-07).tra", "Travel1.tra..path1". Such a
// copy is never a record of its own: it is a version of the record file it names.
struct ConflictName {
    QString recordName; // the file it is a version of, "Travel1.tra"
    QString engine;     // "Syncthing", "Nextcloud", "Dropbox", "Unison", "rclone"
    QDateTime when;     // when the engine made it, from the name; invalid when it has none
};

// What a file name is a conflict copy of, or nothing when it is not one.
std::optional<ConflictName> ParseConflictName(const QString& fileName);
inline bool IsConflictCopyName(const QString& fileName)
{
    return ParseConflictName(fileName).has_value();
}

// Whether a name ends in one of the record extensions (.tra .stg .apt .chk .exp .img .prf .cur).
bool IsRecordFileName(const QString& fileName);

// One conflict copy of a record file in a folder.
struct ConflictCopy {
    QString folder;     // the folder both are in
    QString recordName; // the record file's name (it may be gone)
    QString copyName;   // the copy's name
    QString engine;
    QDateTime when; // from the name, else the copy's modification time

    QString recordPath() const;
    QString copyPath() const;
};

// Conflict copies of record files among the given names of one folder, by record name,
// the newest copy first in each list.
QMap<QString, QList<ConflictCopy>> GroupConflictCopies(const QString& folder,
                                                       const QStringList& names);
// The same for every regular file of the folder.
QMap<QString, QList<ConflictCopy>> FindConflictCopies(const QString& folder);

// Every conflict copy: those of the data folder, as grouped already, and those of the
// images folder, looked for now.
QList<ConflictCopy> AllConflictCopies(const QMap<QString, QList<ConflictCopy>>& dataFolderCopies,
                                      const QString& imagesFolder);
// The travel a record file belongs to (the key in its name), or empty for a preference
// list.
QString TravelKeyOfRecordName(const QString& recordName);
// The travels that the copies belong to.
QSet<QString> TravelsWithConflicts(const QList<ConflictCopy>& copies);
