#pragma once

#include "DateTimeValue.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// Why a record file could not be read whole, and where.
struct ReadError {
    qsizetype offset = 0;
    QString cause;
};

// Reads the primitives of record files from bytes that may be anything at all.
// Every read checks that the bytes are there before it uses them; the first failure
// is kept and every later read fails without looking at the data.
class ArchiveReader {
public:
    // Keeps a shared copy of the bytes, so a reader never outlives its data.
    explicit ArchiveReader(QByteArray data) : m_data(std::move(data)) {}

    bool readInt32(qint32& value);
    bool readInt64(qint64& value);
    bool readDouble(double& value);
    bool readDateTime(DateTimeValue& value);
    bool readText(QString& value);
    // A list count (0 or below is an empty list). Each element takes at least
    // minElementSize bytes; a count that the rest of the data cannot hold is still
    // returned, so that the elements that are there can be read, and the error of the
    // read that then fails names the count.
    bool readCount(qint32& count, qsizetype minElementSize);
    // How many elements of that size the rest of the data could hold at most: the
    // most a caller may reserve, whatever a count says.
    qsizetype capacity(qsizetype minElementSize) const { return remaining() / minElementSize; }

    bool ok() const { return !m_error.has_value(); }
    const std::optional<ReadError>& error() const { return m_error; }
    qsizetype position() const { return m_position; }
    qsizetype remaining() const { return m_data.size() - m_position; }

private:
    bool fail(qsizetype offset, QString cause);
    bool need(qsizetype bytes);
    template <typename Integer> bool readLittleEndian(Integer& value);
    bool readLength(quint32& length, bool& utf16);

    QByteArray m_data;
    qsizetype m_position = 0;
    std::optional<ReadError> m_error;
    QString m_countNote; // set when a count exceeded what the data could hold
};

// Writes the primitives of record files. Texts that fit the code page take the 8-bit
// form, others the UTF-16 form, which every reader of the folder accepts.
class ArchiveWriter {
public:
    void writeInt32(qint32 value);
    void writeInt64(qint64 value);
    void writeDouble(double value);
    void writeDateTime(const DateTimeValue& value);
    void writeText(QStringView text);

    const QByteArray& data() const { return m_data; }

private:
    void writeLength(quint32 length);

    QByteArray m_data;
};
