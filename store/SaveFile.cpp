#include "SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <algorithm>
#include <filesystem>

#ifdef Q_OS_UNIX
#include <qplatformdefs.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Written in a loop: a write that manages only part of the bytes (a full disk, a
// file-size limit) would otherwise go unnoticed and leave a short file.
bool WriteAll(QIODevice& file, const QByteArray& bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}

} // namespace

Outcome SaveFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // A folder that forbids new files would otherwise make QSaveFile write in place.
    file.setDirectWriteFallback(false);
    // Unbuffered: a buffered flush that manages only part of the bytes can go unnoticed
    // and commit a short file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Outcome::failure(path, file.errorString());
    if (!WriteAll(file, bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Outcome::failure(path, reason);
    }
    if (!file.commit())
        return Outcome::failure(path, file.errorString());
    return {};
}

bool NameTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

Outcome SaveRecordFile(const QString& path, const QByteArray& bytes)
{
    if (QFileInfo(path).isSymLink())
        return Outcome::failure(path,
                                QStringLiteral("a symbolic link; Voyanta never writes a record "
                                               "through a link"));
    return SaveFileAtomically(path, bytes);
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
    if (!WriteAll(file, bytes))
        return Outcome::failure(path, file.errorString());
    return {};
}

namespace {

#ifdef Q_OS_UNIX
// Gives the temporary file the name unless something holds it: a hard link where the
// file system has them, else a rename that refuses to replace.
Claim linkIntoPlace(const QString& temporary, const QString& path)
{
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(path);
    if (::link(from.constData(), to.constData()) == 0)
        return {};
    if (errno == EEXIST)
        return Claim{true, {}};
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != ENOSYS &&
        errno != EMLINK && errno != EXDEV)
        return Claim{false, Outcome::failure(path, qt_error_string(errno))};
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno == EEXIST)
        return Claim{true, {}};
    return Claim{false, Outcome::failure(path, qt_error_string(errno))};
}
#endif

} // namespace

struct NewFileBatch::Entry {
    QString path;
#ifdef Q_OS_LINUX
    int unnamed = -1; // a file without a name until it is claimed: a crash leaves nothing
#endif
    // Where a file without a name is not to be had: one with a temporary name, which
    // matches no record pattern, so that no listing takes it for a record.
    std::unique_ptr<QTemporaryFile> named;

    explicit Entry(const QString& target) : path(target) {}
    ~Entry()
    {
#ifdef Q_OS_LINUX
        if (unnamed >= 0)
            ::close(unnamed);
#endif
    }
    int handle() const
    {
#ifdef Q_OS_LINUX
        if (unnamed >= 0)
            return unnamed;
#endif
        return named->handle();
    }
};

namespace {

#ifdef Q_OS_LINUX
// A file with no name in the folder, where the file system and /proc allow one.
int openUnnamed(const QString& folder)
{
    static const bool procMounted = ::access("/proc/self/fd", X_OK) == 0;
    if (!procMounted)
        return -1;
    // The mode is what any new file gets, the user's umask applied.
    return QT_OPEN(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t step =
            ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (step < 0 && errno == EINTR)
            continue;
        if (step == 0)
            errno = ENOSPC; // a file that takes nothing more: the disk is full
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}
#endif

} // namespace

NewFileBatch::NewFileBatch() = default;
NewFileBatch::~NewFileBatch() = default;

int NewFileBatch::add(const QString& path, const QByteArray& bytes, Outcome* failure)
{
    auto entry = std::make_unique<Entry>(path);
    const QString folder = QFileInfo(path).path();
#ifdef Q_OS_LINUX
    entry->unnamed = openUnnamed(folder);
    if (entry->unnamed >= 0) {
        if (!writeAll(entry->unnamed, bytes)) {
            *failure = Outcome::failure(path, qt_error_string(errno));
            return -1;
        }
        m_entries.push_back(std::move(entry));
        return int(m_entries.size()) - 1;
    }
#endif
    entry->named =
        std::make_unique<QTemporaryFile>(QDir(folder).filePath(QStringLiteral(".claim-XXXXXX")));
    if (!entry->named->open() || !WriteAll(*entry->named, bytes) || !entry->named->flush()) {
        *failure = Outcome::failure(path, entry->named->errorString());
        return -1;
    }
    m_entries.push_back(std::move(entry));
    return int(m_entries.size()) - 1;
}

Outcome NewFileBatch::makeDurable()
{
#ifdef Q_OS_LINUX
    // One flush of the file system for many files: a flush of each file would cost a
    // flush of the disk's cache each, most of the time of an import of many records.
    // The file system's write errors since the files were opened are reported here.
    const auto inFirstsFolder = [this](const std::unique_ptr<Entry>& entry) {
        return QFileInfo(entry->path).path() == QFileInfo(m_entries.front()->path).path();
    };
    if (m_entries.size() > 1 && std::all_of(m_entries.begin(), m_entries.end(), inFirstsFolder)) {
        if (::syncfs(m_entries.front()->handle()) != 0)
            return Outcome::failure(m_entries.front()->path, qt_error_string(errno));
        return {};
    }
#endif
#ifdef Q_OS_UNIX
    for (const auto& entry : m_entries) {
        if (::fsync(entry->handle()) != 0)
            return Outcome::failure(entry->path, qt_error_string(errno));
    }
#endif
    return {};
}

Claim NewFileBatch::claim(int index)
{
    Entry& entry = *m_entries.at(size_t(index));
#ifdef Q_OS_LINUX
    if (entry.unnamed >= 0) {
        // A link never replaces what holds the name.
        const QByteArray from = "/proc/self/fd/" + QByteArray::number(entry.unnamed);
        if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD,
                     QFile::encodeName(entry.path).constData(), AT_SYMLINK_FOLLOW) == 0)
            return {};
        if (errno == EEXIST)
            return Claim{true, {}};
        return Claim{false, Outcome::failure(entry.path, qt_error_string(errno))};
    }
#endif
#ifdef Q_OS_UNIX
    return linkIntoPlace(entry.named->fileName(), entry.path);
#else
    // A rename that never replaces: the name is taken only while it is free.
    if (entry.named->rename(entry.path)) {
        entry.named->setAutoRemove(false);
        return {};
    }
    if (NameTaken(entry.path))
        return Claim{true, {}};
    return Claim{false, Outcome::failure(entry.path, entry.named->errorString())};
#endif
}

Claim ClaimNewFileWith(const QString& path, const QByteArray& bytes)
{
    if (NameTaken(path))
        return Claim{true, {}};
    NewFileBatch batch;
    Outcome failure;
    const int index = batch.add(path, bytes, &failure);
    if (index < 0)
        return Claim{false, failure};
    if (Outcome durable = batch.makeDurable(); !durable.ok())
        return Claim{false, durable};
    return batch.claim(index);
}

FileStamp StampOf(const QString& path)
{
#ifdef Q_OS_UNIX
    QT_STATBUF status{};
    if (QT_LSTAT(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return FileStamp{qint64(status.st_size),
                     qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
#else
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    return FileStamp{info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000};
#endif
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
bool openPlainFile(QFile& file, const QString& path, QString* reason, FileStamp* stamp)
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
    if (stamp) {
        *stamp = FileStamp{qint64(status.st_size),
                           qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
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
    if (stamp)
        *stamp = StampOf(path);
    return true;
#endif
}

} // namespace

std::optional<QByteArray> ReadWholeFile(const QString& path, QString* reason, FileStamp* stamp)
{
    QFile file;
    if (!openPlainFile(file, path, reason, stamp))
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
