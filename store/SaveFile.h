#pragma once

#include "Outcome.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// The one way record files reach the disk: the bytes go to a temporary file in the
// same folder, which then replaces the old file in one rename. A crash or a full disk
// leaves the old file whole.
Outcome SaveFileAtomically(const QString& path, const QByteArray& bytes);

// Saves a record file as above, but never through a symbolic link: a link planted under
// a record's name (dangling or not) would send the record outside the data folder.
Outcome SaveRecordFile(const QString& path, const QByteArray& bytes);

// Whether something, a dangling link included, holds the name.
bool NameTaken(const QString& path);

// Writes a document the user named (an export): a plain file, or a name where there is
// none yet, through SaveFileAtomically; a pipe or a device is written straight, never
// replaced, and a failed write is reported; a folder is refused.
Outcome SaveDocument(const QString& path, const QByteArray& bytes);

// The outcome of trying to create a file that must not exist yet.
struct [[nodiscard]] Claim {
    bool taken = false; // something is there already: nothing was created
    Outcome outcome;    // the reason when the file could not be created for another cause
};

// Gives a file its whole first content under a name where there is none, in one step
// that no other process can interleave with: the bytes go to a temporary file, which
// then takes the name only while the name is free. No reader ever sees the file empty
// or half written; this is how a new record takes its key.
Claim ClaimNewFileWith(const QString& path, const QByteArray& bytes);

// New files claimed as above, many at once: every file's bytes are on the disk before
// any of them takes its name, and the disk is asked for all of them together, which
// costs about what one file costs. A file that is never claimed leaves nothing behind.
class NewFileBatch {
public:
    NewFileBatch();
    ~NewFileBatch();
    NewFileBatch(const NewFileBatch&) = delete;
    NewFileBatch& operator=(const NewFileBatch&) = delete;

    // Writes the bytes to a temporary file beside path. Returns the file's index for
    // claim(), or -1 with the reason in *failure.
    int add(const QString& path, const QByteArray& bytes, Outcome* failure);
    // Puts every added file's bytes on the disk.
    Outcome makeDurable();
    // Gives the file its name unless something holds the name; after makeDurable().
    Claim claim(int index);

private:
    struct Entry;
    std::vector<std::unique_ptr<Entry>> m_entries;
};

// Creates a folder (one level) unless it is there; the outcome names the system's
// reason when it cannot.
Outcome CreateFolder(const QString& path);

// Removes a file. A file that is not there is no error.
Outcome RemoveFileIfPresent(const QString& path);

// More than any record file or travel document holds: a file larger than this is
// not read at all.
constexpr qint64 MaxReadFileSize = qint64(256) * 1024 * 1024;

// What tells one version of a file from another: its size and modification time. A
// file that is not there has the size -1.
struct FileStamp {
    qint64 size = -1;
    qint64 modifiedNsecs = 0;

    bool exists() const { return size >= 0; }
    bool operator==(const FileStamp&) const = default;
};
// The stamp of what the name itself holds (a link is not followed).
FileStamp StampOf(const QString& path);

// Reads a whole plain file of at most MaxReadFileSize bytes. Returns nothing when it
// cannot be opened (absent, no permission), is no plain file (a folder, a pipe that
// would block the read, a device that never ends) or is larger; the reason goes to
// *reason when given.
// The stamp of what was read goes to *stamp when given.
std::optional<QByteArray> ReadWholeFile(const QString& path, QString* reason = nullptr,
                                        FileStamp* stamp = nullptr);
