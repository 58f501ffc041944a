#pragma once

#include "Records.h"

#include <QCollator>
#include <QList>
#include <QString>
#include <QStringList>

class DisplayFormats;

// The pure rules of the list views: column widths, notes pieces, sort orders, tips.
namespace ListLayout {

// The travel list's five column widths for a client width: W - 10u, 3u, 3u, 2u, 2u
// with u = W / 14.
QList<int> TravelListColumnWidths(int clientWidth);

// Notes cut into the pieces the travel detail shows, one per row: lines at "\r\n",
// each line in pieces of at most 50 characters, broken at the last blank where one
// fits. Empty lines and pieces make no row.
QStringList NotesPieces(const QString& notes);

// Travel list sort codes: 0 title, 1 from, 2 destination, 3 start, 4 end ascending;
// 5 to 9 the same descending; 10 and more keep the order. Titles compare as the
// locale does; dates whose status is not valid compare equal to everything.
int CompareTravels(const TravelRecord& a, const TravelRecord& b, int sortCode,
                   const QCollator& collator);
void SortTravels(QList<TravelRecord>& travels, int sortCode, const QLocale& locale);

// The tooltip over a travel row: the title alone in report mode (3), else title, from
// and destination when either is set, start and end, one per line.
QString TravelTooltip(const TravelRecord& travel, int displayMode, const DisplayFormats& formats);

} // namespace ListLayout
