#include "Booking.h"

#include <QJsonObject>
#include <QRegularExpression>
#include <QTimeZone>

#include <cstdlib>

namespace {

QString text(const QJsonObject& object, const char* name)
{
    return object.value(QLatin1String(name)).toString().trimmed();
}

QJsonObject objectOf(const QJsonObject& object, const char* name)
{
    return object.value(QLatin1String(name)).toObject();
}

// "Seestrasse 1, 8002 Zürich, CH"
QString addressOf(const QJsonObject& place)
{
    const QJsonValue value = place.value(QLatin1String("address"));
    if (value.isString())
        return value.toString().trimmed();
    const QJsonObject address = value.toObject();
    return JoinPresent({text(address, "streetAddress"),
                        JoinPresent({text(address, "postalCode"), text(address, "addressLocality")},
                                    QStringLiteral(" ")),
                        text(address, "addressCountry")},
                       QStringLiteral(", "));
}

QString cityOf(const QJsonObject& place)
{
    return text(objectOf(place, "address"), "addressLocality");
}

// An airport, station, stop or terminal by its name, else by its code.
QString placeName(const QJsonObject& place)
{
    QString name = text(place, "name");
    if (name.isEmpty())
        name = text(place, "iataCode");
    if (name.isEmpty())
        name = addressOf(place);
    return name;
}

QString placeCode(const QJsonObject& place)
{
    const QString code = text(place, "iataCode");
    return code.isEmpty() ? placeName(place) : code;
}

QString seatOf(const QJsonObject& reservation)
{
    const QString airplaneSeat = text(reservation, "airplaneSeat");
    if (!airplaneSeat.isEmpty())
        return airplaneSeat;
    const QJsonObject seat = objectOf(objectOf(reservation, "reservedTicket"), "ticketedSeat");
    const QString number = text(seat, "seatNumber");
    const QString section = text(seat, "seatSection");
    if (section.isEmpty())
        return number;
    return number.isEmpty() ? QStringLiteral("coach %1").arg(section)
                            : QStringLiteral("%1, coach %2").arg(number, section);
}

QString passengerOf(const QJsonObject& reservation)
{
    const QJsonObject person = objectOf(reservation, "underName");
    const QString name = text(person, "name");
    return name.isEmpty() ? JoinPresent({text(person, "givenName"), text(person, "familyName")},
                                        QStringLiteral(" "))
                          : name;
}

// The names each kind of trip gives its vehicle, places and times.
struct LegFields {
    BookingKind kind;
    const char* reservationType;
    const char* numberField;
    const char* nameField;
    const char* departurePlace;
    const char* arrivalPlace;
};

const LegFields legFields[] = {
    {BookingKind::Flight, "FlightReservation", "flightNumber", nullptr, "departureAirport",
     "arrivalAirport"},
    {BookingKind::Train, "TrainReservation", "trainNumber", "trainName", "departureStation",
     "arrivalStation"},
    {BookingKind::Bus, "BusReservation", "busNumber", "busName", "departureBusStop",
     "arrivalBusStop"},
    {BookingKind::Boat, "BoatReservation", nullptr, "name", "departureBoatTerminal",
     "arrivalBoatTerminal"},
};

// "LH 400", "ICE 73", "IC 2 Riviera"
QString serviceOf(const LegFields& fields, const QJsonObject& trip)
{
    if (fields.kind == BookingKind::Flight) {
        const QString airline = text(objectOf(trip, "airline"), "iataCode");
        const QString number = text(trip, "flightNumber");
        if (number.startsWith(airline))
            return number;
        return JoinPresent({airline, number}, QStringLiteral(" "));
    }
    const QString number = fields.numberField ? text(trip, fields.numberField) : QString();
    const QString name = text(trip, fields.nameField);
    if (name.isEmpty() || number.contains(name))
        return number;
    if (name.contains(number))
        return name;
    return JoinPresent({name, number}, QStringLiteral(" "));
}

Booking legOf(const LegFields& fields, const QJsonObject& reservation)
{
    const QJsonObject trip = objectOf(reservation, "reservationFor");
    const QJsonObject departure = objectOf(trip, fields.departurePlace);
    Booking booking;
    booking.kind = fields.kind;
    booking.service = serviceOf(fields, trip);
    booking.from = placeName(departure);
    booking.fromCode = placeCode(departure);
    booking.to = placeName(objectOf(trip, fields.arrivalPlace));
    booking.seat = seatOf(reservation);
    booking.start = ReadBookingTime(trip.value(QLatin1String("departureTime")));
    if (!booking.start.isValid()) // a boarding pass gives the day alone
        booking.start = ReadBookingTime(trip.value(QLatin1String("departureDay")));
    booking.end = ReadBookingTime(trip.value(QLatin1String("arrivalTime")));
    return booking;
}

std::optional<Booking> bookingOf(const QJsonObject& reservation)
{
    const QString type = text(reservation, "@type");
    for (const LegFields& fields : legFields) {
        if (type == QLatin1String(fields.reservationType))
            return legOf(fields, reservation);
    }
    const QJsonObject subject = objectOf(reservation, "reservationFor");
    Booking booking;
    if (type == QLatin1String("LodgingReservation")) {
        booking.kind = BookingKind::Lodging;
        booking.name = text(subject, "name");
        booking.address = addressOf(subject);
        booking.city = cityOf(subject);
        booking.start = ReadBookingTime(reservation.value(QLatin1String("checkinTime")));
        booking.end = ReadBookingTime(reservation.value(QLatin1String("checkoutTime")));
    } else if (type == QLatin1String("EventReservation")) {
        booking.kind = BookingKind::Event;
        booking.name = text(subject, "name");
        const QJsonObject location = objectOf(subject, "location");
        booking.from = text(location, "name");
        booking.address = addressOf(location);
        booking.city = cityOf(location);
        booking.start = ReadBookingTime(subject.value(QLatin1String("startDate")));
        booking.end = ReadBookingTime(subject.value(QLatin1String("endDate")));
    } else if (type == QLatin1String("FoodEstablishmentReservation")) {
        booking.kind = BookingKind::Restaurant;
        booking.name = text(subject, "name");
        booking.address = addressOf(subject);
        booking.city = cityOf(subject);
        booking.start = ReadBookingTime(reservation.value(QLatin1String("startTime")));
        booking.end = ReadBookingTime(reservation.value(QLatin1String("endTime")));
    } else if (type == QLatin1String("TaxiReservation")) {
        booking.kind = BookingKind::Taxi;
        booking.name = text(objectOf(subject, "provider"), "name");
        booking.from = placeName(objectOf(reservation, "pickupLocation"));
        booking.start = ReadBookingTime(reservation.value(QLatin1String("pickupTime")));
    } else if (type == QLatin1String("RentalCarReservation")) {
        booking.kind = BookingKind::RentalCar;
        booking.name =
            JoinPresent({text(objectOf(subject, "rentalCompany"), "name"), text(subject, "name")},
                        QStringLiteral(" "));
        booking.from = placeName(objectOf(reservation, "pickupLocation"));
        booking.to = placeName(objectOf(reservation, "dropoffLocation"));
        booking.start = ReadBookingTime(reservation.value(QLatin1String("pickupTime")));
        booking.end = ReadBookingTime(reservation.value(QLatin1String("dropoffTime")));
    } else {
        return std::nullopt;
    }
    booking.fromCode = booking.name.isEmpty() ? booking.from : booking.name;
    return booking;
}

QDateTime wallClockOf(const QDateTime& dateTime)
{
    return QDateTime(dateTime.date(), dateTime.time(), QTimeZone::utc());
}

// An ISO 8601 date, or date and time with "Z", an offset or nothing after it; read by
// its fields, so that no local time zone of this computer comes into it.
struct IsoTime {
    QDate date;
    QTime time{0, 0};
    bool dateOnly = false;
    bool utc = false;
    std::optional<int> offsetSeconds;
};

std::optional<IsoTime> readIsoTime(QString given)
{
    IsoTime read;
    read.date = QDate::fromString(given.left(10), Qt::ISODate);
    if (!read.date.isValid())
        return std::nullopt;
    if (given.size() == 10) {
        read.dateOnly = true;
        return read;
    }
    if (given.at(10) != QLatin1Char('T') && given.at(10) != QLatin1Char(' '))
        return std::nullopt;
    given = given.mid(11);
    if (given.endsWith(QLatin1Char('Z'))) {
        read.utc = true;
        read.offsetSeconds = 0;
        given.chop(1);
    } else {
        // "+01:00", "-0500", "+01"
        static const QRegularExpression offset(QStringLiteral("([+-])(\\d{2}):?(\\d{2})?$"));
        const QRegularExpressionMatch match = offset.match(given);
        if (match.hasMatch() && match.capturedStart() >= 5) {
            const int seconds = match.captured(2).toInt() * 3600 + match.captured(3).toInt() * 60;
            read.offsetSeconds = match.captured(1) == QLatin1String("-") ? -seconds : seconds;
            given.truncate(match.capturedStart());
        }
    }
    read.time = QTime::fromString(given, Qt::ISODateWithMs);
    if (!read.time.isValid())
        return std::nullopt;
    return read;
}

} // namespace

