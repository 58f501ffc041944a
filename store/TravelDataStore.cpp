#include "TravelDataStore.h"

#include "ChronologicalOrder.h"
#include "FolderListing.h"
#include "RecordCodec.h"
#include "SaveFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

bool inMonth(const DateTimeValue& value, QDate month)
{
    if (!value.hasCalendarValue())
        return false;
    const QDate date = value.date();
    return date.year() == month.year() && date.month() == month.month();
}

} // namespace

void TravelDataStore::setWorkingDirectory(const QString& workingDirectory)
{
    m_folder = DataFolder(workingDirectory);
    m_imagesFolder = m_folder.imagesFolderPath();
}

Outcome TravelDataStore::Refresh()
{
    const ChangeNote note{*this, {}};
    m_problems.clear();
    const Outcome folder = CreateFolder(m_folder.path());
    // One pass over the folder serves the preference check and both loads.
    const QString travels = QStringLiteral("tra");
    const QString stages = QStringLiteral("stg");
    const QString preferences = QStringLiteral("prf");
    QStringList copies;
    QMap<QString, QStringList> files =
        ListRecordFiles(m_folder.path(), {travels, stages, preferences}, &copies);
    m_conflicts = GroupConflictCopies(m_folder.path(), copies);
    m_readFromCopy.clear();
    // A travel or stage whose own file is gone is read from its newest conflict copy.
    for (auto it = m_conflicts.cbegin(); it != m_conflicts.cend(); ++it) {
        const QString extension = QFileInfo(it.key()).suffix();
        for (const QString& kind : {travels, stages}) {
            if (extension.compare(kind, Qt::CaseInsensitive) == 0 &&
                !files.value(kind).contains(it.key())) {
                files[kind].append(it->first().copyName);
                m_readFromCopy.insert(it.key(), it->first().copyName);
            }
        }
    }
    Outcome outcome = folder;
    if (outcome.ok() && files.value(preferences).isEmpty() &&
        std::none_of(m_conflicts.keyBegin(), m_conflicts.keyEnd(), [](const QString& name) {
            return name.endsWith(QLatin1String(".prf"), Qt::CaseInsensitive);
        }))
        outcome = writeDefaultPreferences();
    loadTravelFiles(files.value(travels));
    loadStageFiles(files.value(stages));
    readCurrencySettings();
    return outcome;
}

Outcome TravelDataStore::removeOtherFiles(std::map<RecordKey, QStringList>& otherFiles,
                                          const RecordKey& key)
{
    const auto it = otherFiles.find(key);
    if (it == otherFiles.end())
        return {};
    while (!it->second.isEmpty()) {
        const QString fileName = it->second.first();
        if (Outcome removed = removeDataFile(m_folder.filePath(fileName)); !removed.ok())
            return removed;
        it->second.removeFirst();
    }
    otherFiles.erase(it);
    return {};
}

void TravelDataStore::LoadTravels()
{
    loadTravelFiles(ListRecordFiles(m_folder.path(), QStringLiteral("tra")));
    readCurrencySettings();
}

void TravelDataStore::loadTravelFiles(const QStringList& fileNames)
{
    m_travels.clear();
    m_otherTravelFiles.clear();
    m_travelStamps.clear();
    readRecordFiles(
        fileNames, [this](ArchiveReader& reader, const QString& fileName, const FileStamp& stamp) {
            TravelRecord travel{DateTimeValue{}};
            if (!RecordCodec::decodeTravel(reader, travel))
                return reader.error()->cause;
            if (!IsSafeKey(travel.key))
                return UnsafeKeyCause(travel.key);
            if (fromOwnFile(fileName, DataFolder::isTravelFileName(fileName, travel.key),
                            travel.key, m_otherTravelFiles))
                m_travelStamps.insert_or_assign(travel.key, stamp);
            RecordKey key = travel.key;
            m_travels.insert_or_assign(std::move(key), std::move(travel));
            return QString();
        });
}

void TravelDataStore::readRecordFiles(const QStringList& fileNames, const RecordDecoder& decode)
{
    for (const QString& fileName : fileNames) {
        QString reason;
        FileStamp stamp;
        const auto bytes = ReadWholeFile(m_folder.filePath(fileName), &reason, &stamp);
        if (!bytes) {
            noteProblem(fileName, QStringLiteral("unreadable: %1").arg(reason));
            continue;
        }
        ArchiveReader reader(*bytes);
        if (const QString problem = decode(reader, fileName, stamp); !problem.isEmpty())
            noteProblem(fileName, problem);
    }
}

bool TravelDataStore::fromOwnFile(const QString& fileName, bool ownName, const RecordKey& key,
                                  std::map<RecordKey, QStringList>& others)
{
    if (IsConflictCopyName(fileName))
        return false;
    if (!ownName)
        others[key].append(fileName);
    return ownName;
}

