#include "CurrencySideFile.h"

#include "Currency.h"
#include "CurrencySideRows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

const QString formatKey = QStringLiteral("voyantaCurrencies");
// Version 1 kept each entry as an object, version 2 as a row of JSON text; version 3
// (CurrencySideRows) is binary. Files of version 2 are still read.
constexpr int textSideFileVersion = 2;
constexpr int settingsVersion = 1;

// A version 2 entry is a row of fields in this order, named once in the file.
enum EntryField {
    Position,
    Product,
    HomeUnitPrice,
    Code,
    ForeignPrice_,
    Rate,
    RateDate,
    RateFrom,
    Note,
    FieldCount
};

std::optional<Decimal> decimalIn(const QJsonValue& value)
{
    return value.isString() ? Decimal::parse(value.toString()) : std::nullopt;
}

std::optional<CurrencyEntry> readEntry(const QJsonValue& value, QString* cause)
{
    const QJsonArray row = value.toArray();
    CurrencyEntry entry;
    const QJsonValue position = row.at(Position);
    const auto home = decimalIn(row.at(HomeUnitPrice));
    const auto price = decimalIn(row.at(ForeignPrice_));
    const auto rate = decimalIn(row.at(Rate));
    entry.foreign.currency = row.at(Code).toString();
    entry.foreign.rateDate = QDate::fromString(row.at(RateDate).toString(), Qt::ISODate);
    const QString from = row.at(RateFrom).toString();
    if (!value.isArray() || row.size() != FieldCount || !position.isDouble() ||
        position.toDouble() < 0 || position.toDouble() > 1e9 ||
        position.toDouble() != std::floor(position.toDouble()) || !row.at(Product).isString() ||
        !home || !price || !rate || !Currency::IsIsoCode(entry.foreign.currency) ||
        rate->units() < 0 || (from != QLatin1String("typed") && from != QLatin1String("charged"))) {
        *cause = QStringLiteral("entry %1 is not a whole currency entry")
                     .arg(QString::fromUtf8(QJsonDocument(row).toJson(QJsonDocument::Compact)));
        return std::nullopt;
    }
    entry.position = position.toInt();
    entry.product = row.at(Product).toString();
    entry.homeUnitPrice = *home;
    entry.foreign.price = *price;
    entry.foreign.rate = *rate;
    entry.foreign.rateFrom = from == QLatin1String("charged") ? ForeignPrice::RateFrom::Charged
                                                              : ForeignPrice::RateFrom::Typed;
    entry.note = row.at(Note).toString();
    return entry;
}

std::optional<QJsonObject> readObject(const QByteArray& bytes, int version, QString* cause)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        *cause = QStringLiteral("not a currency file: %1 at byte %2")
                     .arg(error.errorString())
                     .arg(error.offset);
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    if (object.value(formatKey).toInt() != version) {
        *cause = QStringLiteral("not a currency file of version %1").arg(version);
        return std::nullopt;
    }
    return object;
}

// The home currency a file names: an ISO 4217 code, or none.
bool readHome(const QJsonObject& object, QString* home, QString* cause)
{
    *home = object.value(QStringLiteral("home")).toString();
    if (home->isEmpty() || Currency::IsIsoCode(*home))
        return true;
    *cause = QStringLiteral("home currency \"%1\" is no ISO 4217 code").arg(*home);
    return false;
}

// Why the entry does not name this line, or empty when it does.
QString mismatch(const CurrencyEntry& entry, const QList<ExpenseRecord>& lines, const QString& home,
                 const QString& fileName)
{
    const int number = entry.position + 1;
    if (entry.position >= lines.size())
        return QStringLiteral("expense %1 (\"%2\") is no longer in %3")
            .arg(number)
            .arg(entry.product, fileName);
    const ExpenseRecord& line = lines[entry.position];
    if (line.product != entry.product)
        return QStringLiteral("expense %1 of %2 is now \"%3\", not \"%4\"")
            .arg(number)
            .arg(fileName, line.product, entry.product);
    const auto homePrice = Decimal::fromDouble(line.pricePerUnit, Currency::Digits(home));
    if (!homePrice || *homePrice != entry.homeUnitPrice)
        return QStringLiteral("the price of expense %1 (\"%2\") in %3 is now %4, not %5")
            .arg(number)
            .arg(entry.product, fileName, homePrice ? homePrice->toString() : QString(),
                 entry.homeUnitPrice.toString());
    if (!entry.foreign.rate.isZero() &&
        Currency::Convert(entry.foreign.price, entry.foreign.rate, home) != entry.homeUnitPrice)
        return QStringLiteral("expense %1 (\"%2\"): %3 %4 at %5 is not %6")
            .arg(number)
            .arg(entry.product, entry.foreign.currency, entry.foreign.price.toString(),
                 entry.foreign.rate.toString(), entry.homeUnitPrice.toString());
    return {};
}

} // namespace

