#include "TravelDataStore.h"

#include "FolderListing.h"
#include "PreferenceDefaults.h"
#include "RecordCodec.h"
#include "SaveFile.h"

#include <QFileInfo>

void TravelDataStore::readListFile(const QString& path,
                                   const std::function<bool(ArchiveReader&)>& decode)
{
    const QString fileName = QFileInfo(path).fileName();
    QString reason;
    auto bytes = ReadWholeFile(path, &reason);
    if (!bytes) {
        if (QFileInfo::exists(path)) {
            noteProblem(fileName, QStringLiteral("unreadable: %1").arg(reason));
            return;
        }
        // The file is gone: a conflict copy a sync engine left stands in for it.
        bytes = readNewestCopy(QFileInfo(path).path(), fileName);
        if (!bytes)
            return;
    } else {
        m_readFromCopy.remove(fileName);
    }
    ArchiveReader reader(*bytes);
    if (decode(reader))
        clearProblem(fileName);
    else
        noteProblem(fileName, reader.error()->cause);
}

template <typename T>
QList<T> TravelDataStore::loadListFile(const RecordKey& key, QString (*fileName)(const QString&),
                                       bool (*decode)(ArchiveReader&, StoredList<T>&))
{
    if (!IsSafeKey(key))
        return {};
    StoredList<T> list;
    readListFile(m_folder.filePath(fileName(key)),
                 [&](ArchiveReader& reader) { return decode(reader, list); });
    return list.items;
}

// Copies a list file value by value. A source that is not there creates nothing; one
// that cannot be read whole fails the copy.
template <typename T>
Outcome TravelDataStore::copyListFile(const RecordKey& oldKey, const RecordKey& newKey,
                                      QString (*fileName)(const QString&),
                                      bool (*decode)(ArchiveReader&, StoredList<T>&),
                                      QByteArray (*encode)(const StoredList<T>&))
{
    if (!IsSafeKey(oldKey) || !IsSafeKey(newKey))
        return unsafeKey(IsSafeKey(oldKey) ? newKey : oldKey);
    const QString source = m_folder.filePath(fileName(oldKey));
    QString reason;
    const auto bytes = ReadWholeFile(source, &reason);
    if (!bytes) {
        if (!NameTaken(source))
            return {};
        noteProblem(fileName(oldKey), QStringLiteral("unreadable: %1").arg(reason));
        return Outcome::failure(source, reason);
    }
    ArchiveReader reader(*bytes);
    StoredList<T> list;
    if (!decode(reader, list)) {
        // A copy of part of a list would pass for the whole list.
        noteProblem(fileName(oldKey), reader.error()->cause);
        return Outcome::failure(source, reader.error()->cause);
    }
    return writeDataFile(fileName(newKey), encode(list));
}

QList<AppointmentRecord> TravelDataStore::LoadAppointments(const RecordKey& stageKey)
{
    return loadListFile(stageKey, &DataFolder::appointmentFileName,
                        &RecordCodec::decodeAppointments);
}

Outcome TravelDataStore::SaveAppointments(const RecordKey& stageKey,
                                          const QList<AppointmentRecord>& items)
{
    const ChangeNote note{*this, GetStage(stageKey).travelKey};
    if (!IsSafeKey(stageKey))
        return unsafeKey(stageKey);
    if (Outcome there = requireStage(stageKey); !there.ok())
        return there;
    if (Outcome saved = writeDataFile(DataFolder::appointmentFileName(stageKey),
                                      RecordCodec::encodeAppointments(RecordCodec::listOf(items)));
        !saved.ok())
        return saved;
    return markAppointmentsWritten();
}

Outcome TravelDataStore::markAppointmentsWritten()
{
    // A marker that says so already is not written again: a write costs a flush to disk,
    // and one for each stage made by an import of many would be most of its time.
    const QByteArray marker = RecordCodec::encodeMarker(1);
    if (ReadWholeFile(m_folder.filePath(DataFolder::markerFileName())) == marker)
        return {};
    return writeDataFile(DataFolder::markerFileName(), marker);
}

int TravelDataStore::CountAppointments(const RecordKey& stageKey)
{
    return int(LoadAppointments(stageKey).size());
}

Outcome TravelDataStore::CopyAppointments(const RecordKey& oldStageKey,
                                          const RecordKey& newStageKey)
{
    const ChangeNote note{*this, GetStage(newStageKey).travelKey};
    return copyListFile(oldStageKey, newStageKey, &DataFolder::appointmentFileName,
                        &RecordCodec::decodeAppointments, &RecordCodec::encodeAppointments);
}

QList<CheckListItem> TravelDataStore::LoadCheckList(const RecordKey& travelKey)
{
    return loadListFile(travelKey, &DataFolder::checkListFileName, &RecordCodec::decodeCheckList);
}

