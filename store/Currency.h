#pragma once

#include "Decimal.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

// The ISO 4217 currencies as ICU knows them, offline: which codes exist, their names
// and symbols in a locale, how many minor digits each has (0 for the yen, 3 for the
// Kuwaiti dinar) and the rounding of cash where a currency has one (0.05 for the Swiss
// franc), and how amounts convert between two currencies.
namespace Currency {

// Whether the text is an ISO 4217 code, current or withdrawn ("EUR", "JPY", "DEM").
bool IsIsoCode(const QString& code);
// The codes in use today, sorted.
QStringList CurrentCodes();
// "Swiss Franc" ("Schweizer Franken" in German); the code when ICU has no name.
QString Name(const QString& code, const QLocale& locale);
// "€" for EUR in most locales, "CHF" for CHF; the code when ICU has no symbol.
QString Symbol(const QString& code, const QLocale& locale);
// The currency of the locale's country ("EUR" for de_DE); "USD" for the C locale.
QString LocaleCode(const QLocale& locale);
// Digits after the decimal point: 2 unless ICU says otherwise.
int Digits(const QString& code);
// The amount rounded half to even as cash is paid in the currency: to its cash digits
// and its smallest coin (CHF 12.53 is 12.55 in cash, JPY and EUR stay as they are).
std::optional<Decimal> RoundCash(const Decimal& amount, const QString& code);
// The amount in the locale's currency form with the currency's symbol and exactly its
// digits ("1.234,50 €", "￥1,235"); decimals are never cut through a binary fraction.
QString Format(const Decimal& amount, const QString& code, const QLocale& locale);

// A price in another currency converted at a rate (units of the home currency for one
// unit of the other), rounded once, half to even, to the home currency's digits.
std::optional<Decimal> Convert(const Decimal& price, const Decimal& rate, const QString& homeCode);
// The rate that turns the price into the home amount, with as many decimals as it
// needs (at most 12) to convert back to exactly that amount.
std::optional<Decimal> RateBetween(const Decimal& homeAmount, const Decimal& price,
                                   const QString& homeCode);
// A line's amount in its own currency: quantity times price, rounded half to even.
std::optional<Decimal> LineAmount(double quantity, const Decimal& price, const QString& code);

} // namespace Currency
