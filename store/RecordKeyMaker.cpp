#include "RecordKeyMaker.h"

namespace {

constexpr int lastCounter = 99;

// The clock's wall-clock fields to the second, as a value that steps without gaps.
QDateTime wallClockSecond(const QDateTime& moment)
{
    const QTime time = moment.time();
    return QDateTime(moment.date(), QTime(time.hour(), time.minute(), time.second()), Qt::UTC);
}

} // namespace

RecordKeyMaker::RecordKeyMaker() : m_now([] { return QDateTime::currentDateTime(); }) {}

void RecordKeyMaker::setClock(Clock now)
{
    m_now = std::move(now);
}

RecordKey RecordKeyMaker::next(const QString& prefix, int firstCounter,
                               const std::function<bool(const RecordKey&)>& taken)
{
    const QDateTime clock = wallClockSecond(m_now());
    // Series the clock has left behind would start afresh anyway: forget them, so that
    // a long session does not keep one per travel it added stages to.
    if (m_series.size() > 64)
        std::erase_if(m_series, [&](const auto& entry) { return entry.second.second < clock; });
    Position& position = m_series[{prefix, firstCounter}];
    // A clock that has moved past the series starts it afresh; one that stands still
    // or went back (a daylight-saving change, a corrected clock) lets it go on.
    if (!position.second.isValid() || position.second < clock)
        position = Position{clock, firstCounter};
    for (;;) {
        for (; position.counter <= lastCounter; ++position.counter) {
            RecordKey key = prefix + MakeRecordKey(position.counter, position.second);
            if (!taken(key)) {
                ++position.counter;
                return key;
            }
        }
        position = Position{position.second.addSecs(1), firstCounter};
    }
}
