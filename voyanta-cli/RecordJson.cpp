#include "RecordJson.h"

#include "Currency.h"
#include "TravelDataStore.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>

namespace RecordJson {

namespace {

QJsonArray textsToJson(const std::array<QString, 5>& texts)
{
    QJsonArray array;
    for (const QString& text : texts)
        array.append(text);
    return array;
}

template <typename T> QJsonObject listToJson(const StoredList<T>& list)
{
    QJsonArray items;
    for (const T& item : list.items)
        items.append(toJson(item));
    return QJsonObject{{QStringLiteral("count"), list.storedCount},
                       {QStringLiteral("items"), items}};
}

constexpr quint64 quietNaNBits = 0x7FF8000000000000;

quint64 bitsOf(double number)
{
    return std::bit_cast<quint64>(number);
}

// A day count as JSON: a number where the number reads back to the same bits, a text
// where it would not (JSON has no infinities or NaN, and a -0 reads back as 0).
QJsonValue daysToJson(double days)
{
    if (std::isfinite(days) && !(days == 0.0 && std::signbit(days)))
        return days;
    if (std::isinf(days))
        return days > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (bitsOf(days) == quietNaNBits)
        return QStringLiteral("NaN");
    return QStringLiteral("0x%1").arg(bitsOf(days), 16, 16, QLatin1Char('0'));
}

// The texts daysToJson writes; any 16 hex digits name a double by its bits.
std::optional<double> daysFromText(const QString& text)
{
    if (text == QLatin1String("NaN"))
        return std::bit_cast<double>(quietNaNBits);
    if (text == QLatin1String("Infinity"))
        return std::numeric_limits<double>::infinity();
    if (text == QLatin1String("-Infinity"))
        return -std::numeric_limits<double>::infinity();
    if (text.size() != 18 || !text.startsWith(QLatin1String("0x")))
        return std::nullopt;
    const auto isHexDigit = [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    };
    if (!std::all_of(text.cbegin() + 2, text.cend(), isHexDigit))
        return std::nullopt;
    return std::bit_cast<double>(text.mid(2).toULongLong(nullptr, 16));
}

// Whether a date-time names a day in the years 100 to 9999, as the handheld's dates
// do: every view and export shows those.
bool isShownAsDate(const DateTimeValue& value)
{
    if (!value.hasCalendarValue())
        return false;
    const int year = value.date().year();
    return year >= 100 && year <= 9999;
}

} // namespace

QJsonObject toJson(const DateTimeValue& value)
{
    return QJsonObject{{QStringLiteral("status"), value.status},
                       {QStringLiteral("days"), daysToJson(value.days)}};
}

QJsonObject toJson(const TravelRecord& t)
{
    return QJsonObject{
        {QStringLiteral("key"), t.key},
        {QStringLiteral("title"), t.title},
        {QStringLiteral("mode"), t.mode},
        {QStringLiteral("from"), t.from},
        {QStringLiteral("destination"), t.destination},
        {QStringLiteral("notes"), t.notes},
        {QStringLiteral("start"), toJson(t.start)},
        {QStringLiteral("end"), toJson(t.end)},
        {QStringLiteral("priority"), t.priority},
        {QStringLiteral("status"), t.status},
        {QStringLiteral("type"), t.type},
        {QStringLiteral("ticketNo"), t.ticketNo},
        {QStringLiteral("seatNo"), t.seatNo},
        {QStringLiteral("icon"), t.icon},
    };
}

QJsonObject toJson(const StageRecord& s)
{
    return QJsonObject{
        {QStringLiteral("key"), s.key},     {QStringLiteral("travelKey"), s.travelKey},
        {QStringLiteral("title"), s.title}, {QStringLiteral("date"), toJson(s.date)},
        {QStringLiteral("place"), s.place}, {QStringLiteral("notes"), s.notes},
    };
}

QJsonObject toJson(const AppointmentRecord& a)
{
    return QJsonObject{
        {QStringLiteral("when"), toJson(a.when)},
        {QStringLiteral("subject"), a.subject},
        {QStringLiteral("location"), a.location},
        {QStringLiteral("notes"), a.notes},
    };
}

QJsonObject toJson(const CheckListItem& item)
{
    return QJsonObject{{QStringLiteral("text"), item.text},
                       {QStringLiteral("checked"), item.checked}};
}

QJsonObject toJson(const ExpenseRecord& e)
{
    QJsonObject object{
        {QStringLiteral("product"), e.product}, {QStringLiteral("quantity"), e.quantity},
        {QStringLiteral("unit"), e.unit},       {QStringLiteral("pricePerUnit"), e.pricePerUnit},
        {QStringLiteral("total"), e.total},     {QStringLiteral("purchased"), e.purchased},
    };
    if (e.foreign) {
        // Decimal strings: a JSON number would pass through a binary double.
        object.insert(QStringLiteral("currency"), e.foreign->currency);
        object.insert(QStringLiteral("foreignPrice"), e.foreign->price.toString());
        object.insert(QStringLiteral("rate"), e.foreign->rate.toString());
        object.insert(QStringLiteral("rateDate"), e.foreign->rateDate.toString(Qt::ISODate));
        object.insert(QStringLiteral("rateFrom"),
                      e.foreign->rateFrom == ForeignPrice::RateFrom::Charged
                          ? QStringLiteral("charged")
                          : QStringLiteral("typed"));
    }
    return object;
}

QJsonObject toJson(const StoredImageCategory& stored)
{
    QJsonArray links;
    for (const ImageLink& link : stored.links) {
        links.append(QJsonObject{
            {QStringLiteral("picturePath"), link.picturePath},
            {QStringLiteral("displayTitle"), link.displayTitle},
            {QStringLiteral("further"), textsToJson(link.further)},
        });
    }
    return QJsonObject{
        {QStringLiteral("name"), stored.category.name},
        {QStringLiteral("further"), textsToJson(stored.category.further)},
        {QStringLiteral("links"), links},
    };
}

QJsonObject fileToJson(const DecodedRecord& record)
{
    struct Visitor {
        QJsonObject operator()(const TravelRecord& travel) const { return toJson(travel); }
        QJsonObject operator()(const StageRecord& stage) const { return toJson(stage); }
        QJsonObject operator()(const StoredList<AppointmentRecord>& l) const
        {
            return listToJson(l);
        }
        QJsonObject operator()(const StoredList<CheckListItem>& l) const { return listToJson(l); }
        QJsonObject operator()(const StoredList<ExpenseRecord>& l) const { return listToJson(l); }
        QJsonObject operator()(const QStringList& items) const
        {
            return QJsonObject{{QStringLiteral("count"), items.size()},
                               {QStringLiteral("items"), QJsonArray::fromStringList(items)}};
        }
        QJsonObject operator()(qint32 value) const
        {
            return QJsonObject{{QStringLiteral("value"), value}};
        }
        QJsonObject operator()(const QList<StoredImageCategory>& categories) const
        {
            QJsonArray array;
            for (const StoredImageCategory& category : categories)
                array.append(toJson(category));
            return QJsonObject{{QStringLiteral("categories"), array}};
        }
    };
    return std::visit(Visitor{}, record);
}

namespace {

// Reads members of one object into fields, keeping the first thing that is wrong.
class MemberReader {
public:
    MemberReader(const QJsonObject& object, QString* error) : m_object(object), m_error(error) {}