Outcome TravelDataStore::SaveCheckList(const RecordKey& travelKey,
                                       const QList<CheckListItem>& items, CheckedValues values)
{
    const ChangeNote note{*this, travelKey};
    if (!IsSafeKey(travelKey))
        return unsafeKey(travelKey);
    if (Outcome there = requireTravel(travelKey); !there.ok())
        return there;
    QList<CheckListItem> written = items;
    if (values == CheckedValues::ZeroOrOne) {
        for (CheckListItem& item : written)
            item.checked = item.checked != 0 ? 1 : 0;
    }
    return writeDataFile(DataFolder::checkListFileName(travelKey),
                         RecordCodec::encodeCheckList(RecordCodec::listOf(written)));
}

CheckListCount TravelDataStore::CountCheckList(const RecordKey& travelKey)
{
    return CheckListTotals::Count(LoadCheckList(travelKey));
}

QString TravelDataStore::CheckListCaption(const RecordKey& travelKey)
{
    return CheckListTotals::Caption(CountCheckList(travelKey));
}

Outcome TravelDataStore::CopyCheckList(const RecordKey& oldTravelKey, const RecordKey& newTravelKey)
{
    const ChangeNote note{*this, newTravelKey};
    return copyListFile(oldTravelKey, newTravelKey, &DataFolder::checkListFileName,
                        &RecordCodec::decodeCheckList, &RecordCodec::encodeCheckList);
}

QList<ExpenseRecord> TravelDataStore::LoadExpenses(const RecordKey& travelKey)
{
    QList<ExpenseRecord> lines =
        loadListFile(travelKey, &DataFolder::expensesFileName, &RecordCodec::decodeExpenses);
    const QList<CurrencyEntry> setAside = applyCurrencies(travelKey, lines);
    if (setAside.isEmpty())
        m_setAsideCurrencies.remove(travelKey);
    else
        m_setAsideCurrencies.insert(travelKey, setAside);
    return lines;
}

Outcome TravelDataStore::SaveExpenses(const RecordKey& travelKey, const QList<ExpenseRecord>& lines)
{
    const ChangeNote note{*this, travelKey};
    if (!IsSafeKey(travelKey))
        return unsafeKey(travelKey);
    if (Outcome there = requireTravel(travelKey); !there.ok())
        return there;
    // Totals are kept as they are shown: to the currency's minor unit.
    QList<ExpenseRecord> rounded = lines;
    for (ExpenseRecord& line : rounded)
        line.total = ExpenseTotals::ShownTotal(line, m_formats);
    // Entries of the side file that name no line of the file as it is now stay aside;
    // a side file that cannot be read is kept beside it before it is replaced.
    const QString sideName = DataFolder::currencyFileName(travelKey);
    LoadExpenses(travelKey);
    if (!damageOf(sideName).isEmpty() && NameTaken(m_folder.filePath(sideName))) {
        if (Outcome kept = KeepDamagedCopy(sideName); !kept.ok())
            return kept;
    }
    const QList<CurrencyEntry> setAside = m_setAsideCurrencies.value(travelKey);
    if (Outcome saved = writeDataFile(DataFolder::expensesFileName(travelKey),
                                      RecordCodec::encodeExpenses(RecordCodec::listOf(rounded)));
        !saved.ok())
        return saved;
    const CurrencySideFile side = CurrencySide::Build(rounded, HomeCurrency(), setAside);
    if (side.isEmpty()) {
        clearProblem(sideName);
        return removeDataFile(m_folder.filePath(sideName));
    }
    return writeDataFile(sideName, CurrencySide::Encode(side));
}

ExpenseCount TravelDataStore::CountExpenses(const RecordKey& travelKey)
{
    return ExpenseTotals::Count(LoadExpenses(travelKey), m_formats);
}

QString TravelDataStore::ExpensesCaption(const RecordKey& travelKey)
{
    return ExpenseTotals::Caption(CountExpenses(travelKey), m_formats);
}

Outcome TravelDataStore::CopyExpenses(const RecordKey& oldTravelKey, const RecordKey& newTravelKey)
{
    const ChangeNote note{*this, newTravelKey};
    return copyListFile(oldTravelKey, newTravelKey, &DataFolder::expensesFileName,
                        &RecordCodec::decodeExpenses, &RecordCodec::encodeExpenses);
}

Outcome TravelDataStore::WritePreferenceList(const QString& text, int listNumber)
{
    const QStringList items = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return writeDataFile(DataFolder::preferenceFileName(listNumber),
                         RecordCodec::encodePreferenceList(items));
}

QStringList TravelDataStore::ReadPreferenceList(int listNumber)
{
    QStringList items;
    readListFile(m_folder.preferenceFile(listNumber), [&](ArchiveReader& reader) {
        return RecordCodec::decodePreferenceList(reader, items);
    });
    return items;
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
