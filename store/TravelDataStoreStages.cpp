#include "TravelDataStore.h"

#include "ChronologicalOrder.h"
#include "FolderListing.h"
#include "RecordCodec.h"
#include "SaveFile.h"

#include <QFileInfo>

void TravelDataStore::LoadStages()
{
    loadStageFiles(ListRecordFiles(m_folder.path(), QStringLiteral("stg")));
}

void TravelDataStore::loadStageFiles(const QStringList& fileNames)
{
    m_stages.clear();
    m_otherStageFiles.clear();
    m_stagesByTravel.clear();
    readRecordFiles(
        fileNames, [this](ArchiveReader& reader, const QString& fileName, const FileStamp&) {
            StageRecord stage{DateTimeValue{}};
            if (!RecordCodec::decodeStage(reader, stage))
                return reader.error()->cause;
            if (!IsSafeKey(stage.key) || !IsSafeKey(stage.travelKey))
                return UnsafeKeyCause(IsSafeKey(stage.key) ? stage.travelKey : stage.key);
            fromOwnFile(fileName, DataFolder::isStageFileName(fileName, stage.key), stage.key,
                        m_otherStageFiles);
            putStage(stage);
            return QString();
        });
}

void TravelDataStore::putStage(const StageRecord& stage)
{
    const auto existing = m_stages.find(stage.key);
    if (existing != m_stages.end() && existing->second.travelKey != stage.travelKey)
        eraseStage(stage.key);
    m_stages.insert_or_assign(stage.key, stage);
    m_stagesByTravel[stage.travelKey].insert(stage.key);
}

void TravelDataStore::eraseStage(const RecordKey& key)
{
    const auto it = m_stages.find(key);
    if (it == m_stages.end())
        return;
    const auto owner = m_stagesByTravel.find(it->second.travelKey);
    if (owner != m_stagesByTravel.end()) {
        owner->second.erase(key);
        if (owner->second.empty())
            m_stagesByTravel.erase(owner);
    }
    m_stages.erase(it);
}

// The stage file itself is checked by the claim.
bool TravelDataStore::stageKeyTaken(const RecordKey& key) const
{
    return m_stages.contains(key) || NameTaken(m_folder.appointmentFile(key));
}

KeyOutcome TravelDataStore::AddStage(StageRecord stage)
{
    const ChangeNote note{*this, stage.travelKey};
    if (!IsSafeKey(stage.travelKey))
        return {QString(), unsafeKey(stage.travelKey)};
    if (Outcome there = requireTravel(stage.travelKey); !there.ok())
        return {QString(), std::move(there)};
    KeyOutcome claimed = claimKey(
        stage.travelKey, 10, &DataFolder::stageFileName,
        [this](const RecordKey& key) { return stageKeyTaken(key); },
        [&stage](const RecordKey& key) {
            stage.key = key;
            return RecordCodec::encodeStage(stage);
        });
    if (!claimed.ok())
        return claimed;
    stage.key = claimed.key;
    putStage(stage);
    return claimed;
}

Outcome TravelDataStore::requireStage(const RecordKey& stageKey) const
{
    const StageRecord stage = GetStage(stageKey);
    if (!stage.travelKey.isEmpty()) {
        if (Outcome there = requireTravel(stage.travelKey); !there.ok())
            return there;
    }
    if (StampOf(m_folder.stageFile(stageKey)).exists() ||
        copyStandsIn(DataFolder::stageFileName(stageKey)))
        return {};
    const auto other = m_otherStageFiles.find(stageKey);
    if (other != m_otherStageFiles.end()) {
        for (const QString& fileName : other->second) {
            if (StampOf(m_folder.filePath(fileName)).exists())
                return {};
        }
    }
    return Outcome::failure(m_folder.stageFile(stageKey),
                            QStringLiteral("the stage \"%1\" was removed outside Voyanta")
                                .arg(stage.title.isEmpty() ? stageKey : stage.title),
                            Outcome::Refusal::OwnerGone);
}

