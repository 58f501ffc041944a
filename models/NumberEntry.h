#pragma once

#include <QChar>
#include <QString>

// What the quantity and price boxes of the expense list accept and how their text is
// read. A box holds digits with at most one decimal point and at most two digits after
// it; the point is "." or the user's own decimal separator (a German user types 2,50).
namespace NumberEntry {

// Whether a box may hold this text (empty included).
bool IsAcceptable(const QString& text, QChar decimalPoint);
// Whether typing `typed` at `position`, over `replaced` characters from there, is
// accepted: a second point, a letter or a third digit after the point is refused, a
// digit left of the point is not.
bool AcceptsTyping(const QString& text, int position, const QString& typed, QChar decimalPoint,
                   int replaced = 0);
// The number a box holds; 0 when the text is not a number.
double Read(const QString& text, QChar decimalPoint);
// A value with two decimals and the given point, as a box starts with it.
QString Write(double value, QChar decimalPoint);

} // namespace NumberEntry
