#pragma once

#include "Archive.h"
#include "ImageRecords.h"
#include "Records.h"

#include <QByteArray>
#include <QStringList>

// The byte layout of every record file. Encoders return the whole file; decoders read
// one file's fields from a reader and return false at the first field that is not
// there whole (the reader then holds the cause). A list decoder keeps the elements read
// before the failure. Bytes after the last field are left to the caller to judge.
namespace RecordCodec {

// Smallest size of one list element in bytes, for checking stored counts.
constexpr qsizetype minAppointmentSize = 12 + 3;
constexpr qsizetype minCheckListItemSize = 1 + 4;
constexpr qsizetype minExpenseSize = 1 + 8 + 1 + 8 + 8 + 4;
constexpr qsizetype minPreferenceItemSize = 1;
constexpr qsizetype minImageCategorySize = 6 + 4;
constexpr qsizetype minImageLinkSize = 7;

QByteArray encodeTravel(const TravelRecord& travel);
bool decodeTravel(ArchiveReader& reader, TravelRecord& travel);

QByteArray encodeStage(const StageRecord& stage);
bool decodeStage(ArchiveReader& reader, StageRecord& stage);

// List encoders write storedCount as it is and then every item.
QByteArray encodeAppointments(const StoredList<AppointmentRecord>& list);
bool decodeAppointments(ArchiveReader& reader, StoredList<AppointmentRecord>& list);

QByteArray encodeCheckList(const StoredList<CheckListItem>& list);
bool decodeCheckList(ArchiveReader& reader, StoredList<CheckListItem>& list);

QByteArray encodeExpenses(const StoredList<ExpenseRecord>& list);
bool decodeExpenses(ArchiveReader& reader, StoredList<ExpenseRecord>& list);

QByteArray encodePreferenceList(const QStringList& items);
bool decodePreferenceList(ArchiveReader& reader, QStringList& items);

// The marker file beside the appointment lists: one integer.
QByteArray encodeMarker(qint32 value);
bool decodeMarker(ArchiveReader& reader, qint32& value);

// Links marked removed are left out and not counted.
QByteArray encodeImageCategories(const QList<StoredImageCategory>& categories);
bool decodeImageCategories(ArchiveReader& reader, QList<StoredImageCategory>& categories);

// A list made from items in memory: its count is the number of items.
template <typename T> StoredList<T> listOf(QList<T> items)
{
    StoredList<T> list;
    list.storedCount = qint32(items.size());
    list.items = std::move(items);
    return list;
}

} // namespace RecordCodec