QString JoinPresent(QStringList parts, const QString& separator)
{
    parts.removeAll(QString());
    return parts.join(separator);
}

QDateTime BookingTime::instant() const
{
    return offsetSeconds ? wallClock.addSecs(-*offsetSeconds) : wallClock;
}

BookingTime ReadBookingTime(const QJsonValue& value)
{
    QString given = value.toString();
    QTimeZone zone;
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        given = object.value(QLatin1String("@value")).toString();
        zone = QTimeZone(object.value(QLatin1String("timezone")).toString().toUtf8());
    }
    BookingTime time;
    const std::optional<IsoTime> read = readIsoTime(given.trimmed());
    if (!read)
        return time;
    time.wallClock = QDateTime(read->date, read->time, QTimeZone::utc());
    time.dateOnly = read->dateOnly;
    if (zone.isValid())
        time.zone = QString::fromUtf8(zone.id());
    if (read->dateOnly)
        return time;
    if (read->utc && zone.isValid()) { // UTC, in a zone: that zone's wall clock then
        const QDateTime moment = time.wallClock;
        time.wallClock = wallClockOf(moment.toTimeZone(zone));
        time.offsetSeconds = zone.offsetFromUtc(moment);
    } else if (read->offsetSeconds) { // its own wall clock
        time.offsetSeconds = read->offsetSeconds;
    } else if (zone.isValid()) { // floating, in a zone: its wall clock there
        const QDateTime there(read->date, read->time, zone);
        if (there.isValid())
            time.offsetSeconds = there.offsetFromUtc();
    }
    return time;
}

