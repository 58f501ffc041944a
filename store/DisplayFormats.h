#pragma once

#include "DateTimeValue.h"

#include <QLocale>
#include <QString>

// How stored values read on screen, in exports and in captions: the short date and
// the time without seconds of one locale, and amounts in its currency form.
class DisplayFormats {
public:
    explicit DisplayFormats(const QLocale& locale = QLocale::system());

    const QLocale& locale() const { return m_locale; }

    // A date-time whose status is not valid reads as an empty text.
    QString FormatShortDate(const DateTimeValue& value) const;
    QString FormatShortTime(const DateTimeValue& value) const;
    // The format of an editor of date and time as the two above show them together.
    QString ShortDateTimeFormat() const;
    // A decimal number as text ("12.50", blanks around it allowed) in the currency form.
    // A text that is no number comes back trimmed, as it is.
    QString FormatCurrency(const QString& number) const;
    // The amount printed with "%10.2f" (with three decimals where the currency has
    // them), then through FormatCurrency.
    QString FormatAmount(double amount) const;

    // How many digits the currency shows after the decimal point: 2 for the dollar and
    // the euro, 0 for the yen, 3 for the Kuwaiti dinar.
    int CurrencyDigits() const { return m_currencyDigits; }
    // The ISO code of the currency amounts are in: the locale's until set.
    const QString& currencyCode() const { return m_currencyCode; }
    // Amounts are in this currency from now on: its symbol and its digits.
    void setCurrency(const QString& code);
    // The amount rounded to the currency's minor unit, halves away from zero as the
    // currency form rounds them. An amount worked out from typed decimals that lies on a
    // half, but a hair off it in binary (1.5 x 0.35), counts as the half.
    double RoundAmount(double amount) const;

private:
    QLocale m_locale;
    QString m_timeFormat;
    int m_currencyDigits = 2;
    QString m_currencyCode;
    QString m_currencySymbol; // empty: the locale's own currency and form
};
