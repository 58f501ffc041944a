#pragma once

#include <QDateTime>
#include <QtGlobal>

// A stored date-time: days since midnight of 30 December 1899 (the fraction is the
// time of day) and a status. Before that midnight the day part is negative while the
// fraction still counts the time of day forward, so -1.25 is 29 December 1899, 06:00.
struct DateTimeValue {
    enum Status : qint32 { Valid = 0, Invalid = 1, Null = 2 };

    double days = 0.0;
    qint32 status = Valid;

    // The date and time of day the value shows (its wall-clock fields, whatever its time
    // zone); invalid when either is not valid.
    static DateTimeValue fromDateTime(const QDateTime& dateTime);
    static DateTimeValue fromDate(QDate date, QTime time = QTime(0, 0));
    // The current local date-time, to the second.
    static DateTimeValue current();

    bool isValid() const { return status == Valid; }
    // Whether days names a calendar moment at all (finite and within QDate's range).
    bool hasCalendarValue() const;
    // The stored date and time of day, rounded to the second; invalid when there is none.
    // A stored value is a wall-clock time with no zone: it reads the same in every time
    // zone, also where the local clock skips that hour.
    QDate date() const;
    QTime time() const;
    // Both as one QDateTime in UTC, which has no such gaps: for formatting and for
    // arithmetic on the stored fields.
    QDateTime toWallClock() const;
    // The same fields in local time. Not valid for a time the local clock skips (a
    // daylight-saving gap): show and export values through the three above.
    QDateTime toDateTime() const;
    // A number that orders values chronologically: day plus time of day.
    double chronologicalValue() const;

    // Both parts bit for bit, as they would be written.
    bool operator==(const DateTimeValue& other) const;
};

// Strictly earlier in time, comparing day plus time of day. False when either is NaN.
bool chronologicallyBefore(const DateTimeValue& a, const DateTimeValue& b);
