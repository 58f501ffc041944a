#include "GListPrintJob.h"

#include <algorithm>

#include "GListPrintUnit.h"
#include "PageDevice.h"

#include <QAbstractItemModel>

GListPrintJob::GListPrintJob(ListPrintSource source) : m_source(std::move(source)) {}

double GListPrintJob::WidthBudget(int pageWidth, int deviceDpi, int screenDpi)
{
    if (deviceDpi <= 0)
        return 0;
    return double(pageWidth) / deviceDpi * screenDpi * 2.0 / 3.0;
}

QList<QPair<int, int>> GListPrintJob::Strips(const QList<int>& widths, double budget)
{
    QList<QPair<int, int>> strips;
    const int count = int(widths.size());
    if (count <= 1) {
        strips.append({1, 0});
        return strips;
    }
    double running = widths[0];
    int start = 1;
    for (int k = 1; k < count; ++k) {
        running += widths[k];
        if (running <= budget && k != count - 1)
            continue;
        // A column that overflows stays in the strip it overflows.
        strips.append({start, k});
        start = k + 1;
        running = widths[0];
    }
    return strips;
}

void GListPrintJob::printBody()
{
    if (!m_source.model)
        return;
    QList<int> widths = m_source.columnWidths;
    widths.resize(m_source.model->columnCount());
    const double budget = WidthBudget(pageRect().width(), device().dpiX(), m_source.screenDpi);
    for (const auto& [first, last] : Strips(widths, budget)) {
        // A strip of columns the list does not show (of no width) is no page.
        if (first <= last &&
            std::all_of(widths.begin() + first, widths.begin() + last + 1,
                        [](int w) { return w == 0; }) &&
            std::any_of(widths.begin(), widths.end(), [](int w) { return w > 0; }))
            continue;
        GListPrintUnit strip(*this, m_source, widths, first, last);
        strip.print();
    }
}
