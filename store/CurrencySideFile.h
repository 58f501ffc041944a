#pragma once

#include "ForeignPrice.h"
#include "Records.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// The currencies of a travel's expenses live beside its expense file, in
// "Currencies" + travel key + ".cur", which readers of the record files never open: the
// expense file keeps its layout and its meaning (amounts in the home currency). Each
// entry names its expense by position, product and home unit price together, so that
// an expense file changed by a program that does not know this file is never paired
// with the wrong entry: such an entry is set aside with a note and kept, not applied.
struct CurrencyEntry {
    int position = 0;
    QString product;
    Decimal homeUnitPrice;
    ForeignPrice foreign;
    QString note; // why it is set aside; empty while it applies

    bool operator==(const CurrencyEntry&) const = default;
};

struct CurrencySideFile {
    QString home; // the currency the home prices are in
    QList<CurrencyEntry> entries;
    QList<CurrencyEntry> setAside;

    bool isEmpty() const { return entries.isEmpty() && setAside.isEmpty(); }
};

// The rate last used for a currency, offered for the next expense in it.
struct RateQuote {
    Decimal rate;
    QDate rateDate;

    bool operator==(const RateQuote&) const = default;
};

// What the working directory keeps in "Currencies.cur": its home currency and the
// last rate used for each other currency.
struct CurrencySettings {
    QString home; // empty: the locale's currency
    QMap<QString, RateQuote> lastRates;
};

namespace CurrencySide {

QByteArray Encode(const CurrencySideFile& file);
// Nothing, with the cause, for bytes that are not a whole side file.
std::optional<CurrencySideFile> Decode(const QByteArray& bytes, QString* cause);

QByteArray EncodeSettings(const CurrencySettings& settings);
std::optional<CurrencySettings> DecodeSettings(const QByteArray& bytes, QString* cause);

// Gives each line the foreign price of the entry that names it, where the entry still
// matches; returns the entries that do not (with their note), and those set aside
// before. `fileName` names the expense file in the notes.
QList<CurrencyEntry> Apply(const CurrencySideFile& file, const QString& home,
                           const QString& fileName, QList<ExpenseRecord>& lines);
// The side file of these lines; entries set aside stay in it.
CurrencySideFile Build(const QList<ExpenseRecord>& lines, const QString& home,
                       const QList<CurrencyEntry>& setAside);
// Whether the line's home price is its foreign price at its rate (always, while it has
// no rate yet).
bool Agrees(const ExpenseRecord& line, const QString& home);

} // namespace CurrencySide
