#include "SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

Outcome SaveFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // A folder that forbids new files would otherwise make QSaveFile write in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return Outcome::failure(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Outcome::failure(path, reason);
    }
    if (!file.commit())
        return Outcome::failure(path, file.errorString());
    return {};
}

Outcome RemoveFileIfPresent(const QString& path)
{
    QFile file(path);
    if (file.remove())
        return {};
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    return Outcome::failure(path, file.errorString());
}

std::optional<QByteArray> ReadWholeFile(const QString& path, QString* reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (reason)
            *reason = file.errorString();
        return std::nullopt;
    }
    return bytes;
}
