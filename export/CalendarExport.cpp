#include "CalendarExport.h"

#include <libical/ical.h>

#include <cstdlib>
#include <memory>

namespace {

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// Text as libical takes it: UTF-8, line breaks as "\n", no other control characters.
QByteArray calendarText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.removeIf([](QChar c) {
        return (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t')) ||
               c.unicode() == 0x7F;
    });
    return text.toUtf8();
}

icaltimetype floatingTime(const QDateTime& moment)
{
    icaltimetype time = icaltime_null_time();
    time.year = moment.date().year();
    time.month = moment.date().month();
    time.day = moment.date().day();
    time.hour = moment.time().hour();
    time.minute = moment.time().minute();
    time.second = moment.time().second();
    return time;
}

icaltimetype dateOnly(QDate date)
{
    icaltimetype time = icaltime_null_date();
    time.year = date.year();
    time.month = date.month();
    time.day = date.day();
    return time;
}

// The wall-clock date and time a stored value holds (in UTC, so that an hour later is
// always an hour later on the clock), when it is valid and within the years iCalendar
// can hold.
std::optional<QDateTime> momentOf(const DateTimeValue& value)
{
    if (!value.isValid() || !value.hasCalendarValue())
        return std::nullopt;
    const QDateTime moment = value.toWallClock();
    if (moment.date().year() < 1 || moment.date().year() > 9999)
        return std::nullopt;
    return moment;
}

class CalendarBuilder {
public:
    explicit CalendarBuilder(const QDateTime& stamp)
        : m_calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT)),
          m_stamp(icaltime_from_timet_with_zone(stamp.toSecsSinceEpoch(), 0,
                                                icaltimezone_get_utc_timezone()))
    {
        icalcomponent_add_property(m_calendar.get(), icalproperty_new_version("2.0"));
        icalcomponent_add_property(
            m_calendar.get(), icalproperty_new_prodid("-//Voyanta//Voyanta travel planner//EN"));
    }

    icalcomponent* add(icalcomponent_kind kind, const QString& uid, const QString& summary)
    {
        icalcomponent* component = icalcomponent_new(kind);
        icalcomponent_add_property(component, icalproperty_new_uid(calendarText(uid).constData()));
        icalcomponent_add_property(component, icalproperty_new_dtstamp(m_stamp));
        icalcomponent_add_property(component,
                                   icalproperty_new_summary(calendarText(summary).constData()));
        icalcomponent_add_component(m_calendar.get(), component);
        return component;
    }

    static void addText(icalcomponent* component, icalproperty* (*make)(const char*),
                        const QString& text)
    {
        if (!text.isEmpty())
            icalcomponent_add_property(component, make(calendarText(text).constData()));
    }

    QByteArray text() const
    {
        char* text = icalcomponent_as_ical_string_r(m_calendar.get());
        QByteArray bytes(text);
        std::free(text);
        return bytes;
    }

private:
    Component m_calendar;
    icaltimetype m_stamp;
};

QString travelDescription(const TravelRecord& travel)
{
    QStringList lines;
    const std::pair<const char*, const QString*> fields[] = {
        {"From", &travel.from},         {"Mode", &travel.mode},     {"Type", &travel.type},
        {"Priority", &travel.priority}, {"Status", &travel.status}, {"Ticket No", &travel.ticketNo},
        {"Seat No", &travel.seatNo},
    };
    for (const auto& [label, value] : fields) {
        if (!value->isEmpty())
            lines.append(QLatin1String(label) + QStringLiteral(": ") + *value);
    }
    if (!travel.notes.isEmpty()) {
        if (!lines.isEmpty())
            lines.append(QString());
        lines.append(travel.notes);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QByteArray RenderTravelCalendar(const WholeTravel& whole, const QDateTime& stamp)
{
    CalendarBuilder calendar(stamp);
    const TravelRecord& travel = whole.travel;
    const RecordKey& travelKey = travel.key;
    if (const auto start = momentOf(travel.start)) {
        icalcomponent* event =
            calendar.add(ICAL_VEVENT_COMPONENT, QStringLiteral("travel-%1@voyanta").arg(travelKey),
                         travel.title);
        icalcomponent_add_property(event, icalproperty_new_dtstart(floatingTime(*start)));
        const auto end = momentOf(travel.end);
        if (end && *end > *start)
            icalcomponent_add_property(event, icalproperty_new_dtend(floatingTime(*end)));
        CalendarBuilder::addText(event, icalproperty_new_location, travel.destination);
        CalendarBuilder::addText(event, icalproperty_new_description, travelDescription(travel));
    }

    for (const StageWithAppointments& part : whole.stages) {
        const StageRecord& stage = part.stage;
        const RecordKey& stageKey = stage.key;
        if (const auto date = momentOf(stage.date)) {
            icalcomponent* event =
                calendar.add(ICAL_VEVENT_COMPONENT,
                             QStringLiteral("stage-%1@voyanta").arg(stageKey), stage.title);
            icalcomponent_add_property(event, icalproperty_new_dtstart(dateOnly(date->date())));
            icalcomponent_add_property(event,
                                       icalproperty_new_dtend(dateOnly(date->date().addDays(1))));
            CalendarBuilder::addText(event, icalproperty_new_location, stage.place);
            CalendarBuilder::addText(event, icalproperty_new_description, stage.notes);
        }
        const QList<AppointmentRecord>& appointments = part.appointments;
        for (qsizetype i = 0; i < appointments.size(); ++i) {
            const AppointmentRecord& appointment = appointments[i];
            const auto when = momentOf(appointment.when);
            if (!when)
                continue;
            icalcomponent* event =
                calendar.add(ICAL_VEVENT_COMPONENT,
                             QStringLiteral("appointment-%1-%2@voyanta").arg(stageKey).arg(i + 1),
                             appointment.subject);
            icalcomponent_add_property(event, icalproperty_new_dtstart(floatingTime(*when)));
            icalcomponent_add_property(event,
                                       icalproperty_new_dtend(floatingTime(when->addSecs(3600))));
            CalendarBuilder::addText(event, icalproperty_new_location, appointment.location);
            CalendarBuilder::addText(event, icalproperty_new_description, appointment.notes);
        }
    }

    const QList<CheckListItem>& items = whole.checkList;
    for (qsizetype i = 0; i < items.size(); ++i) {
        icalcomponent* todo = calendar.add(
            ICAL_VTODO_COMPONENT,
            QStringLiteral("checklist-%1-%2@voyanta").arg(travelKey).arg(i + 1), items[i].text);
        const bool done = items[i].checked != 0;
        icalcomponent_add_property(
            todo, icalproperty_new_status(done ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION));
        if (done)
            icalcomponent_add_property(todo, icalproperty_new_percentcomplete(100));
    }
    return calendar.text();
}
