#include "FolderCheck.h"

#include "RecordFile.h"
#include "SaveFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <map>

namespace {

const char* const dataPatterns[] = {"*.tra", "*.stg", "*.apt", "*.chk", "*.exp", "*.prf", "*.alm"};

class FolderChecker {
public:
    QList<LoadProblem> problems;

    void checkFolder(const QString& folder, const QStringList& patterns)
    {
        QDirIterator it(folder, patterns,
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        QStringList names;
        while (it.hasNext()) {
            it.next();
            names.append(it.fileName());
        }
        names.sort();
        for (const QString& name : names)
            checkEntry(QDir(folder).filePath(name));
    }

    void reportDuplicates()
    {
        for (const auto& [key, files] : m_filesByKey) {
            for (qsizetype i = 1; i < files.size(); ++i) {
                add(files[i],
                    QStringLiteral("key %1 is also held by %2; only one of them is loaded")
                        .arg(key, files.first()));
            }
        }
    }

private:
    void add(const QString& fileName, const QString& cause)
    {
        problems.append(LoadProblem{fileName, cause});
    }

    void checkEntry(const QString& path)
    {
        const QFileInfo info(path);
        const QString name = info.fileName();
        if (info.isSymLink()) {
            add(name, QStringLiteral("a link, not a record file; skipped"));
            return;
        }
        if (info.isDir()) {
            add(name, QStringLiteral("a folder, not a record file; skipped"));
            return;
        }
        if (!info.isFile()) {
            add(name, QStringLiteral("not a plain file; skipped"));
            return;
        }
        QString reason;
        const auto bytes = ReadWholeFile(path, &reason);
        if (!bytes) {
            add(name, QStringLiteral("unreadable: %1").arg(reason));
            return;
        }
        const auto kind = RecordFileKindOf(name);
        const DecodedFile decoded = DecodeRecordFile(*kind, *bytes);
        if (decoded.error) {
            add(name, decoded.error->cause);
            return;
        }
        if (decoded.used < decoded.size) {
            add(name, QStringLiteral("%1 bytes after the last field, at byte %2")
                          .arg(decoded.size - decoded.used)
                          .arg(decoded.used));
        }
        if (const auto* travel = std::get_if<TravelRecord>(&decoded.record))
            checkKey(name, travel->key, DataFolder::travelFileName(travel->key));
        else if (const auto* stage = std::get_if<StageRecord>(&decoded.record)) {
            if (!IsSafeKey(stage->travelKey))
                add(name, UnsafeKeyCause(stage->travelKey));
            else
                checkKey(name, stage->key, DataFolder::stageFileName(stage->key));
        }
    }

    void checkKey(const QString& name, const QString& key, const QString& expectedName)
    {
        if (!IsSafeKey(key)) {
            add(name, UnsafeKeyCause(key));
            return;
        }
        if (name != expectedName)
            add(name, QStringLiteral("holds the key %1, which names %2").arg(key, expectedName));
        m_filesByKey[name.endsWith(QLatin1String(".stg"), Qt::CaseInsensitive)
                         ? QStringLiteral("stage ") + key
                         : QStringLiteral("travel ") + key]
            .append(name);
    }

    std::map<QString, QStringList> m_filesByKey;
};

} // namespace

QList<LoadProblem> CheckDataFolder(const DataFolder& folder, const QString& imagesFolder)
{
    FolderChecker checker;
    QStringList patterns;
    for (const char* pattern : dataPatterns)
        patterns.append(QLatin1String(pattern));
    checker.checkFolder(folder.path(), patterns);
    checker.reportDuplicates();
    if (!imagesFolder.isEmpty())
        checker.checkFolder(imagesFolder, {QStringLiteral("*.img")});
    return checker.problems;
}
