#include "FolderCheck.h"

#include "ConflictCopies.h"

#include "Currency.h"
#include "CurrencySideFile.h"
#include "RecordFile.h"
#include "SaveFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <map>
#include <optional>
#include <set>

namespace {

const char* const dataPatterns[] = {"*.tra", "*.stg", "*.apt", "*.chk",
                                    "*.exp", "*.prf", "*.alm", "*.cur"};

class FolderChecker {
public:
    QList<LoadProblem> problems;

    // Checks every entry that matches the patterns; their names, in order.
    QStringList checkFolder(const QString& folder, const QStringList& patterns)
    {
        QDirIterator it(folder, patterns,
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        QStringList names;
        while (it.hasNext()) {
            it.next();
            if (!IsConflictCopyName(it.fileName()))
                names.append(it.fileName());
        }
        names.sort();
        for (const QString& name : names)
            checkEntry(QDir(folder).filePath(name));
        return names;
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

    // Files that belong to a travel or a stage that is not in the data folder: stages
    // of a missing travel, and check lists, expenses, appointments and (in the images
    // folder) picture categories named after a missing key. A record whose file is
    // there but damaged is not missing: that file is reported on its own.
    void reportOrphans(const QStringList& dataNames)
    {
        for (const auto& [name, travelKey] : m_stageOwners) {
            if (!m_travels.contains(travelKey))
                add(name, missing(u"travel", travelKey));
        }
        struct OwnedFile {
            QStringView prefix;
            QStringView suffix;
            const std::set<QString>& owners;
            QStringView owner;
        };
        const OwnedFile kinds[] = {{u"CheckList", u".chk", m_travels, u"travel"},
                                   {u"Expenses", u".exp", m_travels, u"travel"},
                                   {u"Appointment", u".apt", m_stages, u"stage"}};
        for (const QString& name : dataNames) {
            for (const OwnedFile& kind : kinds) {
                if (const auto key = keyIn(name, kind.prefix, kind.suffix)) {
                    reportIfMissing(name, key, kind.owners, kind.owner);
                    break;
                }
            }
        }
    }

    // Side files of currencies: their travel must be there, and every entry must still
    // name its expense; entries set aside are listed with the reason.
    void reportCurrencies(const DataFolder& folder)
    {
        const QString home = m_home.isEmpty() ? Currency::LocaleCode(QLocale::system()) : m_home;
        for (const auto& [name, side] : m_sides) {
            const auto key = keyIn(name, u"Currencies", u".cur");
            reportIfMissing(name, key, m_travels, u"travel");
            if (!key || !m_travels.contains(*key))
                continue;
            QList<ExpenseRecord> lines;
            const QString expenses = DataFolder::expensesFileName(*key);
            if (const auto bytes = ReadWholeFile(folder.filePath(expenses))) {
                const DecodedFile decoded = DecodeRecordFile(RecordFileKind::Expenses, *bytes);
                lines = std::get<StoredList<ExpenseRecord>>(decoded.record).items;
            }
            for (const CurrencyEntry& entry : CurrencySide::Apply(side, home, expenses, lines))
                add(name, QStringLiteral("set aside, not applied: ") + entry.note);
        }
    }

    void reportOrphanPictures(const QStringList& imageNames)
    {
        for (const QString& name : imageNames)
            reportIfMissing(name, keyIn(name, u"Images", u".img"), m_travels, u"travel");
    }

private:
#ifdef Q_OS_WIN
    static constexpr Qt::CaseSensitivity nameCase = Qt::CaseInsensitive;
#else
    static constexpr Qt::CaseSensitivity nameCase = Qt::CaseSensitive; // as files are opened
#endif

    // The key a file name holds between a prefix and a suffix; nothing when the name
    // is not of that form. Other names of the listed kinds name no key at all.
    static std::optional<QString> keyIn(QStringView name, QStringView prefix, QStringView suffix)
    {
        if (!name.endsWith(suffix, Qt::CaseInsensitive))
            return std::nullopt;
        if (name.size() < prefix.size() + suffix.size() || !name.startsWith(prefix, nameCase) ||
            !name.endsWith(suffix, nameCase))
            return QString();
        return name.mid(prefix.size(), name.size() - prefix.size() - suffix.size()).toString();
    }

    static QString missing(QStringView kind, const QString& key)
    {
        return QStringLiteral("belongs to %1 %2, which is not in the data folder").arg(kind, key);
    }

    void reportIfMissing(const QString& name, const std::optional<QString>& key,
                         const std::set<QString>& present, QStringView kind)
    {
        if (!key)
            return;
        if (key->isEmpty())
            add(name, QStringLiteral("named after no %1; nothing reads it").arg(kind));
        else if (!present.contains(*key))
            add(name, missing(kind, *key));
    }

    void noteName(const QString& name)
    {
        if (const auto key = keyIn(name, u"Travel", u".tra"); key && !key->isEmpty())
            m_travels.insert(*key);
        else if (const auto stageKey = keyIn(name, u"", u".stg"); stageKey && !stageKey->isEmpty())
            m_stages.insert(*stageKey);
    }

    void add(const QString& fileName, const QString& cause)
    {
        problems.append(LoadProblem{fileName, cause});
    }

    void checkEntry(const QString& path)
    {
        const QFileInfo info(path);
        const QString name = info.fileName();
        noteName(name);
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
        if (name.endsWith(QLatin1String(".cur"), Qt::CaseInsensitive)) {
            checkCurrencies(name, *bytes);
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
        if (const auto* travel = std::get_if<TravelRecord>(&decoded.record)) {
            if (checkKey(name, travel->key, DataFolder::travelFileName(travel->key)))
                m_travels.insert(travel->key.trimmed());
        } else if (const auto* pictures =
                       std::get_if<QList<StoredImageCategory>>(&decoded.record)) {
            for (int i = 0; i < int(pictures->size()); ++i) {
                if (pictures->at(i).links.size() > LinksPerCategory)
                    add(name, QStringLiteral("category %1 holds %2 pictures, more than the %3 "
                                             "a category can hold")
                                  .arg(i + 1)
                                  .arg(pictures->at(i).links.size())
                                  .arg(LinksPerCategory));
            }
        } else if (const auto* stage = std::get_if<StageRecord>(&decoded.record)) {
            if (!IsSafeKey(stage->travelKey))
                add(name, UnsafeKeyCause(stage->travelKey));
            else if (checkKey(name, stage->key, DataFolder::stageFileName(stage->key))) {
                m_stages.insert(stage->key.trimmed());
                m_stageOwners[name] = stage->travelKey.trimmed();
            }
        }
    }

    // Whether the key is safe; reports it when not, and a name it does not give.
    bool checkKey(const QString& name, const QString& key, const QString& expectedName)
    {
        if (!IsSafeKey(key)) {
            add(name, UnsafeKeyCause(key));
            return false;
        }
        if (name != expectedName)
            add(name, QStringLiteral("holds the key %1, which names %2").arg(key, expectedName));
        m_filesByKey[name.endsWith(QLatin1String(".stg"), Qt::CaseInsensitive)
                         ? QStringLiteral("stage ") + key
                         : QStringLiteral("travel ") + key]
            .append(name);
        return true;
    }

    std::map<QString, QStringList> m_filesByKey;
    // Keys of the travels and stages the data folder holds, by their records and by
    // their file names; the travel key of each stage file.
    std::set<QString> m_travels;
    std::set<QString> m_stages;
    std::map<QString, QString> m_stageOwners;
    std::map<QString, CurrencySideFile> m_sides;
    QString m_home;

    void checkCurrencies(const QString& name, const QByteArray& bytes)
    {
        QString cause;
        if (name == DataFolder::currencySettingsFileName()) {
            if (const auto settings = CurrencySide::DecodeSettings(bytes, &cause))
                m_home = settings->home;
        } else if (auto side = CurrencySide::Decode(bytes, &cause)) {
            m_sides[name] = std::move(*side);
        }
        if (!cause.isEmpty())
            add(name, cause);
    }
};

} // namespace

QList<LoadProblem> CheckDataFolder(const DataFolder& folder, const QString& imagesFolder)
{
    FolderChecker checker;
    QStringList patterns;
    for (const char* pattern : dataPatterns)
        patterns.append(QLatin1String(pattern));
    const QStringList dataNames = checker.checkFolder(folder.path(), patterns);
    checker.reportDuplicates();
    checker.reportOrphans(dataNames);
    checker.reportCurrencies(folder);
    if (!imagesFolder.isEmpty())
        checker.reportOrphanPictures(checker.checkFolder(imagesFolder, {QStringLiteral("*.img")}));
    for (const QString& place : {folder.path(), imagesFolder}) {
        if (place.isEmpty())
            continue;
        for (const QList<ConflictCopy>& copies : FindConflictCopies(place)) {
            for (const ConflictCopy& copy : copies) {
                checker.problems.append(
                    {copy.copyName,
                     QStringLiteral("conflict copy of %1 left by %2 on %3; keep one version "
                                    "with voyanta-cli resolve")
                         .arg(copy.recordName, copy.engine,
                              copy.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))});
            }
        }
    }
    return checker.problems;
}
