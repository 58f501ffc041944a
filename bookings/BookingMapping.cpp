#include "BookingMapping.h"

#include "ChronologicalOrder.h"

#include <algorithm>
#include <optional>

namespace {

const QString arrow = QStringLiteral(" \u2192 ");
const QString lineBreak = QStringLiteral("\r\n"); // as the dialogs store notes
const QString seatPrefix = QStringLiteral("Seat: ");
const QString passengerPrefix = QStringLiteral("Passenger: ");

QStringList linesOf(const QString& notes)
{
    QString text = notes;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text.split(QLatin1Char('\n'));
}

bool holdsLine(const QString& notes, const QString& line)
{
    return !line.isEmpty() && linesOf(notes).contains(line);
}

DateTimeValue valueOf(const BookingTime& time)
{
    return DateTimeValue::fromDate(time.wallClock.date(), time.wallClock.time());
}

QString route(const Booking& booking)
{
    switch (booking.kind) {
    case BookingKind::Lodging:
    case BookingKind::Restaurant:
        return booking.name;
    case BookingKind::Event:
        return JoinPresent({booking.name, booking.from}, QStringLiteral(", "));
    case BookingKind::Taxi:
        return booking.from;
    default:
        if (booking.to.isEmpty() || booking.to == booking.from)
            return booking.from;
        return booking.from + arrow + booking.to;
    }
}

// The time as the local time where it happens, and its offset from UTC when that
// differs from the travel's first one: "10:50 local time, UTC−5".
QString zoneNote(const BookingTime& time, std::optional<int> reference)
{
    if (time.dateOnly || !time.offsetSeconds || !reference || *time.offsetSeconds == *reference)
        return {};
    return QStringLiteral("%1 local time, %2")
        .arg(time.wallClock.toString(QStringLiteral("HH:mm")), UtcOffsetText(*time.offsetSeconds));
}

struct PlannedStage {
    QString title;
    QString place;
    DateTimeValue date;
    bool dateOnly = false; // the booking gives the day alone (a boarding pass)
    QStringList noteLines; // the booking's marker first
    QList<AppointmentRecord> appointments;
};

// A stage of the travel as the import leaves it; written when the import is planned
// whole, so that the stages it makes reach the disk together.
struct WorkingStage {
    StageRecord stage;
    std::optional<QList<AppointmentRecord>> appointments; // read when first needed
    bool stageChanged = false;
    bool appointmentsChanged = false;

    bool made() const { return stage.key.isEmpty(); }
};

class Importer {
public:
    Importer(TravelDataStore& store, const QList<Booking>& bookings) : m_store(store)
    {
        for (const Booking& booking : bookings) {
            if (booking.start.offsetSeconds && !booking.start.dateOnly) {
                m_reference = booking.start.offsetSeconds;
                break;
            }
        }
    }

    BookingImport run(const QList<Booking>& bookings, const RecordKey& travelKey)
    {
        m_result.travelKey = travelKey.isEmpty() ? travelHolding(bookings) : travelKey;
        if (m_result.travelKey.isEmpty()) {
            const KeyOutcome added = m_store.AddTravel(newTravel(bookings));
            if (!added.ok()) {
                m_result.outcome = added.outcome;
                return m_result;
            }
            m_result.travelKey = added.key;
            m_result.travelMade = true;
        }
        for (const RecordKey& key : m_store.StagesOf(m_result.travelKey))
            m_stages.append(WorkingStage{m_store.GetStage(key), std::nullopt});
        for (const Booking& booking : bookings)
            importBooking(booking);
        m_result.outcome = write();
        if (!m_result.outcome.ok() && m_result.travelMade) {
            (void)m_store.DeleteTravel(m_result.travelKey); // no half-made travel stays
            m_result.stagesMade.clear();
        }
        return m_result;
    }

private:
    // The changed stages are saved, then the new ones are added at once.
    Outcome write()
    {
        QList<TravelDataStore::NewStage> made;
        for (const WorkingStage& working : std::as_const(m_stages)) {
            if (working.made()) {
                made.append(
                    {working.stage, working.appointments.value_or(QList<AppointmentRecord>{})});
                continue;
            }
            if (working.stageChanged) {
                if (Outcome saved = m_store.SaveStage(working.stage); !saved.ok())
                    return saved;
            }
            if (working.appointmentsChanged) {
                if (Outcome saved =
                        m_store.SaveAppointments(working.stage.key, *working.appointments);
                    !saved.ok())
                    return saved;
            }
            noteChanged(working);
        }
        for (const KeyOutcome& added : m_store.AddStages(made)) {
            if (!added.ok())
                return added.outcome;
            m_result.stagesMade.append(added.key);
        }
        return {};
    }

