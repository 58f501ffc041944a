#pragma once

#include "DateTimeValue.h"
#include "ForeignPrice.h"
#include "RecordKey.h"

#include <QList>
#include <QString>

#include <optional>

// The records, fields in their file order. A default-constructed record is a new
// record: empty texts, zero numbers, date-times set to the current moment.

struct TravelRecord {
    TravelRecord() : TravelRecord(DateTimeValue::current()) {}
    // A record whose start and end are the given value, for readers that fill it.
    explicit TravelRecord(DateTimeValue startAndEnd) : start(startAndEnd), end(startAndEnd) {}

    RecordKey key;
    QString title;
    QString mode;
    QString from;
    QString destination;
    QString notes;
    DateTimeValue start;
    DateTimeValue end;
    QString priority;
    QString status;
    QString type;
    QString ticketNo;
    QString seatNo;
    qint32 icon = 0;

    bool operator==(const TravelRecord&) const = default;
};

struct StageRecord {
    StageRecord() : StageRecord(DateTimeValue::current()) {}
    explicit StageRecord(DateTimeValue date) : date(date) {}

    RecordKey key; // the travel's key followed by a record key
    RecordKey travelKey;
    QString title;
    DateTimeValue date;
    QString place;
    QString notes;

    bool operator==(const StageRecord&) const = default;
};

struct AppointmentRecord {
    AppointmentRecord() : AppointmentRecord(DateTimeValue::current()) {}
    explicit AppointmentRecord(DateTimeValue when) : when(when) {}

    DateTimeValue when;
    QString subject;
    QString location;
    QString notes;

    bool operator==(const AppointmentRecord&) const = default;
};

struct CheckListItem {
    QString text;
    qint32 checked = 0; // non-zero means checked

    bool operator==(const CheckListItem&) const = default;
};

struct ExpenseRecord {
    QString product;
    double quantity = 0.0;
    QString unit;
    double pricePerUnit = 0.0;
    double total = 0.0;
    qint32 purchased = 0; // non-zero means purchased
    // Not part of the expense file: kept in the travel's currency side file, for an
    // expense paid in another currency than the working directory's home currency.
    std::optional<ForeignPrice> foreign = std::nullopt;

    bool operator==(const ExpenseRecord&) const = default;
};

// A list file's elements plus the count as it was stored, which a copy writes back
// unchanged (a count of 0 or below is an empty list).
template <typename T> struct StoredList {
    qint32 storedCount = 0;
    QList<T> items;
};

enum class PreferenceList : int {
    Mode = 1,
    Priority = 2,
    Status = 3,
    Type = 4,
    Products = 5,
    Units = 6,
    MasterList = 7,
};
constexpr int PreferenceListCount = 7;
