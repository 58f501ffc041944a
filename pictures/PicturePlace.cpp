#include "PicturePlace.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

QString PictureFileHere(const QString& linkPath, const QString& workingDirectory)
{
    if (workingDirectory.isEmpty() || QFileInfo::exists(linkPath))
        return linkPath;
    // Links made on Windows and by the handheld edition have backslashes.
    const QStringList parts =
        QString(linkPath).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    // Only the ends after the last part that climbs or names a drive stay inside.
    qsizetype first = parts.size();
    while (first > 0 && parts[first - 1] != u"." && parts[first - 1] != u".." &&
           !parts[first - 1].contains(u':'))
        --first;
    const QDir home(workingDirectory);
    for (; first < parts.size(); ++first) {
        const QString candidate = home.filePath(parts.mid(first).join(u'/'));
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return linkPath;
}
