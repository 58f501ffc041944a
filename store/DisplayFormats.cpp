#include "DisplayFormats.h"

#include <QRegularExpression>

namespace {

// The locale's short time format without any seconds field (and the separator
// before it), so that no locale shows seconds.
QString timeFormatWithoutSeconds(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    static const QRegularExpression seconds(QStringLiteral("[:.,]?s{1,2}"));
    format.remove(seconds);
    return format.trimmed();
}

} // namespace

DisplayFormats::DisplayFormats(const QLocale& locale)
    : m_locale(locale), m_timeFormat(timeFormatWithoutSeconds(locale))
{
}

QString DisplayFormats::FormatShortDate(const DateTimeValue& value) const
{
    if (!value.isValid() || !value.hasCalendarValue())
        return {};
    return m_locale.toString(value.date(), QLocale::ShortFormat);
}

QString DisplayFormats::FormatShortTime(const DateTimeValue& value) const
{
    if (!value.isValid() || !value.hasCalendarValue())
        return {};
    return m_locale.toString(value.time(), m_timeFormat);
}

QString DisplayFormats::ShortDateTimeFormat() const
{
    return m_locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') + m_timeFormat;
}

QString DisplayFormats::FormatCurrency(const QString& number) const
{
    const QString trimmed = number.trimmed();
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        return trimmed;
    return m_locale.toCurrencyString(value);
}

QString DisplayFormats::FormatAmount(double amount) const
{
    return FormatCurrency(QString::asprintf("%10.2f", amount));
}
