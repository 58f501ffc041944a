#include "SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>

#ifdef Q_OS_UNIX
#include <qplatformdefs.h>

#include <cerrno>
#endif

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

Outcome SaveDocument(const QString& path, const QByteArray& bytes)
{
    const QFileInfo target(path); // what a link names
    if (!target.exists() || target.isFile())
        return SaveFileAtomically(path, bytes);
    if (target.isDir())
        return Outcome::failure(path, QStringLiteral("a folder, not a file"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Outcome::failure(path, file.errorString());
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            return Outcome::failure(path, file.errorString());
        written += step;
    }
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

Outcome CreateFolder(const QString& path)
{
    std::error_code error;
    std::filesystem::create_directory(std::filesystem::path(path.toStdU16String()), error);
    const QFileInfo info(path);
    if (info.isDir())
        return {};
    if (info.exists())
        return Outcome::failure(path, QStringLiteral("a file of that name is in the way"));
    return Outcome::failure(path, QString::fromLocal8Bit(error.message()));
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

namespace {

QString tooLarge()
{
    return QStringLiteral("larger than %1 MB").arg(MaxReadFileSize / (1024 * 1024));
}

std::optional<QByteArray> failed(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return std::nullopt;
}

// Opens a file for reading only when it is a plain file, judged on what was opened, so
// that nothing can swap a pipe in between. The open itself does not wait for a pipe's
// writer.
bool openPlainFile(QFile& file, const QString& path, QString* reason)
{
#ifdef Q_OS_UNIX
    const int fd = QT_OPEN(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        failed(reason, qt_error_string(errno));
        return false;
    }
    QT_STATBUF status{};
    QString refusal;
    if (QT_FSTAT(fd, &status) != 0)
        refusal = qt_error_string(errno);
    else if (S_ISDIR(status.st_mode))
        refusal = QStringLiteral("a folder, not a file");
    else if (!S_ISREG(status.st_mode))
        refusal = QStringLiteral("not a plain file");
    else if (qint64(status.st_size) > MaxReadFileSize)
        refusal = tooLarge();
    if (!refusal.isEmpty()) {
        QT_CLOSE(fd);
        failed(reason, refusal);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        QT_CLOSE(fd);
        failed(reason, file.errorString());
        return false;
    }
    return true;
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        failed(reason, info.isDir() ? QStringLiteral("a folder, not a file")
                                    : QStringLiteral("not a plain file"));
        return false;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failed(reason, file.errorString());
        return false;
    }
    if (file.size() > MaxReadFileSize) {
        failed(reason, tooLarge());
        return false;
    }
    return true;
#endif
}

} // namespace

std::optional<QByteArray> ReadWholeFile(const QString& path, QString* reason)
{
    QFile file;
    if (!openPlainFile(file, path, reason))
        return std::nullopt;
    // Read in steps up to the bound, so that a file that grows while it is read still
    // stops there and nothing is allocated for what is not there.
    QByteArray bytes;
    bytes.reserve(qsizetype(qMin(file.size(), MaxReadFileSize)));
    constexpr qint64 step = 1 << 16;
    for (;;) {
        const qsizetype before = bytes.size();
        bytes.resize(before + step);
        const qint64 read = file.read(bytes.data() + before, step);
        if (read < 0)
            return failed(reason, file.errorString());
        bytes.resize(before + qsizetype(read));
        if (read == 0)
            break;
        if (bytes.size() > MaxReadFileSize)
            return failed(reason, tooLarge());
    }
    return bytes;
}