    // The travel's stages in the order of their dates, as the store lists them.
    QList<WorkingStage*> stagesByDate()
    {
        QList<WorkingStage*> stages;
        for (WorkingStage& working : m_stages)
            stages.append(&working);
        SortChronologically(stages, [](const WorkingStage* working) -> const DateTimeValue& {
            return working->stage.date;
        });
        return stages;
    }

    QList<AppointmentRecord>& appointmentsOf(WorkingStage& working)
    {
        if (!working.appointments)
            working.appointments = working.made() ? QList<AppointmentRecord>{}
                                                  : m_store.LoadAppointments(working.stage.key);
        return *working.appointments;
    }

    WorkingStage& newStage(const DateTimeValue& date, const QString& title, const QString& place)
    {
        StageRecord stage(date);
        stage.travelKey = m_result.travelKey;
        stage.title = title;
        stage.place = place;
        m_stages.append(WorkingStage{stage, QList<AppointmentRecord>{}});
        return m_stages.last();
    }

    AppointmentRecord appointment(const QString& subject, const BookingTime& time,
                                  const QString& location, QStringList notes = {})
    {
        AppointmentRecord record(valueOf(time));
        record.subject = subject;
        record.location = location;
        if (time.dateOnly)
            notes.append(QStringLiteral("The booking gives no time"));
        notes.append(zoneNote(time, m_reference));
        record.notes = JoinPresent(notes, lineBreak);
        return record;
    }

    void importBooking(const Booking& booking)
    {
        const QString marker = BookingMarker(booking);
        PlannedStage plan;
        plan.date = valueOf(booking.start);
        plan.dateOnly = booking.start.dateOnly;
        plan.noteLines = QStringList{marker};
        switch (booking.kind) {
        case BookingKind::Event:
            return importAppointment(
                booking,
                appointment(
                    booking.name.isEmpty() ? QStringLiteral("Event") : booking.name, booking.start,
                    JoinPresent({booking.from, booking.address}, QStringLiteral(", ")), {marker}));
        case BookingKind::Restaurant:
            return importAppointment(
                booking,
                appointment(
                    JoinPresent({QStringLiteral("Table at"), booking.name}, QStringLiteral(" ")),
                    booking.start, booking.address.isEmpty() ? booking.name : booking.address,
                    {marker}));
        case BookingKind::Taxi:
            return importAppointment(booking,
                                     appointment(JoinPresent({QStringLiteral("Taxi"), booking.name},
                                                             QStringLiteral(" ")),
                                                 booking.start, booking.from, {marker}));
        case BookingKind::Lodging:
            plan.title = booking.name.isEmpty() ? QStringLiteral("Hotel") : booking.name;
            plan.place = booking.address.isEmpty() ? booking.name : booking.address;
            plan.appointments.append(
                appointment(QStringLiteral("Check-in"), booking.start, booking.name));
            if (booking.end.isValid())
                plan.appointments.append(
                    appointment(QStringLiteral("Check-out"), booking.end, booking.name));
            break;
        case BookingKind::RentalCar:
            plan.title =
                JoinPresent({QStringLiteral("Rental car"), booking.name}, QStringLiteral(": "));
            plan.place = booking.from;
            plan.appointments.append(
                appointment(QStringLiteral("Pick-up"), booking.start, booking.from));
            if (booking.end.isValid())
                plan.appointments.append(
                    appointment(QStringLiteral("Drop-off"), booking.end, booking.to));
            break;
        default: // a leg
            plan.title = JoinPresent({booking.service, route(booking)}, QStringLiteral(" "));
            plan.place = booking.from;
            if (!booking.seat.isEmpty())
                plan.noteLines.append(seatPrefix + booking.seat);
            if (!booking.passenger.isEmpty())
                plan.noteLines.append(passengerPrefix + booking.passenger);
            plan.appointments.append(
                appointment(QStringLiteral("Departure"), booking.start, booking.from));
            if (booking.end.isValid())
                plan.appointments.append(
                    appointment(QStringLiteral("Arrival"), booking.end, booking.to));
            break;
        }
        importStage(plan);
    }

