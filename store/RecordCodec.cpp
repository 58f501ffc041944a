#include "RecordCodec.h"

namespace RecordCodec {

namespace {

// An element for a reader to fill; date-times are read, so the clock is not asked.
template <typename T> T blankItem()
{
    if constexpr (std::is_same_v<T, AppointmentRecord>)
        return AppointmentRecord{DateTimeValue{}};
    else
        return T{};
}

template <typename T, typename ReadOne>
bool readList(ArchiveReader& reader, qsizetype minElementSize, StoredList<T>& list, ReadOne readOne)
{
    list = StoredList<T>{};
    if (!reader.readCount(list.storedCount, minElementSize))
        return false;
    list.items.reserve(qMin<qsizetype>(qMax(list.storedCount, 0), reader.capacity(minElementSize)));
    for (qint32 i = 0; i < list.storedCount; ++i) {
        T item = blankItem<T>();
        if (!readOne(item))
            return false;
        list.items.append(std::move(item));
    }
    return true;
}

template <typename T, typename WriteOne>
QByteArray writeList(const StoredList<T>& list, WriteOne writeOne)
{
    ArchiveWriter writer;
    writer.writeInt32(list.storedCount);
    for (const T& item : list.items)
        writeOne(writer, item);
    return writer.data();
}

bool readTexts(ArchiveReader& reader, std::array<QString, 5>& texts)
{
    for (QString& text : texts) {
        if (!reader.readText(text))
            return false;
    }
    return true;
}

void writeTexts(ArchiveWriter& writer, const std::array<QString, 5>& texts)
{
    for (const QString& text : texts)
        writer.writeText(text);
}

} // namespace

QByteArray encodeTravel(const TravelRecord& t)
{
    ArchiveWriter w;
    w.writeText(t.key);
    w.writeText(t.title);
    w.writeText(t.mode);
    w.writeText(t.from);
    w.writeText(t.destination);
    w.writeText(t.notes);
    w.writeDateTime(t.start);
    w.writeDateTime(t.end);
    w.writeText(t.priority);
    w.writeText(t.status);
    w.writeText(t.type);
    w.writeText(t.ticketNo);
    w.writeText(t.seatNo);
    w.writeInt32(t.icon);
    return w.data();
}

bool decodeTravel(ArchiveReader& r, TravelRecord& t)
{
    return r.readText(t.key) && r.readText(t.title) && r.readText(t.mode) && r.readText(t.from) &&
           r.readText(t.destination) && r.readText(t.notes) && r.readDateTime(t.start) &&
           r.readDateTime(t.end) && r.readText(t.priority) && r.readText(t.status) &&
           r.readText(t.type) && r.readText(t.ticketNo) && r.readText(t.seatNo) &&
           r.readInt32(t.icon);
}

QByteArray encodeStage(const StageRecord& s)
{
    ArchiveWriter w;
    w.writeText(s.key);
    w.writeText(s.travelKey);
    w.writeText(s.title);
    w.writeDateTime(s.date);
    w.writeText(s.place);
    w.writeText(s.notes);
    return w.data();
}

bool decodeStage(ArchiveReader& r, StageRecord& s)
{
    return r.readText(s.key) && r.readText(s.travelKey) && r.readText(s.title) &&
           r.readDateTime(s.date) && r.readText(s.place) && r.readText(s.notes);
}

QByteArray encodeAppointments(const StoredList<AppointmentRecord>& list)
{
    return writeList(list, [](ArchiveWriter& w, const AppointmentRecord& a) {
        w.writeDateTime(a.when);
        w.writeText(a.subject);
        w.writeText(a.location);
        w.writeText(a.notes);
    });
}

bool decodeAppointments(ArchiveReader& r, StoredList<AppointmentRecord>& list)
{
    return readList(r, minAppointmentSize, list, [&r](AppointmentRecord& a) {
        return r.readDateTime(a.when) && r.readText(a.subject) && r.readText(a.location) &&
               r.readText(a.notes);
    });
}

QByteArray encodeCheckList(const StoredList<CheckListItem>& list)
{
    return writeList(list, [](ArchiveWriter& w, const CheckListItem& item) {
        w.writeText(item.text);
        w.writeInt32(item.checked);
    });
}

bool decodeCheckList(ArchiveReader& r, StoredList<CheckListItem>& list)
{
    return readList(r, minCheckListItemSize, list, [&r](CheckListItem& item) {
        return r.readText(item.text) && r.readInt32(item.checked);
    });
}

QByteArray encodeExpenses(const StoredList<ExpenseRecord>& list)
{
    return writeList(list, [](ArchiveWriter& w, const ExpenseRecord& e) {
        w.writeText(e.product);
        w.writeDouble(e.quantity);
        w.writeText(e.unit);
        w.writeDouble(e.pricePerUnit);
        w.writeDouble(e.total);
        w.writeInt32(e.purchased);
    });
}

bool decodeExpenses(ArchiveReader& r, StoredList<ExpenseRecord>& list)
{
    return readList(r, minExpenseSize, list, [&r](ExpenseRecord& e) {
        return r.readText(e.product) && r.readDouble(e.quantity) && r.readText(e.unit) &&
               r.readDouble(e.pricePerUnit) && r.readDouble(e.total) && r.readInt32(e.purchased);
    });
}

QByteArray encodePreferenceList(const QStringList& items)
{
    return writeList(listOf(items),
                     [](ArchiveWriter& w, const QString& item) { w.writeText(item); });
}

bool decodePreferenceList(ArchiveReader& r, QStringList& items)
{
    StoredList<QString> list;
    const bool ok =
        readList(r, minPreferenceItemSize, list, [&r](QString& item) { return r.readText(item); });
    items = std::move(list.items);
    return ok;
}

QByteArray encodeMarker(qint32 value)
{
    ArchiveWriter w;
    w.writeInt32(value);
    return w.data();
}

bool decodeMarker(ArchiveReader& r, qint32& value)
{
    return r.readInt32(value);
}

QByteArray encodeImageCategories(const QList<StoredImageCategory>& categories)
{
    ArchiveWriter w;
    w.writeInt32(qint32(categories.size()));
    for (const StoredImageCategory& stored : categories) {
        w.writeText(stored.category.name);
        writeTexts(w, stored.category.further);
        qint32 live = 0;
        for (const ImageLink& link : stored.links)
            live += link.removed == 0 ? 1 : 0;
        w.writeInt32(live);
        for (const ImageLink& link : stored.links) {
            if (link.removed != 0)
                continue;
            w.writeText(link.picturePath);
            w.writeText(link.displayTitle);
            writeTexts(w, link.further);
        }
    }
    return w.data();
}

bool decodeImageCategories(ArchiveReader& r, QList<StoredImageCategory>& categories)
{
    categories.clear();
    qint32 count = 0;
    if (!r.readCount(count, minImageCategorySize))
        return false;
    for (qint32 c = 0; c < count; ++c) {
        StoredImageCategory stored;
        qint32 links = 0;
        if (!r.readText(stored.category.name) || !readTexts(r, stored.category.further) ||
            !r.readCount(links, minImageLinkSize))
            return false;
        stored.category.imageCount = qMax(links, 0);
        categories.append(stored);
        for (qint32 i = 0; i < links; ++i) {
            ImageLink link;
            if (!r.readText(link.picturePath) || !r.readText(link.displayTitle) ||
                !readTexts(r, link.further))
                return false;
            categories.last().links.append(std::move(link));
        }
    }
    return true;
}

} // namespace RecordCodec
