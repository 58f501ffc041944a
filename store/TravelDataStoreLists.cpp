#include "TravelDataStore.h"

#include "FolderListing.h"
#include "PreferenceDefaults.h"
#include "RecordCodec.h"
#include "SaveFile.h"

#include <QFileInfo>

namespace {

Outcome unsafe(const QString& folder, const QString& key)
{
    return Outcome::failure(folder, QStringLiteral("unsafe key \"%1\"").arg(key));
}

} // namespace

void TravelDataStore::readListFile(const QString& path,
                                   const std::function<bool(ArchiveReader&)>& decode)
{
    const QString fileName = QFileInfo(path).fileName();
    QString reason;
    const auto bytes = ReadWholeFile(path, &reason);
    if (!bytes) {
        if (QFileInfo::exists(path))
            noteProblem(fileName, QStringLiteral("unreadable: %1").arg(reason));
        return;
    }
    ArchiveReader reader(*bytes);
    if (decode(reader))
        clearProblem(fileName);
    else
        noteProblem(fileName, reader.error()->cause);
}

template <typename T>
StoredList<T> TravelDataStore::loadList(const QString& path,
                                        bool (*decode)(ArchiveReader&, StoredList<T>&))
{
    StoredList<T> list;
    readListFile(path, [&](ArchiveReader& reader) { return decode(reader, list); });
    return list;
}

// Copies a list file value by value. A source that cannot be read creates nothing; one
// that is cut short gives a copy of what it holds, with the count to match.
template <typename T>
Outcome TravelDataStore::copyList(const QString& from, const QString& to,
                                  bool (*decode)(ArchiveReader&, StoredList<T>&),
                                  QByteArray (*encode)(const StoredList<T>&))
{
    const auto bytes = ReadWholeFile(from);
    if (!bytes)
        return {};
    ArchiveReader reader(*bytes);
    StoredList<T> list;
    if (!decode(reader, list)) {
        noteProblem(QFileInfo(from).fileName(), reader.error()->cause);
        list.storedCount = qint32(list.items.size());
    }
    return SaveFileAtomically(to, encode(list));
}

QList<AppointmentRecord> TravelDataStore::LoadAppointments(const RecordKey& stageKey)
{
    if (!IsSafeKey(stageKey))
        return {};
    return loadList(m_folder.appointmentFile(stageKey), &RecordCodec::decodeAppointments).items;
}

Outcome TravelDataStore::SaveAppointments(const RecordKey& stageKey,
                                          const QList<AppointmentRecord>& items)
{
    if (!IsSafeKey(stageKey))
        return unsafe(m_folder.path(), stageKey);
    const QString fileName = DataFolder::appointmentFileName(stageKey);
    Outcome outcome = SaveFileAtomically(
        m_folder.filePath(fileName), RecordCodec::encodeAppointments(RecordCodec::listOf(items)));
    if (!outcome.ok())
        return outcome;
    clearProblem(fileName);
    return SaveFileAtomically(m_folder.markerFile(), RecordCodec::encodeMarker(1));
}

int TravelDataStore::CountAppointments(const RecordKey& stageKey)
{
    return int(LoadAppointments(stageKey).size());
}

Outcome TravelDataStore::CopyAppointments(const RecordKey& oldStageKey,
                                          const RecordKey& newStageKey)
{
    if (!IsSafeKey(oldStageKey) || !IsSafeKey(newStageKey))
        return unsafe(m_folder.path(), IsSafeKey(oldStageKey) ? newStageKey : oldStageKey);
    return copyList(m_folder.appointmentFile(oldStageKey), m_folder.appointmentFile(newStageKey),
                    &RecordCodec::decodeAppointments, &RecordCodec::encodeAppointments);
}

QList<CheckListItem> TravelDataStore::LoadCheckList(const RecordKey& travelKey)
{
    if (!IsSafeKey(travelKey))
        return {};
    return loadList(m_folder.checkListFile(travelKey), &RecordCodec::decodeCheckList).items;
}

Outcome TravelDataStore::SaveCheckList(const RecordKey& travelKey,
                                       const QList<CheckListItem>& items, CheckedValues values)
{
    if (!IsSafeKey(travelKey))
        return unsafe(m_folder.path(), travelKey);
    QList<CheckListItem> normalised = items;
    if (values == CheckedValues::ZeroOrOne) {
        for (CheckListItem& item : normalised)
            item.checked = item.checked != 0 ? 1 : 0;
    }
    const QString fileName = DataFolder::checkListFileName(travelKey);
    Outcome outcome = SaveFileAtomically(
        m_folder.filePath(fileName), RecordCodec::encodeCheckList(RecordCodec::listOf(normalised)));
    if (outcome.ok())
        clearProblem(fileName);
    return outcome;
}

