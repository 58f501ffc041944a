#pragma once

#include <QList>
#include <QString>

class QAbstractItemModel;

// What printing a list needs: its rows and column headings (the model), the widths the
// columns have on the screen, and the title that follows the program's name in the page
// header (" - Travel List").
struct ListPrintSource {
    const QAbstractItemModel* model = nullptr;
    QList<int> columnWidths;
    QString title;
    int screenDpi = 96; // the resolution the widths were measured at
};
