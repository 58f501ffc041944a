#include "ConflictDifferences.h"

#include "Archive.h"
#include "RecordCodec.h"
#include "SaveFile.h"

#include <QFileInfo>
#include <QLocale>

namespace {

QString dateText(const DateTimeValue& value)
{
    return QLocale().toString(value.toWallClock(), QLocale::ShortFormat);
}

QString amount(double value)
{
    return QLocale().toString(value, 'f', 2);
}

// One entry of a list: what identifies it, and how it reads.
struct Entry {
    QString identity;
    QString text;
};

Entry entryOf(const CheckListItem& item)
{
    return {item.text,
            (item.checked ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + item.text};
}

Entry entryOf(const ExpenseRecord& line)
{
    const QString quantity =
        line.unit.isEmpty() ? amount(line.quantity) : amount(line.quantity) + u' ' + line.unit;
    return {line.product + QChar(0) + line.unit,
            QStringLiteral("%1 %2 × %3 = %4%5")
                .arg(line.product, quantity, amount(line.pricePerUnit), amount(line.total),
                     line.purchased ? QStringLiteral(" (purchased)") : QString())};
}

Entry entryOf(const AppointmentRecord& appointment)
{
    return {dateText(appointment.when) + QChar(0) + appointment.subject,
            QStringLiteral("%1 %2, %3: %4")
                .arg(dateText(appointment.when), appointment.subject, appointment.location,
                     appointment.notes)};
}

Entry entryOf(const QString& preference)
{
    return {preference, preference};
}

Entry entryOf(const StoredImageCategory& category)
{
    QStringList pictures;
    for (const ImageLink& link : category.links)
        pictures.append(QFileInfo(link.picturePath).fileName());
    return {
        category.category.name,
        QStringLiteral("%1: %2").arg(category.category.name, pictures.join(QLatin1String(", ")))};
}

// Rows for the entries that only one list holds, or that both hold but read differently;
// entries are paired by what identifies them, in order.
template <typename T>
QList<VersionDifference> entryDifferences(const QList<T>& record, const QList<T>& copy)
{
    QList<Entry> theirs;
    for (const T& item : copy)
        theirs.append(entryOf(item));
    QList<bool> paired(theirs.size(), false);
    QList<VersionDifference> rows;
    const QString what = QStringLiteral("Entry");
    for (const T& item : record) {
        const Entry mine = entryOf(item);
        qsizetype match = -1;
        for (qsizetype i = 0; i < theirs.size() && match < 0; ++i) {
            if (!paired[i] && theirs[i].identity == mine.identity)
                match = i;
        }
        if (match < 0) {
            rows.append({what, mine.text, {}});
            continue;
        }
        paired[match] = true;
        if (theirs[match].text != mine.text)
            rows.append({what, mine.text, theirs[match].text});
    }
    for (qsizetype i = 0; i < theirs.size(); ++i) {
        if (!paired[i])
            rows.append({what, {}, theirs[i].text});
    }
    return rows;
}

void field(QList<VersionDifference>& rows, const char* what, const QString& record,
           const QString& copy)
{
    if (record != copy)
        rows.append({QLatin1String(what), record, copy});
}

QList<VersionDifference> travelDifferences(const TravelRecord& a, const TravelRecord& b)
{
    QList<VersionDifference> rows;
    field(rows, "Title", a.title, b.title);
    field(rows, "Travel mode", a.mode, b.mode);
    field(rows, "From", a.from, b.from);
    field(rows, "Destination", a.destination, b.destination);
    field(rows, "Start", dateText(a.start), dateText(b.start));
    field(rows, "End", dateText(a.end), dateText(b.end));
    field(rows, "Priority", a.priority, b.priority);
    field(rows, "Status", a.status, b.status);
    field(rows, "Type", a.type, b.type);
    field(rows, "Ticket number", a.ticketNo, b.ticketNo);
    field(rows, "Seat number", a.seatNo, b.seatNo);
    field(rows, "Notes", a.notes, b.notes);
    field(rows, "Icon", QString::number(a.icon), QString::number(b.icon));
    return rows;
}

QList<VersionDifference> stageDifferences(const StageRecord& a, const StageRecord& b)
{
    QList<VersionDifference> rows;
    field(rows, "Title", a.title, b.title);
    field(rows, "Date", dateText(a.date), dateText(b.date));
    field(rows, "Place", a.place, b.place);
    field(rows, "Notes", a.notes, b.notes);
    return rows;
}

// Reads a file with a decoder; a missing file (a record gone, as rclone leaves it) reads
// as the record's default.
template <typename T, typename Decode>
bool readVersion(const QString& path, Decode decode, T& value, QString* reason)
{
    if (!QFileInfo::exists(path))
        return true;
    QString cause;
    const auto bytes = ReadWholeFile(path, &cause);
    if (!bytes) {
        *reason = QStringLiteral("%1: %2").arg(path, cause);
        return false;
    }
    ArchiveReader reader(*bytes);
    if (!decode(reader, value)) {
        *reason = QStringLiteral("%1: %2").arg(path, reader.error()->cause);
        return false;
    }
    return true;
}

template <typename T, typename Decode, typename Compare>
QList<VersionDifference> compare(const ConflictCopy& copy, T record, Decode decode,
                                 Compare differences, QString* reason)
{
    T other = record;
    if (!readVersion(copy.recordPath(), decode, record, reason) ||
        !readVersion(copy.copyPath(), decode, other, reason))
        return {};
    return differences(record, other);
}

template <typename T>
QList<VersionDifference> compareLists(const ConflictCopy& copy,
                                      bool (*decode)(ArchiveReader&, StoredList<T>&),
                                      QString* reason)
{
    return compare(
        copy, StoredList<T>{}, decode,
        [](const StoredList<T>& a, const StoredList<T>& b) {
            return entryDifferences(a.items, b.items);
        },
        reason);
}

} // namespace

RecordKind KindOfRecordName(const QString& recordName)
{
    const QString extension = QFileInfo(recordName).suffix().toLower();
    if (extension == u"tra")
        return RecordKind::Travel;
    if (extension == u"stg")
        return RecordKind::Stage;
    if (extension == u"apt")
        return RecordKind::Appointments;
    if (extension == u"chk")
        return RecordKind::CheckList;
    if (extension == u"exp")
        return RecordKind::Expenses;
    if (extension == u"img")
        return RecordKind::Pictures;
    return RecordKind::Preferences;
}

bool CanMergeKind(RecordKind kind)
{
    return kind == RecordKind::CheckList || kind == RecordKind::Expenses;
}

QString RecordKindName(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Travel:
        return QStringLiteral("travel details");
    case RecordKind::Stage:
        return QStringLiteral("stage");
    case RecordKind::Appointments:
        return QStringLiteral("appointments");
    case RecordKind::CheckList:
        return QStringLiteral("check list");
    case RecordKind::Expenses:
        return QStringLiteral("expenses");
    case RecordKind::Pictures:
        return QStringLiteral("pictures");
    case RecordKind::Preferences:
        break;
    }
    return QStringLiteral("preference list");
}

QList<VersionDifference> DifferencesOf(const ConflictCopy& copy, QString* reason)
{
    switch (KindOfRecordName(copy.recordName)) {
    case RecordKind::Travel:
        return compare(copy, TravelRecord(DateTimeValue{}), &RecordCodec::decodeTravel,
                       &travelDifferences, reason);
    case RecordKind::Stage:
        return compare(copy, StageRecord(DateTimeValue{}), &RecordCodec::decodeStage,
                       &stageDifferences, reason);
    case RecordKind::Appointments:
        return compareLists(copy, &RecordCodec::decodeAppointments, reason);
    case RecordKind::CheckList:
        return compareLists(copy, &RecordCodec::decodeCheckList, reason);
    case RecordKind::Expenses:
        return compareLists(copy, &RecordCodec::decodeExpenses, reason);
    case RecordKind::Pictures:
        return compare(copy, QList<StoredImageCategory>{}, &RecordCodec::decodeImageCategories,
                       &entryDifferences<StoredImageCategory>, reason);
    case RecordKind::Preferences:
        return compare(copy, QStringList{}, &RecordCodec::decodePreferenceList,
                       &entryDifferences<QString>, reason);
    }
    return {};
}
