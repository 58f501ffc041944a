#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Names of the regular files of a folder whose extension is one of the given ones
// (compared without regard to case), grouped by the extension as given, in no
// particular order. Folders, links and special files are left out, so that nothing
// outside the folder is read through a record's name and nothing blocks a read. One
// pass over the folder, whatever the number of extensions. The versions that sync
// engines leave beside a file (see ConflictCopies.h) are never listed as records: they
// go to conflictCopies, whatever their extension, when it is given.
QMap<QString, QStringList> ListRecordFiles(const QString& folder, const QStringList& extensions,
                                           QStringList* conflictCopies = nullptr);

// The same for one extension ("tra", not "*.tra").
QStringList ListRecordFiles(const QString& folder, const QString& extension);