    void text(const char* name, QString& field)
    {
        const QJsonValue value = m_object.value(QLatin1String(name));
        if (value.isUndefined())
            return;
        if (!value.isString())
            return fail(name, "a text");
        field = value.toString();
    }

    void integer(const char* name, qint32& field)
    {
        const QJsonValue value = m_object.value(QLatin1String(name));
        if (value.isUndefined())
            return;
        const double number = value.toDouble(0.5);
        if (!value.isDouble() || number != std::trunc(number) || number < -2147483648.0 ||
            number > 2147483647.0)
            return fail(name, "a 32-bit integer");
        field = qint32(number);
    }

    // "currency", "foreignPrice", "rate", "rateDate" and "rateFrom" together, or none.
    void foreign(std::optional<ForeignPrice>& field)
    {
        const QJsonValue code = m_object.value(QLatin1String("currency"));
        if (code.isUndefined())
            return;
        ForeignPrice price;
        price.currency = code.toString();
        if (!Currency::IsIsoCode(price.currency))
            return fail("currency", "an ISO 4217 currency code such as \"EUR\"");
        const auto paid = Decimal::parse(m_object.value(QLatin1String("foreignPrice")).toString());
        if (!paid || paid->units() < 0)
            return fail("foreignPrice",
                        "a decimal number of at least 0 as a text, such as \"12.50\"");
        price.price = *paid;
        const auto rate = Decimal::parse(m_object.value(QLatin1String("rate")).toString());
        if (!rate || !rate->isPositive())
            return fail("rate", "a positive decimal number as a text, such as \"0.9412\"");
        price.rate = *rate;
        const QJsonValue date = m_object.value(QLatin1String("rateDate"));
        price.rateDate = QDate::fromString(date.toString(), Qt::ISODate);
        if (!date.isUndefined() && !price.rateDate.isValid())
            return fail("rateDate", "a date as yyyy-mm-dd");
        const QString from = m_object.value(QLatin1String("rateFrom")).toString();
        if (from == QLatin1String("charged"))
            price.rateFrom = ForeignPrice::RateFrom::Charged;
        else if (!from.isEmpty() && from != QLatin1String("typed"))
            return fail("rateFrom", "\"typed\" or \"charged\"");
        field = price;
    }

