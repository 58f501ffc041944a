#pragma once

#include <QDateTime>
#include <QJsonArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A time as a booking gives it: the wall-clock time at the place where it happens and,
// when the booking says, that place's offset from UTC and its time zone.
struct BookingTime {
    // The local date and time at the place, held as UTC fields so that no
    // daylight-saving gap of this computer's zone can touch them.
    QDateTime wallClock;
    std::optional<int> offsetSeconds; // the place's offset from UTC at that time
    QString zone;                     // the place's zone ("Europe/Berlin"), when named
    bool dateOnly = false;            // the booking gives the day alone

    bool isValid() const { return wallClock.isValid(); }
    // The moment in UTC when the offset is known, else the wall-clock time itself:
    // what bookings are ordered by.
    QDateTime instant() const;
};

// Reads a time of the extractor's output: a text with an offset
// ("2027-03-10T08:50:00+01:00"), in UTC ("...Z"), floating (no zone) or a date alone,
// or an object {"@type": "QDateTime", "@value": ..., "timezone": "Europe/Berlin"}. A
// time with an offset keeps its own wall clock; a UTC or floating time in an object that
// names a zone is taken as that zone's wall clock.
BookingTime ReadBookingTime(const QJsonValue& value);

// "UTC+1", "UTC−5", "UTC+5:30" (with a minus sign), "UTC" for no offset.
QString UtcOffsetText(int offsetSeconds);
// The parts that are not empty, joined by the separator.
QString JoinPresent(QStringList parts, const QString& separator);

enum class BookingKind { Flight, Train, Bus, Boat, Lodging, Event, Restaurant, Taxi, RentalCar };

// Whether the booking is a journey from one place to another: a flight, a train, a bus
// or a boat.
bool IsLeg(BookingKind kind);
// "flight", "train", "bus", "boat", "hotel", "event", "restaurant", "taxi", "rental car".
QString KindWord(BookingKind kind);

// One reservation, in the terms the planner keeps.
struct Booking {
    BookingKind kind = BookingKind::Flight;
    QString number;  // the booking number (reservationNumber)
    QString seat;    // for legs
    QString service; // "LH 400", "ICE 73": carrier and number of a leg
    QString name;    // the hotel, event, restaurant, taxi or rental company
    QString from;    // where a leg departs, a car is picked up, the hotel or event is
    QString to;      // where a leg arrives, a car is dropped off
    // What tells this departure place from others: its airport code or its name.
    QString fromCode;
    QString address; // of the hotel, event or restaurant
    QString city;    // of the hotel, event or restaurant
    QString passenger;
    BookingTime start; // departure, check-in, pick-up, start
    BookingTime end;   // arrival, check-out, drop-off, end; invalid when not given
};

// The reservations of the extractor's JSON-LD array, in its order; entries of other
// types and reservations without any time are skipped.
QList<Booking> BookingsFromJsonLd(const QJsonArray& reservations);