namespace CurrencySide {

QByteArray Encode(const CurrencySideFile& file)
{
    return CurrencySideRows::Encode(file);
}

std::optional<CurrencySideFile> Decode(const QByteArray& bytes, QString* cause)
{
    if (!QByteArrayView(bytes).trimmed().startsWith('{'))
        return CurrencySideRows::Decode(bytes, cause);
    const auto object = readObject(bytes, textSideFileVersion, cause);
    if (!object)
        return std::nullopt;
    CurrencySideFile file;
    if (!readHome(*object, &file.home, cause))
        return std::nullopt;
    if (file.home.isEmpty()) {
        *cause = QStringLiteral("no home currency");
        return std::nullopt;
    }
    for (const auto& [key, list] : {std::pair{QStringLiteral("entries"), &file.entries},
                                    std::pair{QStringLiteral("setAside"), &file.setAside}}) {
        const QJsonArray values = object->value(key).toArray();
        list->reserve(values.size());
        for (const QJsonValue& value : values) {
            auto entry = readEntry(value, cause);
            if (!entry)
                return std::nullopt;
            list->append(std::move(*entry));
        }
    }
    return file;
}

QByteArray EncodeSettings(const CurrencySettings& settings)
{
    QJsonObject rates;
    for (auto it = settings.lastRates.cbegin(); it != settings.lastRates.cend(); ++it)
        rates.insert(it.key(),
                     QJsonObject{{QStringLiteral("rate"), it->rate.toString()},
                                 {QStringLiteral("rateDate"), it->rateDate.toString(Qt::ISODate)}});
    return QJsonDocument(QJsonObject{{formatKey, settingsVersion},
                                     {QStringLiteral("home"), settings.home},
                                     {QStringLiteral("lastRates"), rates}})
        .toJson(QJsonDocument::Indented);
}

std::optional<CurrencySettings> DecodeSettings(const QByteArray& bytes, QString* cause)
{
    const auto object = readObject(bytes, settingsVersion, cause);
    if (!object)
        return std::nullopt;
    CurrencySettings settings;
    if (!readHome(*object, &settings.home, cause))
        return std::nullopt;
    const QJsonObject rates = object->value(QStringLiteral("lastRates")).toObject();
    for (auto it = rates.constBegin(); it != rates.constEnd(); ++it) {
        const QJsonObject quote = it.value().toObject();
        const auto rate = decimalIn(quote.value(QStringLiteral("rate")));
        if (Currency::IsIsoCode(it.key()) && rate && rate->isPositive())
            settings.lastRates.insert(
                it.key(), RateQuote{*rate, QDate::fromString(
                                               quote.value(QStringLiteral("rateDate")).toString(),
                                               Qt::ISODate)});
    }
    return settings;
}

QList<CurrencyEntry> Apply(const CurrencySideFile& file, const QString& home,
                           const QString& fileName, QList<ExpenseRecord>& lines)
{
    QList<CurrencyEntry> setAside = file.setAside;
    for (const CurrencyEntry& entry : file.entries) {
        QString note = file.home != home
                           ? QStringLiteral("converted into %1, but the home currency is now %2")
                                 .arg(file.home, home)
                           : mismatch(entry, lines, home, fileName);
        if (note.isEmpty() && lines[entry.position].foreign)
            note = QStringLiteral("a second entry for expense %1").arg(entry.position + 1);
        if (note.isEmpty()) {
            lines[entry.position].foreign = entry.foreign;
        } else {
            setAside.append(entry);
            setAside.last().note = note;
        }
    }
    return setAside;
}

CurrencySideFile Build(const QList<ExpenseRecord>& lines, const QString& home,
                       const QList<CurrencyEntry>& setAside)
{
    CurrencySideFile file{home, {}, setAside};
    const int digits = Currency::Digits(home);
    for (int position = 0; position < int(lines.size()); ++position) {
        const ExpenseRecord& line = lines[position];
        if (!line.foreign)
            continue;
        file.entries.append({position, line.product,
                             Decimal::fromDouble(line.pricePerUnit, digits).value_or(Decimal()),
                             *line.foreign, QString()});
    }
    return file;
}

bool Agrees(const ExpenseRecord& line, const QString& home)
{
    if (!line.foreign || line.foreign->rate.isZero())
        return true;
    return Currency::Convert(line.foreign->price, line.foreign->rate, home) ==
           Decimal::fromDouble(line.pricePerUnit, Currency::Digits(home));
}

} // namespace CurrencySide
