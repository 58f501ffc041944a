#include "CurrencySideRows.h"

#include "Archive.h"
#include "Currency.h"

namespace CurrencySideRows {

namespace {

// int32, text, int64+int32, text, 2 x int64+int32, int32, int32, text: the shortest row.
constexpr qsizetype MinRowSize = 4 + 1 + 12 + 1 + 24 + 4 + 4 + 1;

void writeDecimal(ArchiveWriter& writer, const Decimal& value)
{
    writer.writeInt64(value.units());
    writer.writeInt32(value.scale());
}

void writeRows(ArchiveWriter& writer, const QList<CurrencyEntry>& entries)
{
    writer.writeInt32(qint32(entries.size()));
    for (const CurrencyEntry& entry : entries) {
        writer.writeInt32(entry.position);
        writer.writeText(entry.product);
        writeDecimal(writer, entry.homeUnitPrice);
        writer.writeText(entry.foreign.currency);
        writeDecimal(writer, entry.foreign.price);
        writeDecimal(writer, entry.foreign.rate);
        writer.writeInt32(
            entry.foreign.rateDate.isValid() ? qint32(entry.foreign.rateDate.toJulianDay()) : 0);
        writer.writeInt32(entry.foreign.rateFrom == ForeignPrice::RateFrom::Charged ? 1 : 0);
        writer.writeText(entry.note);
    }
}

class RowReader {
public:
    explicit RowReader(const QByteArray& bytes) : m_reader(bytes) {}

    ArchiveReader& archive() { return m_reader; }
    const QString& cause() const { return m_cause; }

    bool readRows(QList<CurrencyEntry>* entries)
    {
        qint32 count = 0;
        if (!m_reader.readCount(count, MinRowSize))
            return false;
        entries->reserve(qMin<qsizetype>(qMax(count, 0), m_reader.capacity(MinRowSize)));
        for (qint32 i = 0; i < count; ++i) {
            CurrencyEntry entry;
            if (!readRow(entry))
                return false;
            entries->append(std::move(entry));
        }
        return true;
    }

private:
    bool refuse(qsizetype at, const QString& what)
    {
        m_cause = QStringLiteral("%1 at byte %2").arg(what).arg(at);
        return false;
    }

    bool readDecimal(Decimal& value)
    {
        const qsizetype at = m_reader.position();
        qint64 units = 0;
        qint32 scale = 0;
        if (!m_reader.readInt64(units) || !m_reader.readInt32(scale))
            return false;
        const auto decimal = Decimal::fromUnits(units, scale);
        if (!decimal)
            return refuse(at, QStringLiteral("an amount out of range"));
        value = *decimal;
        return true;
    }

    // The entries share the codes of the few currencies a travel uses.
    bool readCode(QString& code)
    {
        const qsizetype at = m_reader.position();
        if (!m_reader.readText(code))
            return false;
        for (const QString& seen : std::as_const(m_codes)) {
            if (seen == code) {
                code = seen;
                return true;
            }
        }
        if (!Currency::IsIsoCode(code))
            return refuse(at, QStringLiteral("\"%1\", no ISO 4217 code,").arg(code));
        m_codes.append(code);
        return true;
    }

    bool readRow(CurrencyEntry& entry)
    {
        const qsizetype at = m_reader.position();
        qint32 position = 0;
        qint32 day = 0;
        qint32 from = 0;
        if (!m_reader.readInt32(position) || !m_reader.readText(entry.product) ||
            !readDecimal(entry.homeUnitPrice) || !readCode(entry.foreign.currency) ||
            !readDecimal(entry.foreign.price) || !readDecimal(entry.foreign.rate) ||
            !m_reader.readInt32(day) || !m_reader.readInt32(from) || !m_reader.readText(entry.note))
            return false;
        if (position < 0 || entry.foreign.rate.units() < 0 || day < 0 ||
            day > QDate(9999, 12, 31).toJulianDay() || (from != 0 && from != 1))
            return refuse(at, QStringLiteral("an entry that is not whole"));
        entry.position = position;
        entry.foreign.rateDate = day > 0 ? QDate::fromJulianDay(day) : QDate();
        entry.foreign.rateFrom =
            from == 1 ? ForeignPrice::RateFrom::Charged : ForeignPrice::RateFrom::Typed;
        return true;
    }

    ArchiveReader m_reader;
    QString m_cause;
    QList<QString> m_codes;
};

} // namespace

QByteArray Encode(const CurrencySideFile& file)
{
    ArchiveWriter writer;
    writer.writeInt32(Magic);
    writer.writeInt32(Version);
    writer.writeText(file.home);
    writeRows(writer, file.entries);
    writeRows(writer, file.setAside);
    return writer.data();
}

std::optional<CurrencySideFile> Decode(const QByteArray& bytes, QString* cause)
{
    RowReader rows(bytes);
    ArchiveReader& reader = rows.archive();
    CurrencySideFile file;
    qint32 magic = 0;
    qint32 version = 0;
    if (reader.readInt32(magic) && reader.readInt32(version) &&
        (magic != Magic || version != Version)) {
        *cause = QStringLiteral("not a currency file of version %1").arg(Version);
        return std::nullopt;
    }
    const bool whole =
        reader.readText(file.home) && rows.readRows(&file.entries) && rows.readRows(&file.setAside);
    if (!whole || reader.remaining() > 0) {
        *cause = !rows.cause().isEmpty() ? rows.cause()
                 : reader.error()
                     ? QStringLiteral("%1 at byte %2")
                           .arg(reader.error()->cause)
                           .arg(reader.error()->offset)
                     : QStringLiteral("%1 bytes after its end").arg(reader.remaining());
        return std::nullopt;
    }
    if (file.home.isEmpty() || !Currency::IsIsoCode(file.home)) {
        *cause = QStringLiteral("home currency \"%1\" is no ISO 4217 code").arg(file.home);
        return std::nullopt;
    }
    return file;
}

} // namespace CurrencySideRows
