#include "DateTimeValue.h"

#include <cmath>
#include <cstring>

namespace {

constexpr qint64 msecsPerDay = 86400000;
// QDate covers far more, but a day count beyond this is no date anybody plans for.
constexpr double maxDayMagnitude = 1.0e8;

QDate epoch()
{
    return QDate(1899, 12, 30);
}

} // namespace

DateTimeValue DateTimeValue::fromDateTime(const QDateTime& dateTime)
{
    // The fields, not the moment: a local time in a daylight-saving gap is no valid
    // QDateTime, but it is a date and a time of day that a user can plan for.
    return fromDate(dateTime.date(), dateTime.time());
}

DateTimeValue DateTimeValue::fromDate(QDate date, QTime time)
{
    if (!date.isValid() || !time.isValid())
        return DateTimeValue{0.0, Invalid};
    const qint64 day = epoch().daysTo(date);
    const double fraction = double(time.msecsSinceStartOfDay()) / double(msecsPerDay);
    DateTimeValue value;
    value.days = day < 0 ? double(day) - fraction : double(day) + fraction;
    value.status = Valid;
    return value;
}

DateTimeValue DateTimeValue::current()
{
    QDateTime now = QDateTime::currentDateTime();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    return fromDateTime(now);
}

bool DateTimeValue::hasCalendarValue() const
{
    return std::isfinite(days) && std::fabs(days) < maxDayMagnitude;
}

QDateTime DateTimeValue::toWallClock() const
{
    if (!hasCalendarValue())
        return {};
    const double wholeDays = std::trunc(days);
    qint64 day = qint64(wholeDays);
    qint64 seconds = std::llround(std::fabs(days - wholeDays) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        day += 1;
    }
    return QDateTime(epoch().addDays(day), QTime(0, 0).addSecs(int(seconds)), Qt::UTC);
}

QDate DateTimeValue::date() const
{
    return toWallClock().date();
}

QTime DateTimeValue::time() const
{
    return toWallClock().time();
}

QDateTime DateTimeValue::toDateTime() const
{
    const QDateTime wallClock = toWallClock();
    if (!wallClock.isValid())
        return {};
    return QDateTime(wallClock.date(), wallClock.time());
}

double DateTimeValue::chronologicalValue() const
{
    if (!std::isfinite(days))
        return days;
    const double wholeDays = std::trunc(days);
    return wholeDays + std::fabs(days - wholeDays);
}

bool DateTimeValue::operator==(const DateTimeValue& other) const
{
    return status == other.status && std::memcmp(&days, &other.days, sizeof days) == 0;
}

bool chronologicallyBefore(const DateTimeValue& a, const DateTimeValue& b)
{
    return a.chronologicalValue() < b.chronologicalValue();
}
