#include "DisplayFormats.h"

#include "Currency.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

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

// The digits the locale's currency form gives a whole amount after its decimal point.
// QLocale knows them from the locale data but tells them only through the form itself.
int currencyDigitsOf(const QLocale& locale)
{
    const QString text = locale.toCurrencyString(1.0, QStringLiteral("X"));
    const QString point = locale.decimalPoint();
    const QString zero = locale.zeroDigit();
    qsizetype at = text.lastIndexOf(point);
    if (point.isEmpty() || zero.isEmpty() || at < 0)
        return 0;
    int digits = 0;
    for (at += point.size(); QStringView(text).mid(at).startsWith(zero); at += zero.size())
        ++digits;
    return digits;
}

} // namespace

DisplayFormats::DisplayFormats(const QLocale& locale)
    : m_locale(locale), m_timeFormat(timeFormatWithoutSeconds(locale)),
      m_currencyDigits(currencyDigitsOf(locale)), m_currencyCode(Currency::LocaleCode(locale))
{
}

void DisplayFormats::setCurrency(const QString& code)
{
    if (code == Currency::LocaleCode(m_locale) || !Currency::IsIsoCode(code)) {
        *this = DisplayFormats(m_locale);
        return;
    }
    m_currencyCode = code;
    m_currencySymbol = Currency::Symbol(code, m_locale);
    m_currencyDigits = Currency::Digits(code);
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
    if (!m_currencySymbol.isEmpty())
        return m_locale.toCurrencyString(value, m_currencySymbol, m_currencyDigits);
    return m_locale.toCurrencyString(value);
}

QString DisplayFormats::FormatAmount(double amount) const
{
    // A currency of three decimals (the Kuwaiti dinar) keeps its third.
    return FormatCurrency(QString::asprintf("%10.*f", std::max(2, m_currencyDigits), amount));
}

double DisplayFormats::RoundAmount(double amount) const
{
    const double scale = std::pow(10.0, m_currencyDigits);
    double scaled = std::abs(amount) * scale;
    // Beyond 2^52 every double is a whole number already (and infinity and NaN stay).
    if (!(scaled < 4503599627370496.0))
        return amount;
    const double half = std::floor(scaled) + 0.5;
    if (std::abs(scaled - half) <= scaled * 1e-12)
        scaled = half;
    const double rounded = std::copysign(std::round(scaled), amount) / scale;
    return rounded == 0.0 ? 0.0 : rounded; // never a minus zero
}