QString UtcOffsetText(int offsetSeconds)
{
    if (offsetSeconds == 0)
        return QStringLiteral("UTC");
    const int minutes = std::abs(offsetSeconds) / 60;
    QString text = QStringLiteral("UTC") + (offsetSeconds < 0 ? QChar(0x2212) : QChar(u'+')) +
                   QString::number(minutes / 60);
    if (minutes % 60 != 0)
        text += QStringLiteral(":%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return text;
}

bool IsLeg(BookingKind kind)
{
    return kind == BookingKind::Flight || kind == BookingKind::Train || kind == BookingKind::Bus ||
           kind == BookingKind::Boat;
}

QString KindWord(BookingKind kind)
{
    switch (kind) {
    case BookingKind::Flight:
        return QStringLiteral("flight");
    case BookingKind::Train:
        return QStringLiteral("train");
    case BookingKind::Bus:
        return QStringLiteral("bus");
    case BookingKind::Boat:
        return QStringLiteral("boat");
    case BookingKind::Lodging:
        return QStringLiteral("hotel");
    case BookingKind::Event:
        return QStringLiteral("event");
    case BookingKind::Restaurant:
        return QStringLiteral("restaurant");
    case BookingKind::Taxi:
        return QStringLiteral("taxi");
    case BookingKind::RentalCar:
        return QStringLiteral("rental car");
    }
    return {};
}

QList<Booking> BookingsFromJsonLd(const QJsonArray& reservations)
{
    QList<Booking> bookings;
    for (const QJsonValue& entry : reservations) {
        const QJsonObject reservation = entry.toObject();
        std::optional<Booking> booking = bookingOf(reservation);
        if (!booking || !booking->start.isValid())
            continue;
        booking->number = text(reservation, "reservationNumber");
        booking->passenger = passengerOf(reservation);
        bookings.append(*booking);
    }
    return bookings;
}
