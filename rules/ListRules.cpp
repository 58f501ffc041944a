#include "ListRules.h"

namespace ListRules {

QStringList NotesPieces(const QString& notes, EmptyLines emptyLines)
{
    constexpr qsizetype width = 50;
    QStringList pieces;
    const auto add = [&pieces](const QString& piece) {
        if (!piece.isEmpty())
            pieces.append(piece);
    };
    for (const QString& line : notes.split(QStringLiteral("\r\n"))) {
        if (line.isEmpty() && emptyLines == EmptyLines::Keep) {
            pieces.append(line);
            continue;
        }
        if (line.size() <= width) {
            add(line);
            continue;
        }
        qsizetype p = 0;
        while (p < line.size()) {
            if (line.size() - p <= width) {
                add(line.mid(p));
                break;
            }
            const QString chunk = line.mid(p, width);
            if (line.at(p + width) == QLatin1Char(' ')) {
                add(chunk);
                p += width;
                continue;
            }
            const qsizetype blank = chunk.lastIndexOf(QLatin1Char(' '));
            if (blank >= 0) {
                add(chunk.left(blank));
                p += blank + 1;
            } else {
                add(chunk);
                p += width;
            }
        }
    }
    return pieces;
}

int CompareDates(const DateTimeValue& a, const DateTimeValue& b)
{
    if (!a.isValid() || !b.isValid())
        return 0;
    if (chronologicallyBefore(a, b))
        return -1;
    return chronologicallyBefore(b, a) ? 1 : 0;
}

} // namespace ListRules
