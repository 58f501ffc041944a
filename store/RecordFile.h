#pragma once

#include "Archive.h"
#include "ImageRecords.h"
#include "Records.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// Any record file of the planner, decoded by the kind its extension names.
enum class RecordFileKind {
    Travel,          // .tra
    Stage,           // .stg
    Appointments,    // .apt
    CheckList,       // .chk
    Expenses,        // .exp
    Preference,      // .prf
    Marker,          // .alm
    ImageCategories, // .img
};

std::optional<RecordFileKind> RecordFileKindOf(const QString& fileName);

using DecodedRecord = std::variant<TravelRecord, StageRecord, StoredList<AppointmentRecord>,
                                   StoredList<CheckListItem>, StoredList<ExpenseRecord>,
                                   QStringList, qint32, QList<StoredImageCategory>>;

struct DecodedFile {
    DecodedRecord record;
    // Set when the file is cut short or malformed; the record then holds what was read.
    std::optional<ReadError> error;
    // Bytes the fields took; the rest of the file follows its last field.
    qsizetype used = 0;
    qsizetype size = 0;
};

DecodedFile DecodeRecordFile(RecordFileKind kind, const QByteArray& bytes);
