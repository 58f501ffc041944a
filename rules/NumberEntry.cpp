#include "NumberEntry.h"

namespace NumberEntry {

namespace {

QChar single(const QString& text)
{
    return text.size() == 1 ? text.front() : QChar();
}

QChar decimalPointOf(const QLocale& locale)
{
    const QChar point = single(locale.decimalPoint());
    return point.isNull() ? QLatin1Char('.') : point;
}

bool isPoint(QChar c, const QLocale& locale)
{
    if (c == decimalPointOf(locale))
        return true;
    // "." works beside a comma, but not where it separates thousands (German).
    return c == QLatin1Char('.') && single(locale.groupSeparator()) != c;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

bool IsAcceptable(const QString& text, const QLocale& locale, int decimals)
{
    qsizetype point = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isPoint(c, locale)) {
            if (point >= 0)
                return false;
            point = i;
        } else if (!isDigit(c)) {
            return false;
        }
    }
    return point < 0 || (decimals > 0 && text.size() - point - 1 <= decimals);
}

bool AcceptsTyping(const QString& text, int position, const QString& typed, const QLocale& locale,
                   int replaced)
{
    if (position < 0 || position > text.size() || replaced < 0)
        return false;
    QString after = text;
    after.replace(position, replaced, typed);
    return IsAcceptable(after, locale);
}

bool IsGroupSeparator(QChar typed, const QLocale& locale)
{
    const QChar group = single(locale.groupSeparator());
    if (group.isNull() || isPoint(typed, locale))
        return false;
    return typed == group || (group.isSpace() && typed.isSpace());
}

std::optional<QString> Accepted(const QString& text, const QLocale& locale, int decimals)
{
    if (IsAcceptable(text, locale, decimals))
        return text;
    const QChar group = single(locale.groupSeparator());
    const QChar point = decimalPointOf(locale);
    if (group.isNull() || !text.contains(group))
        return std::nullopt;
    // Digits, thousands separators and one point only: no sign, no exponent. The
    // locale's reading then checks that every separator stands where it belongs.
    for (const QChar c : text) {
        if (!isDigit(c) && c != group && c != point)
            return std::nullopt;
    }
    bool ok = false;
    locale.toDouble(text, &ok);
    QString plain = text;
    plain.remove(group);
    if (!ok || !IsAcceptable(plain, locale, decimals))
        return std::nullopt;
    return plain;
}

double Read(const QString& text, const QLocale& locale)
{
    std::optional<QString> plain = Accepted(text.trimmed(), locale);
    if (!plain)
        return 0.0;
    plain->replace(decimalPointOf(locale), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(*plain, &ok);
    return ok ? value : 0.0;
}

QString Write(double value, const QLocale& locale)
{
    QString text = QString::asprintf("%.2f", value);
    const QChar point = decimalPointOf(locale);
    if (point != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), point);
    return text;
}

} // namespace NumberEntry
