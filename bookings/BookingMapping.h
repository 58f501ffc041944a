#pragma once

#include "Booking.h"
#include "TravelDataStore.h"

// Bookings become stages and appointments of a travel:
// - a flight, train, bus or boat: one stage per leg ("LH 400 Frankfurt → New York JFK")
//   at the departure place on the departure day, with the appointments "Departure" and
//   "Arrival", each at its own place's wall-clock time;
// - a hotel: a stage at its address on the check-in day with "Check-in" and "Check-out";
// - a rental car: a stage with "Pick-up" and "Drop-off";
// - an event, a restaurant table or a taxi: an appointment on the travel's stage of that
//   day, or on a new stage when there is none.
// Each stage and appointment a booking made carries a line "Booking: NUMBER (...)" in its
// notes, by which the same booking imported again is found: its records are changed,
// not made twice.

// The five columns of a booking's preview: kind, when ("yyyy-MM-dd HH:mm", the local time
// where it happens), from → to, booking number, seat.
QStringList BookingPreview(const Booking& booking);

// The line in the notes that tells which booking a stage or appointment belongs to;
// empty for a booking without a number.
QString BookingMarker(const Booking& booking);

struct BookingImport {
    RecordKey travelKey;
    bool travelMade = false;
    QList<RecordKey> stagesMade;
    QList<RecordKey> stagesChanged;
    Outcome outcome;
};

// Writes the bookings, in the order of their times, into the travel given. Without one,
// into the travel that holds the first of them already, or else into a new travel
// "Trip to <destination of the first leg>" that spans them all. A new travel that cannot
// be written whole is removed again.
BookingImport ImportBookings(TravelDataStore& store, QList<Booking> bookings,
                             const RecordKey& travelKey = {});

// Bookings in the order of their times (the moment in UTC where the zone is known).
void SortBookings(QList<Booking>& bookings);