    // A stage of its own: the one that holds the booking's marker is changed, else one
    // is made.
    void importStage(const PlannedStage& plan)
    {
        const QString& marker = plan.noteLines.first();
        WorkingStage* existing = stageHolding(marker);
        if (!existing) {
            WorkingStage& made = newStage(plan.date, plan.title, plan.place);
            made.stage.notes = JoinPresent(plan.noteLines, lineBreak);
            made.appointments = plan.appointments;
            return;
        }
        StageRecord& stage = existing->stage;
        // A booking that gives the day alone adds its lines to a stage of that day with
        // the times and names of a fuller one.
        const bool fuller = plan.dateOnly && stage.date.date() == plan.date.date();
        if (!fuller) {
            stage.title = plan.title;
            stage.place = plan.place;
            stage.date = plan.date;
        }
        // The booking's lines are written anew; whatever else the notes hold stays.
        QStringList kept;
        for (const QString& line : linesOf(stage.notes)) {
            if (line != marker && !line.startsWith(seatPrefix) && !line.startsWith(passengerPrefix))
                kept.append(line);
        }
        stage.notes = JoinPresent(plan.noteLines + kept, lineBreak);
        existing->stageChanged = true;
        if (fuller)
            return;
        QList<AppointmentRecord>& appointments = appointmentsOf(*existing);
        for (const AppointmentRecord& planned : plan.appointments) {
            const auto same = std::find_if(appointments.begin(), appointments.end(),
                                           [&](const AppointmentRecord& appointment) {
                                               return appointment.subject == planned.subject;
                                           });
            if (same != appointments.end())
                appointments.erase(same);
            insertByTime(appointments, planned);
        }
        existing->appointmentsChanged = true;
    }

    // An appointment on the stage of its day (made when there is none); the appointment
    // that holds the booking's marker is replaced, wherever it is.
    void importAppointment(const Booking& booking, const AppointmentRecord& planned)
    {
        const QString marker = BookingMarker(booking);
        const QDate day = planned.when.date();
        WorkingStage* target = nullptr;
        for (WorkingStage* working : stagesByDate()) {
            if (!target && working->stage.date.date() == day)
                target = working;
            if (marker.isEmpty())
                continue;
            if (appointmentsOf(*working).removeIf([&](const AppointmentRecord& appointment) {
                    return holdsLine(appointment.notes, marker);
                }) > 0)
                working->appointmentsChanged = true;
        }
        if (!target)
            target = &newStage(planned.when, planned.subject, planned.location);
        insertByTime(appointmentsOf(*target), planned);
        target->appointmentsChanged = true;
    }

    static void insertByTime(QList<AppointmentRecord>& appointments,
                             const AppointmentRecord& appointment)
    {
        const auto later = std::find_if(
            appointments.begin(), appointments.end(), [&](const AppointmentRecord& other) {
                return chronologicallyBefore(appointment.when, other.when);
            });
        appointments.insert(later, appointment);
    }

    void noteChanged(const WorkingStage& working)
    {
        if (working.stageChanged || working.appointmentsChanged)
            m_result.stagesChanged.append(working.stage.key);
    }

    WorkingStage* stageHolding(const QString& marker)
    {
        if (marker.isEmpty())
            return nullptr;
        for (WorkingStage* working : stagesByDate()) {
            if (holdsLine(working->stage.notes, marker))
                return working;
        }
        return nullptr;
    }

    // The first travel (by key) with a stage or appointment of one of the bookings.
    RecordKey travelHolding(const QList<Booking>& bookings)
    {
        QStringList stageMarkers;
        QStringList appointmentMarkers;
        for (const Booking& booking : bookings) {
            const QString marker = BookingMarker(booking);
            if (marker.isEmpty())
                continue;
            const bool ownStage = IsLeg(booking.kind) || booking.kind == BookingKind::Lodging ||
                                  booking.kind == BookingKind::RentalCar;
            (ownStage ? stageMarkers : appointmentMarkers).append(marker);
        }
        const auto holdsAny = [](const QString& notes, const QStringList& markers) {
            return std::any_of(markers.begin(), markers.end(),
                               [&](const QString& marker) { return holdsLine(notes, marker); });
        };
        for (const RecordKey& travelKey : m_store.TravelKeys()) {
            for (const RecordKey& stageKey : m_store.StagesOfUnsorted(travelKey)) {
                if (holdsAny(m_store.GetStage(stageKey).notes, stageMarkers))
                    return travelKey;
                if (appointmentMarkers.isEmpty())
                    continue;
                for (const AppointmentRecord& appointment : m_store.LoadAppointments(stageKey)) {
                    if (holdsAny(appointment.notes, appointmentMarkers))
                        return travelKey;
                }
            }
        }
        return {};
    }

