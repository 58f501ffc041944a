#pragma once

#include "DisplayFormats.h"
#include "Records.h"

#include <QList>
#include <QString>

// A travel's check list as CSV: a header line, one line per entry, an empty line.
QString RenderCheckListCsv(const QList<CheckListItem>& items);

// A travel's expenses as CSV, every field quoted, closed by the grand total of the
// purchased lines (with no line break after it).
QString RenderExpensesCsv(const QList<ExpenseRecord>& expenses, const DisplayFormats& formats);
