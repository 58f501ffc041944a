#pragma once

#include <QList>
#include <QString>

// A line of fields in a printed text block. In the block's text, 0x1F starts a field
// centred across the whole width, 0x1E a field at the right edge, 0x1C fills the gap
// before the next field with dots, "\n" starts a new line; the first field of a line is
// at the left. A control character given twice is one literal occurrence of it.
struct TextField {
    enum class Place { Left, Centre, Right };

    QString text;
    Place place = Place::Left;
    bool dotLeaders = false;

    bool operator==(const TextField&) const = default;
};

using TextBlockLine = QList<TextField>;

namespace TextBlock {

constexpr QChar Centre = QChar(0x1F);
constexpr QChar Right = QChar(0x1E);
constexpr QChar DotLeaders = QChar(0x1C);
constexpr QChar NewLine = QChar(u'\n');

QList<TextBlockLine> Parse(const QString& block);

} // namespace TextBlock