    // The word of the user's list that names the same thing, else the first one.
    QString listWord(PreferenceList list, const QStringList& words)
    {
        const QStringList listed = m_store.ReadPreferenceList(int(list));
        for (const QString& word : words) {
            for (const QString& item : listed) {
                if (item.trimmed().compare(word, Qt::CaseInsensitive) == 0)
                    return item;
            }
        }
        return words.first();
    }

    QStringList modeWords(BookingKind kind)
    {
        switch (kind) {
        case BookingKind::Flight:
            return {QStringLiteral("Flight"), QStringLiteral("Plane"), QStringLiteral("Air")};
        case BookingKind::Train:
            return {QStringLiteral("Train"), QStringLiteral("Rail")};
        case BookingKind::Bus:
            return {QStringLiteral("Bus"), QStringLiteral("Coach")};
        case BookingKind::Boat:
            return {QStringLiteral("Ship"), QStringLiteral("Boat"), QStringLiteral("Ferry")};
        default:
            return {QStringLiteral("Car")};
        }
    }

    TravelRecord newTravel(const QList<Booking>& bookings)
    {
        const Booking& first = bookings.first();
        TravelRecord travel(valueOf(first.start));
        for (const Booking& booking : bookings) {
            const BookingTime& last = booking.end.isValid() ? booking.end : booking.start;
            if (chronologicallyBefore(travel.end, valueOf(last)))
                travel.end = valueOf(last);
        }
        const auto leg = std::find_if(bookings.begin(), bookings.end(), [](const Booking& booking) {
            return IsLeg(booking.kind) || booking.kind == BookingKind::RentalCar;
        });
        if (leg != bookings.end()) {
            travel.mode = listWord(PreferenceList::Mode, modeWords(leg->kind));
            travel.from = leg->from;
            travel.destination = leg->to;
            travel.ticketNo = leg->number;
            travel.seatNo = leg->seat;
        } else {
            travel.destination = first.city.isEmpty() ? first.name : first.city;
        }
        travel.title = QStringLiteral("Trip to ") + travel.destination;
        travel.status =
            listWord(PreferenceList::Status, {QStringLiteral("Booked"), QStringLiteral("Planned")});
        return travel;
    }

    TravelDataStore& m_store;
    std::optional<int> m_reference; // the offset from UTC where the travel starts
    BookingImport m_result;
    QList<WorkingStage> m_stages; // no reference into it outlives a booking's import
};

} // namespace

QStringList BookingPreview(const Booking& booking)
{
    const QString when = booking.start.wallClock.toString(
        booking.start.dateOnly ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd HH:mm"));
    return {KindWord(booking.kind), when, route(booking), booking.number, booking.seat};
}

QString BookingMarker(const Booking& booking)
{
    if (booking.number.isEmpty())
        return {};
    const QString what =
        IsLeg(booking.kind)
            ? QStringLiteral("%1 from %2").arg(KindWord(booking.kind), booking.fromCode)
            : JoinPresent({KindWord(booking.kind), booking.fromCode}, QStringLiteral(" "));
    return QStringLiteral("Booking: %1 (%2)").arg(booking.number, what);
}

void SortBookings(QList<Booking>& bookings)
{
    std::stable_sort(bookings.begin(), bookings.end(), [](const Booking& a, const Booking& b) {
        return a.start.instant() < b.start.instant();
    });
}

BookingImport ImportBookings(TravelDataStore& store, QList<Booking> bookings,
                             const RecordKey& travelKey)
{
    if (bookings.isEmpty())
        return BookingImport{travelKey, false, {}, {}, {}};
    SortBookings(bookings);
    // A boarding pass that comes with the confirmation of its flight adds its seat to it.
    for (qsizetype i = bookings.size() - 1; i >= 0; --i) {
        const Booking pass = bookings.at(i);
        const QString marker = BookingMarker(pass);
        if (!pass.start.dateOnly || marker.isEmpty())
            continue;
        const auto full = std::find_if(bookings.begin(), bookings.end(), [&](const Booking& other) {
            return !other.start.dateOnly && BookingMarker(other) == marker &&
                   other.start.wallClock.date() == pass.start.wallClock.date();
        });
        if (full == bookings.end())
            continue;
        if (full->seat.isEmpty())
            full->seat = pass.seat;
        bookings.removeAt(i);
    }
    return Importer(store, bookings).run(bookings, travelKey);
}
