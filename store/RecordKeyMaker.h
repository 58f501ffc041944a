#pragma once

#include "RecordKey.h"

#include <QDateTime>

#include <functional>
#include <map>

// Hands out record keys from a clock without ever waiting for it. A series of keys (a
// prefix and the counter it starts at) runs through the counters up to 99 within one
// second of the clock and then goes on with the next second's keys, before the clock
// gets there if need be. Each series resumes where it stopped, so a loop that makes
// thousands of keys tries each candidate once.
class RecordKeyMaker {
public:
    // The current local date-time; tests set a clock of their own.
    using Clock = std::function<QDateTime()>;

    RecordKeyMaker();

    void setClock(Clock now);
    QDateTime now() const { return m_now(); }

    // The first key of the series, at or after the clock's second, that taken() does
    // not reject. The key is prefix + MakeRecordKey(counter, second).
    RecordKey next(const QString& prefix, int firstCounter,
                   const std::function<bool(const RecordKey&)>& taken);

private:
    // Where a series goes on: a wall-clock second (held in UTC, so that stepping a
    // second never meets a daylight-saving change) and the counter to try there.
    struct Position {
        QDateTime second;
        int counter = 0;
    };

    Clock m_now;
    std::map<std::pair<QString, int>, Position> m_series;
};
