#include "GListPrintUnit.h"

#include "GPrintJob.h"
#include "PageDevice.h"
#include "PrintFonts.h"

#include <QAbstractItemModel>

GListPrintUnit::GListPrintUnit(GPrintJob& job, const ListPrintSource& source,
                               const QList<int>& widths, int first, int last)
    : GPrintUnit(job), m_source(source), m_headingFont(PrintFonts::Heading())
{
    setFonts(PrintFonts::Header(), PrintFonts::Footer(), PrintFonts::Body());
    m_printed.append(0);
    for (int column = first; column <= last; ++column)
        m_printed.append(column);
    double sum = 0;
    for (int column : m_printed)
        sum += widths.value(column);
    for (int i = 0; i < int(m_printed.size()); ++i) {
        const int column = m_printed[i];
        const double fraction = sum > 0 ? widths.value(column) / sum : 1.0 / m_printed.size();
        const QString heading =
            source.model->headerData(column, Qt::Horizontal).toString().left(200);
        defineColumn(i, heading, fraction);
    }
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
