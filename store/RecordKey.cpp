#include "RecordKey.h"

RecordKey MakeRecordKey(int counter, const QDateTime& now)
{
    if (counter == 0)
        counter = 10;
    const QDate date = now.date();
    const QTime time = now.time();
    return QString::asprintf("%04d%02d%02d%02d%02d%02d%02d", date.year(), date.month(), date.day(),
                             time.hour(), time.minute(), time.second(), counter);
}

bool IsSafeKey(const QString& key)
{
    const QString trimmed = key.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1String("..")))
        return false;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0) || u == u'/' || u == u'\\' ||
            u == u':')
            return false;
    }
    return true;
}

QString UnsafeKeyCause(const QString& key)
{
    return QStringLiteral("unsafe key \"%1\"").arg(key);
}
