#include "ListLayout.h"

#include "DisplayFormats.h"

#include <algorithm>

namespace ListLayout {

QList<int> TravelListColumnWidths(int clientWidth)
{
    const int u = clientWidth / 14;
    return {clientWidth - 10 * u, 3 * u, 3 * u, 2 * u, 2 * u};
}

QStringList NotesPieces(const QString& notes)
{
    constexpr qsizetype width = 50;
    QStringList pieces;
    const auto add = [&pieces](const QString& piece) {
        if (!piece.isEmpty())
            pieces.append(piece);
    };
    for (const QString& line : notes.split(QStringLiteral("\r\n"))) {
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

namespace {

int compareDates(const DateTimeValue& a, const DateTimeValue& b)
{
    if (!a.isValid() || !b.isValid())
        return 0;
    if (chronologicallyBefore(a, b))
        return -1;
    return chronologicallyBefore(b, a) ? 1 : 0;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

int CompareTravels(const TravelRecord& a, const TravelRecord& b, int sortCode,
                   const QCollator& collator)
{
    if (sortCode < 0 || sortCode >= 10)
        return 0;
    const int column = sortCode % 5;
    int order = 0;
    switch (column) {
    case 0:
        order = sign(collator.compare(a.title, b.title));
        break;
    case 1:
        order = sign(collator.compare(a.from, b.from));
        break;
    case 2:
        order = sign(collator.compare(a.destination, b.destination));
        break;
    case 3:
        order = compareDates(a.start, b.start);
        break;
    default:
        order = compareDates(a.end, b.end);
        break;
    }
    return sortCode >= 5 ? -order : order;
}

void SortTravels(QList<TravelRecord>& travels, int sortCode, const QLocale& locale)
{
    const QCollator collator(locale);
    const auto before = [&](const TravelRecord& a, const TravelRecord& b) {
        return CompareTravels(a, b, sortCode, collator) < 0;
    };
    if (sortCode == 3 || sortCode == 4 || sortCode == 8 || sortCode == 9) {
        // An invalid date equals everything, which no sort can use as an order: the
        // travels with valid dates are sorted among themselves and the others keep
        // their places.
        const bool byStart = sortCode % 5 == 3;
        QList<qsizetype> places;
        QList<TravelRecord> valid;
        for (qsizetype i = 0; i < travels.size(); ++i) {
            if ((byStart ? travels[i].start : travels[i].end).isValid()) {
                places.append(i);
                valid.append(travels[i]);
            }
        }
        std::stable_sort(valid.begin(), valid.end(), before);
        for (qsizetype i = 0; i < places.size(); ++i)
            travels[places[i]] = valid[i];
        return;
    }
    std::stable_sort(travels.begin(), travels.end(), before);
}

QString TravelTooltip(const TravelRecord& travel, int displayMode, const DisplayFormats& formats)
{
    if (displayMode == 3)
        return travel.title;
    QString tip = travel.title;
    if (!travel.from.isEmpty() || !travel.destination.isEmpty())
        tip += QLatin1Char('\n') + travel.from + QLatin1Char('\n') + travel.destination;
    tip += QLatin1Char('\n') + formats.FormatShortDate(travel.start) + QLatin1Char('\n') +
           formats.FormatShortDate(travel.end);
    return tip;
}

} // namespace ListLayout
