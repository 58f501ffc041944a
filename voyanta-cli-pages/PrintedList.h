#pragma once

#include "CliPages.h"
#include "ListPrintSource.h"
#include "TravelDataStore.h"

#include <QAbstractItemModel>
#include <QByteArray>
#include <QDate>
#include <QPageSize>

#include <memory>

// A list filled as its view fills it (and sorted as the view sorts it then), with the
// title of its pages and the widths its columns have in a view 1,000 pixels wide.
struct FilledList {
    std::unique_ptr<QAbstractItemModel> model;
    QList<int> columnWidths;
    QString title;

    ListPrintSource source() const;
};

// `key` is the travel's key, or the stage's for PrintedList::Stage; `month` serves
// PrintedList::Travels.
FilledList FillList(TravelDataStore& store, PrintedList list, const RecordKey& key, QDate month);

// The pages the window prints for the list, as a PDF. False, with the reason, when the
// document could not be made.
bool WriteListPdf(const ListPrintSource& source, const QPageSize& pageSize, QByteArray& pdf,
                  QString* error);
