#include "RecordFile.h"

#include "RecordCodec.h"

#include <QFileInfo>

std::optional<RecordFileKind> RecordFileKindOf(const QString& fileName)
{
    static const std::pair<const char*, RecordFileKind> kinds[] = {
        {"tra", RecordFileKind::Travel},       {"stg", RecordFileKind::Stage},
        {"apt", RecordFileKind::Appointments}, {"chk", RecordFileKind::CheckList},
        {"exp", RecordFileKind::Expenses},     {"prf", RecordFileKind::Preference},
        {"alm", RecordFileKind::Marker},       {"img", RecordFileKind::ImageCategories},
    };
    const QString suffix = QFileInfo(fileName).suffix();
    for (const auto& [extension, kind] : kinds) {
        if (suffix.compare(QLatin1String(extension), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return std::nullopt;
}

namespace {

template <typename T, typename Decode>
DecodedFile decodeAs(const QByteArray& bytes, T initial, Decode decode)
{
    ArchiveReader reader(bytes);
    T record = std::move(initial);
    const bool ok = decode(reader, record);
    DecodedFile file{std::move(record), std::nullopt, reader.position(), bytes.size()};
    if (!ok)
        file.error = reader.error();
    return file;
}

} // namespace

DecodedFile DecodeRecordFile(RecordFileKind kind, const QByteArray& bytes)
{
    using namespace RecordCodec;
    switch (kind) {
    case RecordFileKind::Travel:
        return decodeAs(bytes, TravelRecord{DateTimeValue{}}, &decodeTravel);
    case RecordFileKind::Stage:
        return decodeAs(bytes, StageRecord{DateTimeValue{}}, &decodeStage);
    case RecordFileKind::Appointments:
        return decodeAs(bytes, StoredList<AppointmentRecord>{}, &decodeAppointments);
    case RecordFileKind::CheckList:
        return decodeAs(bytes, StoredList<CheckListItem>{}, &decodeCheckList);
    case RecordFileKind::Expenses:
        return decodeAs(bytes, StoredList<ExpenseRecord>{}, &decodeExpenses);
    case RecordFileKind::Preference:
        return decodeAs(bytes, QStringList{}, &decodePreferenceList);
    case RecordFileKind::Marker:
        return decodeAs(bytes, qint32{0}, &decodeMarker);
    case RecordFileKind::ImageCategories:
        return decodeAs(bytes, QList<StoredImageCategory>{}, &decodeImageCategories);
    }
    Q_UNREACHABLE();
}