Outcome TravelDataStore::SaveStage(const StageRecord& stage)
{
    const ChangeNote note{*this, stage.travelKey};
    if (!IsSafeKey(stage.key) || !IsSafeKey(stage.travelKey))
        return unsafeKey(IsSafeKey(stage.key) ? stage.travelKey : stage.key);
    if (Outcome there =
            m_stages.contains(stage.key) ? requireStage(stage.key) : requireTravel(stage.travelKey);
        !there.ok())
        return there;
    if (Outcome saved =
            writeDataFile(DataFolder::stageFileName(stage.key), RecordCodec::encodeStage(stage));
        !saved.ok())
        return saved;
    putStage(stage);
    return removeOtherFiles(m_otherStageFiles, stage.key);
}

StageRecord TravelDataStore::GetStage(const RecordKey& key) const
{
    const auto it = m_stages.find(key);
    return it != m_stages.end() ? it->second : StageRecord{};
}

int TravelDataStore::CountStages(const RecordKey& travelKey) const
{
    const auto it = m_stagesByTravel.find(travelKey);
    return it != m_stagesByTravel.end() ? int(it->second.size()) : 0;
}

QList<RecordKey> TravelDataStore::StagesOfUnsorted(const RecordKey& travelKey) const
{
    QList<RecordKey> keys;
    const auto it = m_stagesByTravel.find(travelKey);
    if (it != m_stagesByTravel.end()) {
        keys.reserve(qsizetype(it->second.size()));
        for (const RecordKey& key : it->second)
            keys.append(key);
    }
    return keys;
}

QList<RecordKey> TravelDataStore::StagesOf(const RecordKey& travelKey) const
{
    return KeysByDate(StagesOfUnsorted(travelKey), m_stages,
                      [](const StageRecord& stage) -> const DateTimeValue& { return stage.date; });
}

Outcome TravelDataStore::DeleteStage(const RecordKey& key)
{
    const ChangeNote note{*this, GetStage(key).travelKey};
    if (!IsSafeKey(key))
        return unsafeKey(key);
    for (const QString& fileName :
         {DataFolder::appointmentFileName(key), DataFolder::stageFileName(key)}) {
        if (Outcome removed = removeDataFile(m_folder.filePath(fileName)); !removed.ok())
            return removed;
        clearProblem(fileName);
    }
    if (Outcome removed = removeOtherFiles(m_otherStageFiles, key); !removed.ok())
        return removed;
    eraseStage(key);
    return {};
}

Outcome TravelDataStore::DeleteStagesOf(const RecordKey& travelKey)
{
    for (const RecordKey& key : StagesOfUnsorted(travelKey)) {
        if (Outcome deleted = DeleteStage(key); !deleted.ok())
            return deleted;
    }
    return {};
}

Outcome TravelDataStore::CopyStages(const RecordKey& oldTravelKey, const RecordKey& newTravelKey)
{
    const ChangeNote note{*this, newTravelKey};
    if (!IsSafeKey(newTravelKey))
        return unsafeKey(newTravelKey);
    QList<StageRecord> copies;
    Outcome outcome;
    for (const RecordKey& key : StagesOfUnsorted(oldTravelKey)) {
        StageRecord copy = m_stages.at(key);
        copy.travelKey = newTravelKey;
        const KeyOutcome claimed = claimKey(
            newTravelKey, 1, &DataFolder::stageFileName,
            [this](const RecordKey& candidate) { return stageKeyTaken(candidate); },
            [&copy](const RecordKey& candidate) {
                copy.key = candidate;
                return RecordCodec::encodeStage(copy);
            });
        outcome = claimed.outcome;
        if (!outcome.ok())
            break;
        copy.key = claimed.key;
        copies.append(copy);
        outcome = CopyAppointments(key, copy.key);
        if (!outcome.ok())
            break;
    }
    // The stage map is filled only after its own walk; what reached the disk is kept.
    for (const StageRecord& copy : copies)
        putStage(copy);
    return outcome;
}
