#include "CodePage.h"

#include <algorithm>
#include <array>

namespace {

// Unicode of the bytes 0x80 to 0x9F; every other byte is its own Latin-1 character.
constexpr std::array<char16_t, 32> highControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int byteOf(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < int(highControls.size()); ++i) {
        if (highControls[i] == u)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

namespace CodePage {

QString decode(QByteArrayView bytes)
{
    // Most texts hold no byte of 0x80 to 0x9F, and then the code page is Latin-1.
    const bool latin1 = std::none_of(bytes.begin(), bytes.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xE0) == 0x80;
    });
    if (latin1)
        return QString::fromLatin1(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? highControls[b - 0x80] : char16_t(b);
    }
    return text;
}

bool canEncode(QStringView text)
{
    for (const QChar c : text) {
        if (byteOf(c.unicode()) < 0)
            return false;
    }
    return true;
}

QByteArray encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteOf(text[i].unicode());
        bytes[i] = char(b < 0 ? '?' : b);
    }
    return bytes;
}

} // namespace CodePage