    // Only finite numbers: an amount that is no number (shown as null) is refused
    // rather than stored, as is one too large for a double.
    void amount(const char* name, double& field)
    {
        const QJsonValue value = m_object.value(QLatin1String(name));
        if (value.isUndefined())
            return;
        if (!value.isDouble() || !std::isfinite(value.toDouble()))
            return fail(name, "a finite number");
        field = value.toDouble();
    }

    // A day count as toJson writes it: a finite number or one of its texts.
    void days(const char* name, double& field)
    {
        const QJsonValue value = m_object.value(QLatin1String(name));
        if (value.isUndefined())
            return;
        std::optional<double> days;
        if (value.isString())
            days = daysFromText(value.toString());
        else if (value.isDouble() && std::isfinite(value.toDouble()))
            days = value.toDouble();
        if (!days)
            return fail(name, "a finite number, \"NaN\", \"Infinity\", \"-Infinity\" or "
                              "\"0x\" and 16 hex digits");
        field = *days;
    }

    // Status and days; a valid date-time must show as a date.
    void dateTime(const char* name, DateTimeValue& field)
    {
        const QJsonValue value = m_object.value(QLatin1String(name));
        if (value.isUndefined())
            return;
        if (!value.isObject())
            return fail(name, "an object with status and days");
        MemberReader inner(value.toObject(), m_error);
        inner.m_prefix = m_prefix + QLatin1String(name) + QLatin1Char('.');
        inner.integer("status", field.status);
        inner.days("days", field.days);
        if (inner.ok() && field.isValid() && !isShownAsDate(field))
            inner.fail("days", "a date in the years 100 to 9999 when \"status\" is 0 (valid)");
        m_failed = m_failed || inner.m_failed;
    }

    // The further texts of a picture category or link: at most five texts.
    void further(std::array<QString, 5>& texts)
    {
        const QJsonValue value = m_object.value(QLatin1String("further"));
        if (value.isUndefined())
            return;
        const QJsonArray array = value.toArray();
        const bool allTexts = std::all_of(array.cbegin(), array.cend(),
                                          [](const QJsonValue& text) { return text.isString(); });
        if (!value.isArray() || array.size() > qsizetype(texts.size()) || !allTexts)
            return fail("further", "an array of at most 5 texts");
        for (qsizetype i = 0; i < array.size(); ++i)
            texts[size_t(i)] = array.at(i).toString();
    }

