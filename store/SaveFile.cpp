#include "SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

Outcome SaveFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // A folder that forbids new files would otherwise make QSaveFile write in place.
    file.setDirectWriteFallback(false);
    // Unbuffered, and written in a loop: a buffered flush that manages only part of the
    // bytes (a full disk, a file-size limit) can go unnoticed and commit a short file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Outcome::failure(path, file.errorString());
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return Outcome::failure(path, reason);
        }
        written += step;
    }
    if (!file.commit())
        return Outcome::failure(path, file.errorString());
    return {};
}

Claim ClaimNewFile(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return {};
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return Claim{true, {}};
    return Claim{false, Outcome::failure(path, file.errorString())};
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
