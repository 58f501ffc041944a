#include "Decimal.h"

#include <QLocale>

#include <cmath>
#include <iterator>

namespace {

using Wide = __int128;

constexpr qint64 Limit = 1000000000000000000; // 10^18: units stay below it
// Powers of ten up to the largest scale; each is an exact double.
constexpr double Powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                             1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
static_assert(std::size(Powers) == Decimal::MaxScale + 1);
// Doubles hold every integer below this exactly.
constexpr qint64 ExactInteger = qint64(1) << 53;

Wide power10(int exponent)
{
    Wide value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

// n / d rounded half to even; d is positive.
Wide divideHalfEven(Wide n, Wide d)
{
    Wide quotient = n / d;
    Wide remainder = n % d;
    if (remainder < 0)
        remainder = -remainder;
    const Wide twice = remainder * 2;
    if (twice > d || (twice == d && quotient % 2 != 0))
        quotient += n < 0 ? -1 : 1;
    return quotient;
}

// units at `from` decimals as units at `to` decimals, rounded half to even.
std::optional<Wide> rescale(Wide units, int from, int to)
{
    if (to >= from) {
        const int up = to - from;
        if (up > 36)
            return std::nullopt;
        const Wide factor = power10(up);
        if (units != 0 && (units > Wide(Limit) * Wide(Limit) / factor ||
                           -units > Wide(Limit) * Wide(Limit) / factor))
            return std::nullopt;
        return units * factor;
    }
    const int down = from - to;
    if (down > 37)
        return Wide(0);
    return divideHalfEven(units, power10(down));
}

std::optional<qint64> narrow(Wide units)
{
    if (units >= Limit || units <= -Limit)
        return std::nullopt;
    return qint64(units);
}

} // namespace

std::optional<Decimal> Decimal::fromUnits(qint64 units, int scale)
{
    if (scale < 0 || scale > MaxScale || units >= Limit || units <= -Limit)
        return std::nullopt;
    return Decimal(units, scale);
}

std::optional<Decimal> Decimal::parse(QStringView text)
{
    qsizetype at = 0;
    const bool negative = text.startsWith(u'-');
    if (negative)
        ++at;
    Wide units = 0;
    int digits = 0;
    int scale = -1;
    for (; at < text.size(); ++at) {
        const QChar c = text[at];
        if (c == u'.' && scale < 0) {
            scale = 0;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        units = units * 10 + (c.unicode() - u'0');
        if (++digits > 18)
            return std::nullopt;
        if (scale >= 0)
            ++scale;
    }
    if (digits == 0 || scale == 0 || scale > MaxScale)
        return std::nullopt;
    return fromUnits(qint64(negative ? -units : units), qMax(scale, 0));
}

std::optional<Decimal> Decimal::fromDouble(double value, int scale)
{
    if (!std::isfinite(value) || scale < 0 || scale > MaxScale)
        return std::nullopt;
    // Below 2^52 a product that comes out whole lies within a quarter of the true value,
    // so it is the correctly rounded one that the text would give.
    const double scaled = value * Powers[scale];
    if (std::fabs(scaled) < double(ExactInteger / 2) && scaled == std::floor(scaled))
        return Decimal(qint64(scaled), scale);
    return parse(QString::number(value, 'f', scale));
}

QString Decimal::toString() const
{
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    QString digits = QString::number(magnitude).rightJustified(m_scale + 1, QLatin1Char('0'));
    if (m_scale > 0)
        digits.insert(digits.size() - m_scale, QLatin1Char('.'));
    return m_units < 0 ? QLatin1Char('-') + digits : digits;
}

double Decimal::toDouble() const
{
    // Both numbers are exact doubles, and a division rounds correctly: the nearest double
    // to the decimal, as reading its text would give.
    if (m_units < ExactInteger && m_units > -ExactInteger)
        return double(m_units) / Powers[m_scale];
    return QLocale::c().toDouble(toString());
}

std::optional<Decimal> Decimal::rounded(int scale) const
{
    if (scale < 0 || scale > MaxScale)
        return std::nullopt;
    const auto units = rescale(m_units, m_scale, scale);
    if (!units)
        return std::nullopt;
    const auto small = narrow(*units);
    return small ? std::optional(Decimal(*small, scale)) : std::nullopt;
}

std::optional<Decimal> Decimal::times(const Decimal& other, int scale) const
{
    if (scale < 0 || scale > MaxScale)
        return std::nullopt;
    const auto units = rescale(Wide(m_units) * other.m_units, m_scale + other.m_scale, scale);
    if (!units)
        return std::nullopt;
    const auto small = narrow(*units);
    return small ? std::optional(Decimal(*small, scale)) : std::nullopt;
}

std::optional<Decimal> Decimal::dividedBy(const Decimal& other, int scale) const
{
    if (other.m_units == 0 || scale < 0 || scale > MaxScale)
        return std::nullopt;
    // this / other = (m_units / other.m_units) * 10^(other.scale - m_scale); wanted at
    // `scale` decimals, so the numerator gains scale + other.scale - m_scale digits.
    const int shift = scale + other.m_scale - m_scale;
    Wide numerator = m_units;
    Wide denominator = other.m_units;
    if (shift >= 0)
        numerator *= power10(shift);
    else
        denominator *= power10(-shift);
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const auto small = narrow(divideHalfEven(numerator, denominator));
    return small ? std::optional(Decimal(*small, scale)) : std::nullopt;
}

std::optional<Decimal> Decimal::plus(const Decimal& other) const
{
    const int scale = qMax(m_scale, other.m_scale);
    const Wide sum = Wide(m_units) * power10(scale - m_scale) +
                     Wide(other.m_units) * power10(scale - other.m_scale);
    const auto small = narrow(sum);
    return small ? std::optional(Decimal(*small, scale)) : std::nullopt;
}

std::strong_ordering Decimal::operator<=>(const Decimal& other) const
{
    const int scale = qMax(m_scale, other.m_scale);
    return Wide(m_units) * power10(scale - m_scale) <=>
           Wide(other.m_units) * power10(scale - other.m_scale);
}
