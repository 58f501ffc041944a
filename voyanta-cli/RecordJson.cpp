#include "RecordJson.h"

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

} // namespace

QJsonObject toJson(const DateTimeValue& value)
{
    return QJsonObject{{QStringLiteral("status"), value.status},
                       {QStringLiteral("days"), value.days}};
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
    return QJsonObject{
        {QStringLiteral("product"), e.product}, {QStringLiteral("quantity"), e.quantity},
        {QStringLiteral("unit"), e.unit},       {QStringLiteral("pricePerUnit"), e.pricePerUnit},
        {QStringLiteral("total"), e.total},     {QStringLiteral("purchased"), e.purchased},
    };
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

} // namespace RecordJson
