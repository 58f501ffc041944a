// libFuzzer target over every record file reader. Whatever the bytes, a reader must
// return without crashing, hanging or allocating beyond what the file can hold, and
// what it read whole must write and read back to the same bytes.

#include "CurrencySideFile.h"
#include "FuzzInput.h"
#include "RecordCodec.h"

#include <cstdlib>

namespace {

QByteArray encode(const DecodedRecord& record)
{
    struct Encoder {
        QByteArray operator()(const TravelRecord& r) const { return RecordCodec::encodeTravel(r); }
        QByteArray operator()(const StageRecord& r) const { return RecordCodec::encodeStage(r); }
        QByteArray operator()(const StoredList<AppointmentRecord>& r) const
        {
            return RecordCodec::encodeAppointments(r);
        }
        QByteArray operator()(const StoredList<CheckListItem>& r) const
        {
            return RecordCodec::encodeCheckList(r);
        }
        QByteArray operator()(const StoredList<ExpenseRecord>& r) const
        {
            return RecordCodec::encodeExpenses(r);
        }
        QByteArray operator()(const QStringList& r) const
        {
            return RecordCodec::encodePreferenceList(r);
        }
        QByteArray operator()(qint32 r) const { return RecordCodec::encodeMarker(r); }
        QByteArray operator()(const QList<StoredImageCategory>& r) const
        {
            return RecordCodec::encodeImageCategories(r);
        }
    };
    return std::visit(Encoder{}, record);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (data[0] == FuzzedSideFile) {
        QString cause;
        const auto side = CurrencySide::Decode(bytes, &cause);
        if (!side)
            return 0;
        const auto reread = CurrencySide::Decode(CurrencySide::Encode(*side), &cause);
        if (!reread || reread->home != side->home || reread->entries != side->entries ||
            reread->setAside != side->setAside)
            std::abort();
        return 0;
    }
    const RecordFileKind kind = FuzzedKind(data[0]);
    const DecodedFile decoded = DecodeRecordFile(kind, bytes);
    if (decoded.used > decoded.size)
        std::abort();
    if (decoded.error)
        return 0;
    const QByteArray written = encode(decoded.record);
    const DecodedFile reread = DecodeRecordFile(kind, written);
    if (reread.error || reread.used != written.size() || encode(reread.record) != written)
        std::abort();
    return 0;
}
