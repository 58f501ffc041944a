#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

#include <optional>

// What the quantity and price boxes of the expense list accept and how their text is
// read. A box holds digits with at most one decimal point and at most two digits after
// it (or as many as a currency has: none for the yen, three for the dinar); the point is
// the locale's decimal separator (a German user types 2,50), or "."
// where "." does not separate the locale's thousands. The thousands separator is never
// typed into a box: "2,75" must not become 275 in English. An amount pasted in the
// locale's own form, separators in their places ("1,234.50", "1.234,50"), is taken
// without them.
namespace NumberEntry {

// Whether a box may hold this text (empty included), with at most `decimals` digits
// after the point (and no point when there are none).
bool IsAcceptable(const QString& text, const QLocale& locale, int decimals = 2);
// Whether typing `typed` at `position`, over `replaced` characters from there, is
// accepted: a second point, a letter or a third digit after the point is refused, a
// digit left of the point is not.
bool AcceptsTyping(const QString& text, int position, const QString& typed, const QLocale& locale,
                   int replaced = 0);
// Whether a character typed is the locale's thousands separator (a blank where the
// locale separates thousands with a space).
bool IsGroupSeparator(QChar typed, const QLocale& locale);
// A text as a box holds it: an acceptable text as it is, an amount in the locale's form
// with its thousands separators rightly placed without them; nothing when neither.
std::optional<QString> Accepted(const QString& text, const QLocale& locale, int decimals = 2);
// The number a box holds; 0 when the text is not a number.
double Read(const QString& text, const QLocale& locale);
// A value with two decimals and the locale's point, as a box starts with it.
QString Write(double value, const QLocale& locale);

} // namespace NumberEntry
