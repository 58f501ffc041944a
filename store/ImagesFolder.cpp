#include "ImagesFolder.h"

#include "DataFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

bool IsSystemFolder(const QString& folder)
{
    QString path = QFileInfo(folder).canonicalFilePath();
    if (path.isEmpty())
        path = QDir::cleanPath(QDir(folder).absolutePath());
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
    QStringList prefixes;
    for (const char* variable : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "SystemRoot"})
        prefixes.append(QDir::fromNativeSeparators(qEnvironmentVariable(variable)));
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
    QStringList prefixes;
    for (const char* prefix : {"/usr", "/opt", "/bin", "/sbin", "/lib", "/lib32", "/lib64",
                               "/libx32", "/etc", "/snap", "/nix", "/app"})
        prefixes.append(QLatin1String(prefix));
#endif
    for (const QString& prefix : prefixes) {
        if (!prefix.isEmpty() &&
            (path.compare(prefix, cs) == 0 || path.startsWith(prefix + QLatin1Char('/'), cs)))
            return true;
    }
    return false;
}

QString LegacyImagesFolder(const QString& programFolder)
{
    const QString name = DataFolder::imagesFolderName();
    const QFileInfo besideProgram(QDir(programFolder).filePath(name));
    if ((besideProgram.exists() || besideProgram.isSymLink()) && !IsSystemFolder(programFolder) &&
        QFileInfo(programFolder).isWritable())
        return besideProgram.filePath();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(name);
}
