#pragma once

#include <QList>

// The column widths of the upper lists for a client width W in pixels. The views apply
// them whenever their width changes; printing lays its columns out the same way.
namespace ColumnWidths {

// Name, From, Destination, Start Date, End Date: W - 10u, 3u, 3u, 2u, 2u with u = W / 14.
QList<int> TravelList(int clientWidth);
// Label and value of a detail sheet: 150 and the rest.
QList<int> DetailSheet(int clientWidth);
// Stage, Date, Place: W - 4 (W / 7), 2 (W / 7), 2 (W / 7).
QList<int> StageList(int clientWidth);
// Product, Qty, Unit, Price/Unit, Total: W - 4w and four of w = (W - 50) / 5.
// With the currency columns, the eight columns share the width as the five do.
QList<int> ExpenseList(int clientWidth, bool currencies = false);
// The check list's one column.
QList<int> CheckList(int clientWidth);

} // namespace ColumnWidths
