#include "FolderListing.h"

#include <QDirIterator>

QStringList ListRecordFiles(const QString& folder, const QString& pattern)
{
    QStringList names;
    QDirIterator it(folder, {pattern}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    return names;
}
