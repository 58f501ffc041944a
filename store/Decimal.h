#pragma once

#include <QString>
#include <QStringView>

#include <compare>
#include <optional>

// An exact decimal number: a whole number of units of 10^-scale, so 12.50 is 1250 at
// scale 2. Money is kept in these, never in binary fractions: 1.005 stays 1.005, and a
// product is rounded once, half to even, to the digits it is wanted in. Values stay
// below 10^18 units; an operation that would leave that range gives nothing.
class Decimal {
public:
    static constexpr int MaxScale = 18;

    Decimal() = default;
    static std::optional<Decimal> fromUnits(qint64 units, int scale);
    // "12.5", "-0.9412", "7" (the C form: no grouping, no exponent, a point for the
    // decimal separator). Nothing for any other text.
    static std::optional<Decimal> parse(QStringView text);
    // The amount of a binary double as it reads with `scale` decimals (the stored
    // amounts of the record files are doubles).
    static std::optional<Decimal> fromDouble(double value, int scale);

    qint64 units() const { return m_units; }
    int scale() const { return m_scale; }
    bool isZero() const { return m_units == 0; }
    bool isPositive() const { return m_units > 0; }
    // In the C form, with exactly scale() decimals.
    QString toString() const;
    // The nearest double; exact for what a person reads (at most 15 digits).
    double toDouble() const;

    // Rounded half to even to `scale` decimals (more decimals pad with zeros).
    std::optional<Decimal> rounded(int scale) const;
    // The exact product, rounded once, half to even, to `scale` decimals.
    std::optional<Decimal> times(const Decimal& other, int scale) const;
    // The quotient rounded half to even to `scale` decimals; nothing for a zero divisor.
    std::optional<Decimal> dividedBy(const Decimal& other, int scale) const;
    std::optional<Decimal> plus(const Decimal& other) const;

    // By value: 1.5 equals 1.50.
    std::strong_ordering operator<=>(const Decimal& other) const;
    bool operator==(const Decimal& other) const { return (*this <=> other) == 0; }

private:
    Decimal(qint64 units, int scale) : m_units(units), m_scale(scale) {}

    qint64 m_units = 0;
    int m_scale = 0;
};