    // The links of a picture category, each an object as toJson writes it.
    void links(QList<ImageLink>& links)
    {
        const QJsonValue value = m_object.value(QLatin1String("links"));
        if (value.isUndefined())
            return;
        if (!value.isArray())
            return fail("links", "an array");
        const QJsonArray array = value.toArray();
        if (array.size() > LinksPerCategory)
            return fail("links", "an array of at most 1000 links");
        for (qsizetype i = 0; i < array.size() && !m_failed; ++i) {
            if (!array.at(i).isObject())
                return failAt(QStringLiteral("links[%1]").arg(i), "an object");
            MemberReader inner(array.at(i).toObject(), m_error);
            inner.m_prefix = m_prefix + QStringLiteral("links[%1].").arg(i);
            ImageLink link;
            inner.text("picturePath", link.picturePath);
            inner.text("displayTitle", link.displayTitle);
            inner.further(link.further);
            m_failed = m_failed || inner.m_failed;
            links.append(std::move(link));
        }
    }

    bool ok() const { return !m_failed; }

private:
    void fail(const char* name, const char* expected) { failAt(QLatin1String(name), expected); }
    void failAt(const QString& member, const char* expected)
    {
        if (!m_failed && m_error)
            *m_error = QStringLiteral("\"%1%2\" must be %3")
                           .arg(m_prefix, member, QLatin1String(expected));
        m_failed = true;
    }

    QJsonObject m_object;
    QString* m_error;
    QString m_prefix;
    bool m_failed = false;
};

} // namespace

bool fromJson(const QJsonObject& object, TravelRecord& t, QString* error)
{
    MemberReader read(object, error);
    read.text("key", t.key);
    read.text("title", t.title);
    read.text("mode", t.mode);
    read.text("from", t.from);
    read.text("destination", t.destination);
    read.text("notes", t.notes);
    read.dateTime("start", t.start);
    read.dateTime("end", t.end);
    read.text("priority", t.priority);
    read.text("status", t.status);
    read.text("type", t.type);
    read.text("ticketNo", t.ticketNo);
    read.text("seatNo", t.seatNo);
    read.integer("icon", t.icon);
    return read.ok();
}

bool fromJson(const QJsonObject& object, StageRecord& s, QString* error)
{
    MemberReader read(object, error);
    read.text("key", s.key);
    read.text("travelKey", s.travelKey);
    read.text("title", s.title);
    read.dateTime("date", s.date);
    read.text("place", s.place);
    read.text("notes", s.notes);
    return read.ok();
}

bool fromJson(const QJsonObject& object, AppointmentRecord& a, QString* error)
{
    MemberReader read(object, error);
    read.dateTime("when", a.when);
    read.text("subject", a.subject);
    read.text("location", a.location);
    read.text("notes", a.notes);
    return read.ok();
}

bool fromJson(const QJsonObject& object, CheckListItem& item, QString* error)
{
    MemberReader read(object, error);
    read.text("text", item.text);
    read.integer("checked", item.checked);
    return read.ok();
}

bool fromJson(const QJsonObject& object, ExpenseRecord& e, QString* error)
{
    MemberReader read(object, error);
    read.text("product", e.product);
    read.amount("quantity", e.quantity);
    read.text("unit", e.unit);
    read.amount("pricePerUnit", e.pricePerUnit);
    read.amount("total", e.total);
    read.integer("purchased", e.purchased);
    read.foreign(e.foreign);
    return read.ok();
}

bool fromJson(const QJsonObject& object, StoredImageCategory& category, QString* error)
{
    MemberReader read(object, error);
    read.text("name", category.category.name);
    read.further(category.category.further);
    read.links(category.links);
    category.category.imageCount = qint32(category.links.size());
    return read.ok();
}

} // namespace RecordJson
