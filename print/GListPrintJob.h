#pragma once

#include "GPrintJob.h"
#include "ListPrintSource.h"

#include <QList>

// Prints a list as tables of all its rows, in strips of columns that fit two thirds of
// the page width at the screen's widths; column 0 starts every strip.
class GListPrintJob : public GPrintJob {
public:
    explicit GListPrintJob(ListPrintSource source);

    // The strips the columns are printed in: first and last column of each (column 0
    // comes with every strip). A list of one column prints column 0 alone.
    static QList<QPair<int, int>> Strips(const QList<int>& widths, double budget);
    // The width budget in screen pixels for a page width in device pixels.
    static double WidthBudget(int pageWidth, int deviceDpi, int screenDpi);

protected:
    void printBody() override;

private:
    ListPrintSource m_source;
};
