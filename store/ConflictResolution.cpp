#include "ConflictResolution.h"

#include "RecordCodec.h"
#include "SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace {

// A name in the folder that nothing holds yet: NAME.EXT, else NAME-2.EXT, NAME-3.EXT, ...
// The extension stays last, so that a version set aside still reads as the kind it is.
QString freePath(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const QString suffix = QFileInfo(name).suffix();
    const QString extension = suffix.isEmpty() ? QString() : u'.' + suffix;
    const QString stem = name.chopped(extension.size());
    QString path = dir.filePath(name);
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = dir.filePath(QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(extension));
    return path;
}

// Puts a copy of the file into the folder; the file itself stays.
Outcome keepCopyIn(const QString& folder, const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    if (Outcome made = CreateFolder(folder); !made.ok())
        return made;
    QFile file(path);
    const QString target = freePath(folder, QFileInfo(path).fileName());
    if (!file.copy(target))
        return Outcome::failure(target, file.errorString());
    return {};
}

Outcome moveInto(const QString& folder, const QString& path)
{
    if (Outcome made = CreateFolder(folder); !made.ok())
        return made;
    QFile file(path);
    const QString target = freePath(folder, QFileInfo(path).fileName());
    if (!file.rename(target))
        return Outcome::failure(path, file.errorString());
    return {};
}

// Replaces the file at `to` by the one at `from` in one step.
Outcome replaceWith(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(),
                            QFile::encodeName(to).toStdString(), error);
    if (error)
        return Outcome::failure(to, QString::fromStdString(error.message()));
    return {};
}

template <typename T>
std::optional<QList<T>> readList(const QString& path,
                                 bool (*decode)(ArchiveReader&, StoredList<T>&), QString* reason)
{
    if (!QFileInfo::exists(path))
        return QList<T>{};
    const auto bytes = ReadWholeFile(path, reason);
    if (!bytes)
        return std::nullopt;
    ArchiveReader reader(*bytes);
    StoredList<T> list;
    if (!decode(reader, list)) {
        *reason = reader.error()->cause;
        return std::nullopt;
    }
    return list.items;
}

QString identity(const CheckListItem& item)
{
    return item.text;
}

QString identity(const ExpenseRecord& line)
{
    return line.product + QChar(0) + line.unit;
}

// Every entry of the later list, as it is there, then those of the earlier list that the
// later one does not hold (an entry held twice counts twice).
template <typename T> QList<T> unionOf(const QList<T>& later, const QList<T>& earlier)
{
    QList<T> merged = later;
    QList<bool> matched(later.size(), false);
    for (const T& entry : earlier) {
        bool found = false;
        for (qsizetype i = 0; i < later.size() && !found; ++i) {
            if (!matched[i] && identity(later[i]) == identity(entry))
                found = matched[i] = true;
        }
        if (!found)
            merged.append(entry);
    }
    return merged;
}

template <typename T>
Outcome mergeFiles(const ConflictCopy& copy, bool (*decode)(ArchiveReader&, StoredList<T>&),
                   QByteArray (*encode)(const StoredList<T>&), const QString& conflicts)
{
    QString reason;
    const auto record = readList(copy.recordPath(), decode, &reason);
    if (!record)
        return Outcome::failure(copy.recordPath(), reason);
    const auto other = readList(copy.copyPath(), decode, &reason);
    if (!other)
        return Outcome::failure(copy.copyPath(), reason);
    const bool copyIsLater =
        !QFileInfo::exists(copy.recordPath()) ||
        QFileInfo(copy.copyPath()).lastModified() > QFileInfo(copy.recordPath()).lastModified();
    const QList<T> merged = copyIsLater ? unionOf(*other, *record) : unionOf(*record, *other);
    if (Outcome kept = keepCopyIn(conflicts, copy.recordPath()); !kept.ok())
        return kept;
    if (Outcome saved = SaveRecordFile(copy.recordPath(), encode(RecordCodec::listOf(merged)));
        !saved.ok())
        return saved;
    return moveInto(conflicts, copy.copyPath());
}

} // namespace

QString ConflictsFolder(const QString& workingDirectory)
{
    return QDir(workingDirectory).filePath(QStringLiteral("Conflicts"));
}

Outcome ResolveConflict(const ConflictCopy& copy, KeepVersion keep, const QString& workingDirectory)
{
    const QString conflicts = ConflictsFolder(workingDirectory);
    switch (keep) {
    case KeepVersion::Record:
        return moveInto(conflicts, copy.copyPath());
    case KeepVersion::Copy:
        // The record's version is kept aside first; the copy then takes its name in one
        // step, so that the record file is never missing.
        if (Outcome kept = keepCopyIn(conflicts, copy.recordPath()); !kept.ok())
            return kept;
        return replaceWith(copy.copyPath(), copy.recordPath());
    case KeepVersion::Merge:
        if (copy.recordName.endsWith(QLatin1String(".chk"), Qt::CaseInsensitive))
            return mergeFiles(copy, &RecordCodec::decodeCheckList, &RecordCodec::encodeCheckList,
                              conflicts);
        if (copy.recordName.endsWith(QLatin1String(".exp"), Qt::CaseInsensitive))
            return mergeFiles(copy, &RecordCodec::decodeExpenses, &RecordCodec::encodeExpenses,
                              conflicts);
        return Outcome::failure(copy.recordPath(),
                                QStringLiteral("only check lists and expenses can be merged"));
    }
    return {};
}
