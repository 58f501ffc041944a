#include "GListPrintUnit.h"

#include "GPrintJob.h"
#include "PageDevice.h"
#include "PrintFonts.h"

#include <QAbstractItemModel>

#include <algorithm>

GListPrintUnit::GListPrintUnit(GPrintJob& job, const ListPrintSource& source,
                               const QList<int>& widths, int first, int last)
    : GPrintUnit(job), m_source(source), m_headingFont(PrintFonts::Heading())
{
    setFonts(PrintFonts::Header(), PrintFonts::Footer(), PrintFonts::Body());
    m_printed.append(0);
    // A column of no width is one the list does not show (hidden, as the currency
    // columns of a list in one currency).
    const bool anyWidth = std::any_of(widths.begin(), widths.end(), [](int w) { return w > 0; });
    for (int column = first; column <= last; ++column) {
        if (widths.value(column) > 0 || !anyWidth)
            m_printed.append(column);
    }
    double sum = 0;
    for (int column : m_printed)
        sum += widths.value(column);
    QList<double> fractions;
    for (int column : m_printed)
        fractions.append(sum > 0 ? widths.value(column) / sum : 1.0 / m_printed.size());
    fractions = FitShortTexts(fractions, shortTextWidths());
    for (int i = 0; i < int(m_printed.size()); ++i) {
        const QString heading =
            source.model->headerData(m_printed[i], Qt::Horizontal).toString().left(200);
        defineColumn(i, heading, fractions[i]);
    }
}

QList<double> GListPrintUnit::shortTextWidths() const
{
    const PageDevice& device = m_job.device();
    const QAbstractItemModel& model = *m_source.model;
    const double content = std::max(1, contentRect().width());
    const int padding = device.textWidth(QStringLiteral("  "), m_bodyFont);
    QList<double> needed;
    for (int column : m_printed) {
        int widest = 0;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString text = model.index(row, column).data().toString();
            if (text.size() <= ShortTextLength)
                widest = std::max(widest, device.textWidth(text, m_bodyFont));
        }
        needed.append(widest > 0 ? (widest + padding) / content : 0.0);
    }
    return needed;
}

QList<double> GListPrintUnit::FitShortTexts(QList<double> fractions, const QList<double>& needed)
{
    double excess = 0;
    double slack = 0;
    for (int i = 0; i < int(fractions.size()); ++i) {
        if (needed[i] > fractions[i]) {
            excess += needed[i] - fractions[i];
            fractions[i] = needed[i];
        } else {
            slack += fractions[i] - needed[i];
        }
    }
    if (excess <= 0)
        return fractions;
    // The other columns give up what they hold beyond their own short texts, each in
    // proportion; where that is not enough, every column shrinks alike.
    const double share = slack > 0 ? std::min(1.0, excess / slack) : 0.0;
    double total = 0;
    for (int i = 0; i < int(fractions.size()); ++i) {
        if (needed[i] < fractions[i])
            fractions[i] -= (fractions[i] - needed[i]) * share;
        total += fractions[i];
    }
    for (double& fraction : fractions)
        fraction /= total;
    return fractions;
}

QString GListPrintUnit::HeaderBlock(const QString& title, int page)
{
    return TextBlock::Centre + QStringLiteral("Voyanta") + title + TextBlock::Right +
           QStringLiteral("Page %1").arg(page);
}

Qt::Alignment GListPrintUnit::alignmentOf(int column) const
{
    const auto alignment = Qt::Alignment(
        m_source.model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
    if (alignment & Qt::AlignRight)
        return Qt::AlignRight;
    if (alignment & Qt::AlignHCenter)
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

void GListPrintUnit::printHeader()
{
    printTextBlock(HeaderBlock(m_source.title, m_job.currentPage()), m_job.pageRect().top(),
                   m_headerFont);
    for (int i = 0; i < int(m_printed.size()); ++i)
        printCell(i, columns()[i].heading, alignmentOf(m_printed[i]), m_headingFont);
    endRow();
    const QRect page = m_job.pageRect();
    m_job.device().drawLine(QPoint(page.left(), y()), QPoint(page.right(), y()));
    moveDown(10);
}

void GListPrintUnit::print()
{
    const QAbstractItemModel& model = *m_source.model;
    startPage();
    for (int row = 0; row < model.rowCount(); ++row) {
        makeRoomForRow();
        for (int i = 0; i < int(m_printed.size()); ++i) {
            QString text = model.index(row, m_printed[i]).data().toString().left(200);
            if (text.isEmpty())
                text = QStringLiteral(" ");
            printCell(i, text, alignmentOf(m_printed[i]), m_bodyFont);
        }
        endRow();
    }
    endPage();
}