QList<LoadProblem> TravelDataStore::problems() const
{
    QList<LoadProblem> list;
    for (auto it = m_problems.cbegin(); it != m_problems.cend(); ++it)
        list.append(LoadProblem{it.key(), it.value()});
    return list;
}

Outcome TravelDataStore::writeDataFile(const QString& fileName, const QByteArray& bytes)
{
    m_lastChangeMsecs = now().toMSecsSinceEpoch();
    Outcome outcome = SaveRecordFile(m_folder.filePath(fileName), bytes);
    if (outcome.ok())
        clearProblem(fileName);
    return outcome;
}

Outcome TravelDataStore::removeDataFile(const QString& path)
{
    m_lastChangeMsecs = now().toMSecsSinceEpoch();
    return RemoveFileIfPresent(path);
}

Outcome TravelDataStore::unsafeKey(const QString& key) const
{
    return Outcome::failure(m_folder.path(), UnsafeKeyCause(key));
}

bool TravelDataStore::copyStandsIn(const QString& recordName) const
{
    const QString copy = m_readFromCopy.value(recordName);
    return !copy.isEmpty() && StampOf(m_folder.filePath(copy)).exists();
}

std::optional<QByteArray> TravelDataStore::readNewestCopy(const QString& folder,
                                                          const QString& recordName)
{
    const auto copies = QDir(folder) == QDir(m_folder.path())
                            ? m_conflicts.value(recordName)
                            : FindConflictCopies(folder).value(recordName);
    if (copies.isEmpty())
        return std::nullopt;
    auto bytes = ReadWholeFile(copies.first().copyPath());
    if (bytes)
        m_readFromCopy.insert(recordName, copies.first().copyName);
    return bytes;
}

void TravelDataStore::noteProblem(const QString& fileName, const QString& cause)
{
    m_problems.insert(fileName, cause);
}

void TravelDataStore::clearProblem(const QString& fileName)
{
    m_problems.remove(fileName);
}

KeyOutcome TravelDataStore::claimKey(const QString& prefix, int firstCounter,
                                     QString (*fileName)(const QString&),
                                     const std::function<bool(const RecordKey&)>& taken,
                                     const std::function<QByteArray(const RecordKey&)>& content)
{
    for (;;) {
        RecordKey key = m_keys.next(prefix, firstCounter, taken);
        m_lastChangeMsecs = now().toMSecsSinceEpoch();
        const Claim claim = ClaimNewFileWith(m_folder.filePath(fileName(key)), content(key));
        if (claim.taken)
            continue; // another process, or a file nobody loaded, has it
        if (!claim.outcome.ok())
            return KeyOutcome{QString(), claim.outcome};
        return KeyOutcome{std::move(key), {}};
    }
}

// The travel file itself is checked by the claim; lists left behind by a travel whose
// file is gone would otherwise become the new travel's. A link counts as a file.
bool TravelDataStore::travelKeyTaken(const RecordKey& key) const
{
    return m_travels.contains(key) || NameTaken(m_folder.checkListFile(key)) ||
           NameTaken(m_folder.expensesFile(key));
}

KeyOutcome TravelDataStore::AddTravel(TravelRecord travel)
{
    KeyOutcome claimed = claimKey(
        QString(), 10, &DataFolder::travelFileName,
        [this](const RecordKey& key) { return travelKeyTaken(key); },
        [&travel](const RecordKey& key) {
            travel.key = key;
            return RecordCodec::encodeTravel(travel);
        });
    if (!claimed.ok())
        return claimed;
    travel.key = claimed.key;
    m_travelStamps.insert_or_assign(travel.key, StampOf(m_folder.travelFile(travel.key)));
    m_travels.insert_or_assign(travel.key, std::move(travel));
    if (m_changeObserver)
        m_changeObserver(claimed.key);
    return claimed;
}

Outcome TravelDataStore::requireTravel(const RecordKey& travelKey) const
{
    const QString path = m_folder.travelFile(travelKey);
    if (StampOf(path).exists() || copyStandsIn(DataFolder::travelFileName(travelKey)))
        return {};
    // A travel read from a file under another name is there while that file is.
    const auto other = m_otherTravelFiles.find(travelKey);
    if (other != m_otherTravelFiles.end()) {
        for (const QString& fileName : other->second) {
            if (StampOf(m_folder.filePath(fileName)).exists())
                return {};
        }
    }
    const QString title = GetTravel(travelKey).title;
    return Outcome::failure(path,
                            QStringLiteral("the travel \"%1\" was removed outside Voyanta")
                                .arg(title.isEmpty() ? travelKey : title),
                            Outcome::Refusal::OwnerGone);
}

