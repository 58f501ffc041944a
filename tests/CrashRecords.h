#pragma once

#include "Records.h"

#include <QString>

// The two versions of every record that the crash writer saves in turn. Version 1
// is longer than version 0, so that a file cut short by a crash is seen.
namespace CrashRecords {

inline const RecordKey travelKey = QStringLiteral("2006030509012110");
inline const RecordKey stageKey = travelKey + QStringLiteral("2006030509050010");

inline QString filler(int version, int size)
{
    return QString(size * (version + 1), QLatin1Char(version == 0 ? 'a' : 'b'));
}

inline TravelRecord travel(int version)
{
    TravelRecord t(DateTimeValue{38781.5 + version, 0});
    t.key = travelKey;
    t.title = QStringLiteral("Version %1").arg(version);
    t.notes = filler(version, 3000);
    return t;
}

inline StageRecord stage(int version)
{
    StageRecord s(DateTimeValue{38782.25 + version, 0});
    s.key = stageKey;
    s.travelKey = travelKey;
    s.notes = filler(version, 2000);
    return s;
}

inline QList<AppointmentRecord> appointments(int version)
{
    AppointmentRecord a(DateTimeValue{38782.5, 0});
    a.subject = filler(version, 500);
    return QList<AppointmentRecord>(10 + version * 10, a);
}

inline QList<CheckListItem> checkList(int version)
{
    return QList<CheckListItem>(50 + 50 * version, CheckListItem{filler(version, 40), version});
}

inline QList<ExpenseRecord> expenses(int version)
{
    return QList<ExpenseRecord>(
        40 + 40 * version, ExpenseRecord{filler(version, 30), 1.0 + version, QString(), 2, 3, 0});
}

inline QString preferences(int version)
{
    QStringList items;
    for (int i = 0; i < 200 * (version + 1); ++i)
        items.append(QStringLiteral("Item %1 of version %2").arg(i).arg(version));
    return items.join(QLatin1Char('\n'));
}

} // namespace CrashRecords
