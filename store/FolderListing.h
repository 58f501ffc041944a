#pragma once

#include <QString>
#include <QStringList>

// Names of the regular files of a folder that match a wildcard pattern, in no
// particular order. Folders, links and special files are left out, so that nothing
// outside the folder is read through it and nothing blocks a read.
QStringList ListRecordFiles(const QString& folder, const QString& pattern);