Outcome TravelDataStore::SaveTravel(const TravelRecord& travel, TravelWrite write)
{
    const ChangeNote note{*this, travel.key};
    if (!IsSafeKey(travel.key))
        return unsafeKey(travel.key);
    const QString fileName = DataFolder::travelFileName(travel.key);
    if (m_travels.contains(travel.key)) {
        if (Outcome there = requireTravel(travel.key); !there.ok())
            return there;
        const auto read = m_travelStamps.find(travel.key);
        if (write == TravelWrite::Checked && read != m_travelStamps.end() &&
            read->second != StampOf(m_folder.filePath(fileName))) {
            return Outcome::failure(m_folder.filePath(fileName),
                                    QStringLiteral("another program changed the travel since "
                                                   "Voyanta read it"),
                                    Outcome::Refusal::ChangedOutside);
        }
    }
    if (Outcome saved = writeDataFile(fileName, RecordCodec::encodeTravel(travel)); !saved.ok())
        return saved;
    m_travelStamps.insert_or_assign(travel.key, StampOf(m_folder.filePath(fileName)));
    m_travels.insert_or_assign(travel.key, travel);
    // Older copies under other names would otherwise win the next load.
    return removeOtherFiles(m_otherTravelFiles, travel.key);
}

TravelRecord TravelDataStore::GetTravel(const RecordKey& key) const
{
    const auto it = m_travels.find(key);
    return it != m_travels.end() ? it->second : TravelRecord{};
}

bool TravelDataStore::HasTravel(const RecordKey& key) const
{
    return m_travels.contains(key);
}

QList<RecordKey> TravelDataStore::TravelKeys() const
{
    QList<RecordKey> keys;
    keys.reserve(qsizetype(m_travels.size()));
    for (const auto& entry : m_travels)
        keys.append(entry.first);
    std::sort(keys.begin(), keys.end());
    return keys;
}

QList<RecordKey> TravelDataStore::TravelsStartingInUnsorted(const DateTimeValue& month) const
{
    QList<RecordKey> keys;
    if (!month.hasCalendarValue())
        return keys;
    const QDate wanted = month.date();
    for (const auto& [key, travel] : m_travels) {
        if (inMonth(travel.start, wanted))
            keys.append(key);
    }
    std::sort(keys.begin(), keys.end()); // key order, the same in every run
    return keys;
}

QList<RecordKey> TravelDataStore::TravelsStartingIn(const DateTimeValue& month) const
{
    return KeysByDate(
        TravelsStartingInUnsorted(month), m_travels,
        [](const TravelRecord& travel) -> const DateTimeValue& { return travel.start; });
}

Outcome TravelDataStore::DeleteTravel(const RecordKey& key)
{
    const ChangeNote note{*this, key};
    if (!IsSafeKey(key))
        return unsafeKey(key);
    for (const QString& path : {m_folder.checkListFile(key), m_folder.expensesFile(key),
                                m_folder.filePath(DataFolder::currencyFileName(key))}) {
        if (Outcome removed = removeDataFile(path); !removed.ok())
            return removed;
    }
    if (Outcome stages = DeleteStagesOf(key); !stages.ok())
        return stages;
    if (!m_imagesFolder.isEmpty()) {
        const QString pictures =
            QDir(m_imagesFolder).filePath(DataFolder::imageCategoryFileName(key));
        if (Outcome removed = removeDataFile(pictures); !removed.ok())
            return removed;
    }
    const QString fileName = DataFolder::travelFileName(key);
    if (Outcome removed = removeDataFile(m_folder.filePath(fileName)); !removed.ok())
        return removed;
    if (Outcome removed = removeOtherFiles(m_otherTravelFiles, key); !removed.ok())
        return removed;
    clearProblem(fileName);
    m_travels.erase(key);
    m_travelStamps.erase(key);
    return {};
}

Outcome TravelDataStore::KeepDamagedCopy(const QString& fileName)
{
    const QString path = m_folder.filePath(fileName);
    QString reason;
    const auto bytes = ReadWholeFile(path, &reason);
    if (!bytes)
        return Outcome::failure(path, reason);
    for (int number = 1; number <= 1000; ++number) {
        QString copy = path + QStringLiteral(".damaged");
        if (number > 1)
            copy += QStringLiteral("-%1").arg(number);
        m_lastChangeMsecs = now().toMSecsSinceEpoch();
        const Claim claim = ClaimNewFileWith(copy, *bytes);
        if (!claim.taken)
            return claim.outcome;
    }
    return Outcome::failure(path, QStringLiteral("too many damaged copies beside it"));
}

KeyOutcome TravelDataStore::CopyTravel(const RecordKey& key)
{
    KeyOutcome added = AddTravel(GetTravel(key));
    if (!added.ok())
        return added;
    for (auto copy : {&TravelDataStore::CopyStages, &TravelDataStore::CopyCheckList,
                      &TravelDataStore::CopyExpenses, &TravelDataStore::CopyCurrencies}) {
        Outcome copied = (this->*copy)(key, added.key);
        if (!copied.ok()) {
            // No half copy stays behind: it would look like a whole one.
            (void)DeleteTravel(added.key);
            return KeyOutcome{QString(), std::move(copied)};
        }
    }
    return added;
}
