#include "Archive.h"

#include "CodePage.h"

#include <QtEndian>

#include <cstring>

bool ArchiveReader::fail(qsizetype offset, QString cause)
{
    if (!m_error) {
        if (!m_countNote.isEmpty())
            cause += QStringLiteral("; ") + m_countNote;
        m_error = ReadError{offset, std::move(cause)};
    }
    return false;
}

bool ArchiveReader::need(qsizetype bytes)
{
    if (m_error)
        return false;
    if (bytes > remaining())
        return fail(m_position, QStringLiteral("truncated at byte %1").arg(m_position));
    return true;
}

template <typename Integer> bool ArchiveReader::readLittleEndian(Integer& value)
{
    if (!need(sizeof value))
        return false;
    value = qFromLittleEndian<Integer>(m_data.constData() + m_position);
    m_position += sizeof value;
    return true;
}

bool ArchiveReader::readInt32(qint32& value)
{
    return readLittleEndian(value);
}

bool ArchiveReader::readInt64(qint64& value)
{
    return readLittleEndian(value);
}

bool ArchiveReader::readDouble(double& value)
{
    quint64 bits = 0;
    if (!readLittleEndian(bits))
        return false;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool ArchiveReader::readDateTime(DateTimeValue& value)
{
    if (!need(12))
        return false;
    DateTimeValue read;
    readInt32(read.status);
    readDouble(read.days);
    value = read;
    return true;
}

bool ArchiveReader::readLength(quint32& length, bool& utf16)
{
    const qsizetype start = m_position;
    if (!need(1))
        return false;
    const auto first = static_cast<unsigned char>(m_data.at(m_position));
    m_position += 1;
    if (first < 0xFF) {
        length = first;
        return true;
    }
    if (!need(2))
        return false;
    const quint16 word = qFromLittleEndian<quint16>(m_data.constData() + m_position);
    m_position += 2;
    if (word == 0xFFFE) {
        if (utf16)
            return fail(start, QStringLiteral("malformed text length at byte %1").arg(start));
        utf16 = true;
        return readLength(length, utf16);
    }
    if (word < 0xFFFF) {
        length = word;
        return true;
    }
    if (!need(4))
        return false;
    length = qFromLittleEndian<quint32>(m_data.constData() + m_position);
    m_position += 4;
    return true;
}

bool ArchiveReader::readText(QString& value)
{
    const qsizetype start = m_position;
    quint32 length = 0;
    bool utf16 = false;
    if (!readLength(length, utf16))
        return false;
    const quint64 bytes = utf16 ? quint64(length) * 2 : quint64(length);
    if (bytes > quint64(remaining())) {
        return fail(start,
                    QStringLiteral("truncated at byte %1: a text of %2 bytes runs past the end")
                        .arg(start)
                        .arg(bytes));
    }
    const char* data = m_data.constData() + m_position;
    if (utf16) {
        QString text(qsizetype(length), Qt::Uninitialized);
        char16_t* out = reinterpret_cast<char16_t*>(text.data());
        for (quint32 i = 0; i < length; ++i)
            out[i] = qFromLittleEndian<quint16>(data + 2 * i);
        value = std::move(text);
    } else {
        value = CodePage::decode(QByteArrayView(data, qsizetype(length)));
    }
    m_position += qsizetype(bytes);
    return true;
}

bool ArchiveReader::readCount(qint32& count, qsizetype minElementSize)
{
    const qsizetype start = m_position;
    if (!readInt32(count))
        return false;
    if (count > 0 && qint64(count) > capacity(minElementSize) && m_countNote.isEmpty()) {
        m_countNote = QStringLiteral("the count of %1 at byte %2 is more than the %3 bytes after "
                                     "it can hold")
                          .arg(count)
                          .arg(start)
                          .arg(remaining());
    }
    return true;
}

void ArchiveWriter::writeInt32(qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    m_data.append(bytes, 4);
}

void ArchiveWriter::writeInt64(qint64 value)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    m_data.append(bytes, 8);
}

void ArchiveWriter::writeDouble(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char bytes[8];
    qToLittleEndian(bits, bytes);
    m_data.append(bytes, 8);
}

void ArchiveWriter::writeDateTime(const DateTimeValue& value)
{
    writeInt32(value.status);
    writeDouble(value.days);
}

void ArchiveWriter::writeLength(quint32 length)
{
    char bytes[4];
    if (length < 0xFF) {
        m_data.append(char(length));
    } else if (length < 0xFFFE) {
        m_data.append(char(0xFF));
        qToLittleEndian(quint16(length), bytes);
        m_data.append(bytes, 2);
    } else {
        m_data.append("\xFF\xFF\xFF", 3);
        qToLittleEndian(length, bytes);
        m_data.append(bytes, 4);
    }
}

void ArchiveWriter::writeText(QStringView text)
{
    if (CodePage::canEncode(text)) {
        writeLength(quint32(text.size()));
        m_data.append(CodePage::encode(text));
        return;
    }
    m_data.append("\xFF\xFE\xFF", 3);
    writeLength(quint32(text.size()));
    char unit[2];
    for (const QChar c : text) {
        qToLittleEndian(quint16(c.unicode()), unit);
        m_data.append(unit, 2);
    }
}
