#pragma once

#include "ImageRecords.h"
#include "RecordFile.h"
#include "Records.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

// Records as JSON objects, one member per field, named as the fields are.
namespace RecordJson {

// {"status": S, "days": D}; D reads back to the same bits: a number, or where no JSON
// number would, "Infinity", "-Infinity", "NaN" (the quiet NaN) or "0x" and the 16 hex
// digits of the double's bits.
QJsonObject toJson(const DateTimeValue& value);
QJsonObject toJson(const TravelRecord& travel);
QJsonObject toJson(const StageRecord& stage);
QJsonObject toJson(const AppointmentRecord& appointment);
QJsonObject toJson(const CheckListItem& item);
QJsonObject toJson(const ExpenseRecord& expense);
QJsonObject toJson(const StoredImageCategory& category);

// A whole decoded file, as `voyanta-cli dump` prints it.
QJsonObject fileToJson(const DecodedRecord& record);

// Reads records back from the objects above. A member that is absent keeps the
// record's value; one of the wrong type fails, naming the member in *error, as does a
// valid date-time outside the years 100 to 9999.
bool fromJson(const QJsonObject& object, TravelRecord& travel, QString* error);
bool fromJson(const QJsonObject& object, StageRecord& stage, QString* error);
bool fromJson(const QJsonObject& object, AppointmentRecord& appointment, QString* error);
bool fromJson(const QJsonObject& object, CheckListItem& item, QString* error);
bool fromJson(const QJsonObject& object, ExpenseRecord& expense, QString* error);
// At most LinksPerCategory links, as a category holds.
bool fromJson(const QJsonObject& object, StoredImageCategory& category, QString* error);

} // namespace RecordJson