CheckListCount TravelDataStore::CountCheckList(const RecordKey& travelKey)
{
    CheckListCount count;
    for (const CheckListItem& item : LoadCheckList(travelKey)) {
        ++count.total;
        count.checked += item.checked != 0 ? 1 : 0;
    }
    return count;
}

QString TravelDataStore::CheckListCaption(const RecordKey& travelKey)
{
    const CheckListCount count = CountCheckList(travelKey);
    if (count.total == 0)
        return QStringLiteral("Check List");
    return QStringLiteral("%1 [%2/%3]")
        .arg(QStringLiteral("Check List"))
        .arg(count.checked)
        .arg(count.total);
}

Outcome TravelDataStore::CopyCheckList(const RecordKey& oldTravelKey, const RecordKey& newTravelKey)
{
    if (!IsSafeKey(oldTravelKey) || !IsSafeKey(newTravelKey))
        return unsafe(m_folder.path(), IsSafeKey(oldTravelKey) ? newTravelKey : oldTravelKey);
    return copyList(m_folder.checkListFile(oldTravelKey), m_folder.checkListFile(newTravelKey),
                    &RecordCodec::decodeCheckList, &RecordCodec::encodeCheckList);
}

QList<ExpenseRecord> TravelDataStore::LoadExpenses(const RecordKey& travelKey)
{
    if (!IsSafeKey(travelKey))
        return {};
    return loadList(m_folder.expensesFile(travelKey), &RecordCodec::decodeExpenses).items;
}

Outcome TravelDataStore::SaveExpenses(const RecordKey& travelKey, const QList<ExpenseRecord>& lines)
{
    if (!IsSafeKey(travelKey))
        return unsafe(m_folder.path(), travelKey);
    const QString fileName = DataFolder::expensesFileName(travelKey);
    Outcome outcome = SaveFileAtomically(m_folder.filePath(fileName),
                                         RecordCodec::encodeExpenses(RecordCodec::listOf(lines)));
    if (outcome.ok())
        clearProblem(fileName);
    return outcome;
}

ExpenseCount TravelDataStore::CountExpenses(const RecordKey& travelKey)
{
    ExpenseCount count;
    for (const ExpenseRecord& line : LoadExpenses(travelKey)) {
        ++count.total;
        if (line.purchased != 0) {
            ++count.purchased;
            count.purchasedSum += line.total;
        }
    }
    return count;
}

QString TravelDataStore::ExpensesCaption(const RecordKey& travelKey)
{
    const ExpenseCount count = CountExpenses(travelKey);
    if (count.total == 0)
        return QStringLiteral("Expense List");
    return QStringLiteral("%1 [%2/%3] - %4")
        .arg(QStringLiteral("Expenses"))
        .arg(count.purchased)
        .arg(count.total)
        .arg(m_formats.FormatAmount(count.purchasedSum));
}

Outcome TravelDataStore::CopyExpenses(const RecordKey& oldTravelKey, const RecordKey& newTravelKey)
{
    if (!IsSafeKey(oldTravelKey) || !IsSafeKey(newTravelKey))
        return unsafe(m_folder.path(), IsSafeKey(oldTravelKey) ? newTravelKey : oldTravelKey);
    return copyList(m_folder.expensesFile(oldTravelKey), m_folder.expensesFile(newTravelKey),
                    &RecordCodec::decodeExpenses, &RecordCodec::encodeExpenses);
}

Outcome TravelDataStore::WritePreferenceList(const QString& text, int listNumber)
{
    QStringList items = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString fileName = DataFolder::preferenceFileName(listNumber);
    Outcome outcome =
        SaveFileAtomically(m_folder.filePath(fileName), RecordCodec::encodePreferenceList(items));
    if (outcome.ok())
        clearProblem(fileName);
    return outcome;
}

QStringList TravelDataStore::ReadPreferenceList(int listNumber)
{
    QStringList items;
    readListFile(m_folder.preferenceFile(listNumber), [&](ArchiveReader& reader) {
        return RecordCodec::decodePreferenceList(reader, items);
    });
    return items;
}

Outcome TravelDataStore::EnsureDefaultPreferences()
{
    if (!ListRecordFiles(m_folder.path(), QStringLiteral("prf")).isEmpty())
        return {};
    return writeDefaultPreferences();
}

Outcome TravelDataStore::writeDefaultPreferences()
{
    for (int number = 1; number <= PreferenceListCount; ++number) {
        if (Outcome written = WritePreferenceList(DefaultPreferenceText(number), number);
            !written.ok())
            return written;
    }
    return {};
}
