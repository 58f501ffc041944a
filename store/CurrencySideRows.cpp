#include "CurrencySideRows.h"

#include "Currency.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>

namespace CurrencySideRows {

namespace {

const char* const fieldNames[FieldCount] = {"position",  "product",    "homeUnits",  "homeScale",
                                            "currency",  "priceUnits", "priceScale", "rateUnits",
                                            "rateScale", "rateDay",    "rateFrom",   "note"};

void writeRow(QCborStreamWriter& writer, const CurrencyEntry& entry)
{
    writer.startArray(FieldCount);
    writer.append(qint64(entry.position));
    writer.append(entry.product);
    writer.append(entry.homeUnitPrice.units());
    writer.append(qint64(entry.homeUnitPrice.scale()));
    writer.append(entry.foreign.currency);
    writer.append(entry.foreign.price.units());
    writer.append(qint64(entry.foreign.price.scale()));
    writer.append(entry.foreign.rate.units());
    writer.append(qint64(entry.foreign.rate.scale()));
    writer.append(entry.foreign.rateDate.isValid() ? entry.foreign.rateDate.toJulianDay() : 0);
    writer.append(qint64(entry.foreign.rateFrom == ForeignPrice::RateFrom::Charged ? 1 : 0));
    writer.append(entry.note);
    writer.endArray();
}

void writeRows(QCborStreamWriter& writer, const QList<CurrencyEntry>& entries)
{
    writer.startArray(quint64(entries.size()));
    for (const CurrencyEntry& entry : entries)
        writeRow(writer, entry);
    writer.endArray();
}

// Reads the reader's current text string whole; false when it is none or ends early.
bool readText(QCborStreamReader& reader, QString* text)
{
    if (!reader.isString())
        return false;
    auto chunk = reader.readString();
    *text = std::move(chunk.data); // most strings come in one chunk
    while (chunk.status == QCborStreamReader::Ok) {
        chunk = reader.readString();
        *text += chunk.data;
    }
    return chunk.status == QCborStreamReader::EndOfString;
}

bool readInteger(QCborStreamReader& reader, qint64 min, qint64 max, qint64* value)
{
    if (!reader.isInteger() ||
        (reader.isUnsignedInteger() && quint64(reader.toUnsignedInteger()) > quint64(max)))
        return false;
    *value = reader.toInteger();
    reader.next();
    return *value >= min && *value <= max;
}

std::optional<Decimal> readDecimal(QCborStreamReader& reader)
{
    qint64 units = 0;
    qint64 scale = 0;
    if (!readInteger(reader, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(),
                     &units) ||
        !readInteger(reader, 0, Decimal::MaxScale, &scale))
        return std::nullopt;
    return Decimal::fromUnits(units, int(scale));
}

// The currency codes read so far: a travel uses a handful, and the entries share them
// instead of holding a string each.
using KnownCodes = QList<QString>;

bool readCode(QCborStreamReader& reader, KnownCodes& known, QString* code)
{
    if (!readText(reader, code))
        return false;
    for (const QString& seen : std::as_const(known)) {
        if (seen == *code) {
            *code = seen;
            return true;
        }
    }
    if (!Currency::IsIsoCode(*code))
        return false;
    known.append(*code);
    return true;
}

std::optional<CurrencyEntry> readRow(QCborStreamReader& reader, KnownCodes& known)
{
    if (!reader.isArray() || !reader.isLengthKnown() || reader.length() != FieldCount ||
        !reader.enterContainer())
        return std::nullopt;
    CurrencyEntry entry;
    qint64 position = 0;
    qint64 day = 0;
    qint64 from = 0;
    if (!readInteger(reader, 0, 1000000000, &position) || !readText(reader, &entry.product))
        return std::nullopt;
    const auto home = readDecimal(reader);
    if (!home || !readCode(reader, known, &entry.foreign.currency))
        return std::nullopt;
    const auto price = readDecimal(reader);
    const auto rate = readDecimal(reader);
    if (!price || !rate || rate->units() < 0 ||
        !readInteger(reader, 0, QDate(9999, 12, 31).toJulianDay(), &day) ||
        !readInteger(reader, 0, 1, &from) || !readText(reader, &entry.note) || reader.hasNext() ||
        !reader.leaveContainer())
        return std::nullopt;
    entry.position = int(position);
    entry.homeUnitPrice = *home;
    entry.foreign.price = *price;
    entry.foreign.rate = *rate;
    entry.foreign.rateDate = day > 0 ? QDate::fromJulianDay(day) : QDate();
    entry.foreign.rateFrom =
        from == 1 ? ForeignPrice::RateFrom::Charged : ForeignPrice::RateFrom::Typed;
    return entry;
}

bool readRows(QCborStreamReader& reader, QList<CurrencyEntry>* entries, qsizetype bytes)
{
    if (!reader.isArray())
        return false;
    // A row takes at least a dozen bytes: a declared length cannot reserve more than
    // the file could hold.
    if (reader.isLengthKnown())
        entries->reserve(qsizetype(qMin<quint64>(reader.length(), quint64(bytes / 12))));
    if (!reader.enterContainer())
        return false;
    KnownCodes known;
    while (reader.hasNext()) {
        auto entry = readRow(reader, known);
        if (!entry)
            return false;
        entries->append(std::move(*entry));
    }
    return reader.leaveContainer();
}

} // namespace

QByteArray Encode(const CurrencySideFile& file)
{
    QByteArray bytes;
    QCborStreamWriter writer(&bytes);
    writer.startMap(5);
    writer.append(QLatin1StringView("voyantaCurrencies"));
    writer.append(qint64(Version));
    writer.append(QLatin1StringView("home"));
    writer.append(file.home);
    writer.append(QLatin1StringView("fields"));
    writer.startArray(FieldCount);
    for (const char* name : fieldNames)
        writer.append(QLatin1StringView(name));
    writer.endArray();
    writer.append(QLatin1StringView("entries"));
    writeRows(writer, file.entries);
    writer.append(QLatin1StringView("setAside"));
    writeRows(writer, file.setAside);
    writer.endMap();
    return bytes;
}

std::optional<CurrencySideFile> Decode(const QByteArray& bytes, QString* cause)
{
    QCborStreamReader reader(bytes);
    CurrencySideFile file;
    qint64 version = 0;
    bool ok = reader.isMap() && reader.enterContainer();
    QString key;
    while (ok && reader.hasNext()) {
        ok = readText(reader, &key);
        if (!ok)
            break;
        if (key == u"voyantaCurrencies")
            ok = readInteger(reader, 0, std::numeric_limits<int>::max(), &version) &&
                 version == Version;
        else if (key == u"home")
            ok = readText(reader, &file.home) && Currency::IsIsoCode(file.home);
        else if (key == u"entries")
            ok = readRows(reader, &file.entries, bytes.size());
        else if (key == u"setAside")
            ok = readRows(reader, &file.setAside, bytes.size());
        else
            ok = reader.next(); // the field names, and what later versions may add
    }
    // A cut stream ends the containers as if they were whole; its error stays.
    ok = ok && reader.leaveContainer() && reader.lastError() == QCborError::NoError &&
         reader.currentOffset() == bytes.size();
    if (!ok || version != Version) {
        *cause = reader.lastError() != QCborError::NoError
                     ? QStringLiteral("not a currency file: %1 at byte %2")
                           .arg(reader.lastError().toString())
                           .arg(reader.currentOffset())
                     : QStringLiteral("not a currency file of version %1 (at byte %2)")
                           .arg(Version)
                           .arg(reader.currentOffset());
        return std::nullopt;
    }
    if (file.home.isEmpty()) {
        *cause = QStringLiteral("no home currency");
        return std::nullopt;
    }
    return file;
}

} // namespace CurrencySideRows
