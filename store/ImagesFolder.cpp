#include "ImagesFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString DefaultImagesFolder()
{
    const QString name = QStringLiteral("Travel Images");
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QFileInfo besideProgram(QDir(programFolder).filePath(name));
    if (besideProgram.isDir() ? besideProgram.isWritable() : QFileInfo(programFolder).isWritable())
        return besideProgram.filePath();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(name);
}
