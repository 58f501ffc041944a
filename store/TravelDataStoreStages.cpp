#include "TravelDataStore.h"

#include "ChronologicalOrder.h"
#include "FolderListing.h"
#include "RecordCodec.h"
#include "SaveFile.h"

#include <QFileInfo>
#include <QSet>

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

QList<KeyOutcome> TravelDataStore::AddStages(QList<NewStage> stages)
{
    // Two open files for each stage of a batch.
    constexpr qsizetype batchSize = 64;
    QList<KeyOutcome> made;
    for (qsizetype first = 0; first < stages.size(); first += batchSize) {
        if (!addStageBatch(stages.mid(first, batchSize), made))
            break;
    }
    return made;
}

bool TravelDataStore::addStageBatch(QList<NewStage> stages, QList<KeyOutcome>& made)
{
    const auto fail = [&made](Outcome outcome) {
        made.append(KeyOutcome{QString(), std::move(outcome)});
        return false;
    };
    NewFileBatch batch;
    struct Files {
        int appointments = -1;
        int stage = -1;
    };
    QList<Files> files;
    QSet<RecordKey> travelsThere; // a batch mostly adds to one travel: one look each
    for (NewStage& entry : stages) {
        const RecordKey& travelKey = entry.stage.travelKey;
        if (!IsSafeKey(travelKey))
            return fail(unsafeKey(travelKey));
        if (!travelsThere.contains(travelKey)) {
            if (Outcome there = requireTravel(travelKey); !there.ok())
                return fail(std::move(there));
            travelsThere.insert(travelKey);
        }
        // The key AddStage would take; a series of keys never hands out one twice.
        entry.stage.key = m_keys.next(travelKey, 10, [this](const RecordKey& key) {
            return stageKeyTaken(key) || NameTaken(m_folder.stageFile(key));
        });
        Files added;
        Outcome failure;
        if (!entry.appointments.isEmpty()) {
            added.appointments = batch.add(
                m_folder.appointmentFile(entry.stage.key),
                RecordCodec::encodeAppointments(RecordCodec::listOf(entry.appointments)), &failure);
            if (added.appointments < 0)
                return fail(std::move(failure));
        }
        added.stage = batch.add(m_folder.stageFile(entry.stage.key),
                                RecordCodec::encodeStage(entry.stage), &failure);
        if (added.stage < 0)
            return fail(std::move(failure));
        files.append(added);
    }
    m_lastChangeMsecs = now().toMSecsSinceEpoch();
    if (Outcome durable = batch.makeDurable(); !durable.ok())
        return fail(std::move(durable));
    for (qsizetype i = 0; i < stages.size(); ++i) {
        NewStage& entry = stages[i];
        const ChangeNote note{*this, entry.stage.travelKey};
        // The appointments take their name first: a stage file is never seen without them.
        Claim claim = files[i].appointments < 0 ? Claim{} : batch.claim(files[i].appointments);
        if (!claim.taken && claim.outcome.ok()) {
            claim = batch.claim(files[i].stage);
            if ((claim.taken || !claim.outcome.ok()) && files[i].appointments >= 0)
                (void)RemoveFileIfPresent(m_folder.appointmentFile(entry.stage.key));
        }
        if (!claim.outcome.ok())
            return fail(std::move(claim.outcome));
        if (claim.taken) {
            // Another program took the key since it was chosen: the stage goes the slow way.
            const KeyOutcome added = AddStage(entry.stage);
            if (!added.ok())
                return fail(added.outcome);
            if (!entry.appointments.isEmpty()) {
                if (Outcome saved = SaveAppointments(added.key, entry.appointments); !saved.ok())
                    return fail(std::move(saved));
            }
            made.append(added);
            continue;
        }
        putStage(entry.stage);
        made.append(KeyOutcome{entry.stage.key, {}});
    }
    if (std::any_of(stages.begin(), stages.end(),
                    [](const NewStage& entry) { return !entry.appointments.isEmpty(); })) {
        if (Outcome marked = markAppointmentsWritten(); !marked.ok())
            return fail(std::move(marked));
    }
    return true;
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
