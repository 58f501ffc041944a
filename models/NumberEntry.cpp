#include "NumberEntry.h"

#include <QLocale>

namespace NumberEntry {

namespace {

bool isPoint(QChar c, QChar decimalPoint)
{
    return c == QLatin1Char('.') || c == decimalPoint;
}

} // namespace

bool IsAcceptable(const QString& text, QChar decimalPoint)
{
    qsizetype point = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isPoint(c, decimalPoint)) {
            if (point >= 0)
                return false;
            point = i;
        } else if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return point < 0 || text.size() - point - 1 <= 2;
}

bool AcceptsTyping(const QString& text, int position, const QString& typed, QChar decimalPoint,
                   int replaced)
{
    if (position < 0 || position > text.size() || replaced < 0)
        return false;
    QString after = text;
    after.replace(position, replaced, typed);
    return IsAcceptable(after, decimalPoint);
}

double Read(const QString& text, QChar decimalPoint)
{
    QString plain = text.trimmed();
    if (decimalPoint != QLatin1Char('.'))
        plain.replace(decimalPoint, QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    return ok ? value : 0.0;
}

QString Write(double value, QChar decimalPoint)
{
    QString text = QString::asprintf("%.2f", value);
    if (decimalPoint != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), decimalPoint);
    return text;
}

} // namespace NumberEntry
