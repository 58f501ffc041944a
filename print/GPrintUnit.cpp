#include "GPrintUnit.h"

#include "GPrintJob.h"
#include "PageDevice.h"

#include <algorithm>

GPrintUnit::GPrintUnit(GPrintJob& job) : m_job(job), m_content(job.pageRect()) {}

void GPrintUnit::setFonts(const QFont& header, const QFont& footer, const QFont& body)
{
    m_headerFont = header;
    m_footerFont = footer;
    m_bodyFont = body;
    const PageDevice& device = m_job.device();
    m_content = m_job.pageRect().adjusted(0, 2 * device.lineHeight(header), 0,
                                          -2 * device.lineHeight(footer));
    m_y = m_content.top();
}

int GPrintUnit::bodyLineHeight() const
{
    return m_job.device().lineHeight(m_bodyFont);
}

void GPrintUnit::startPage()
{
    m_y = m_content.top();
    m_rowHeight = 0;
    m_job.device().startPage();
    printHeader();
}

void GPrintUnit::endPage()
{
    printFooter();
    m_job.device().endPage();
    m_job.nextPage();
}

void GPrintUnit::defineColumn(int index, const QString& heading, double fraction)
{
    if (index >= m_columns.size())
        m_columns.resize(index + 1);
    m_columns[index] = Column{heading, fraction};
}

QRect GPrintUnit::columnRect(int column) const
{
    double left = 0;
    for (int i = 0; i < column && i < m_columns.size(); ++i)
        left += m_columns[i].fraction;
    const double fraction = column < m_columns.size() ? m_columns[column].fraction : 0;
    const int x = m_content.left() + int(left * m_content.width());
    const int right = m_content.left() + int((left + fraction) * m_content.width());
    return QRect(x, m_y, std::max(0, right - x), m_content.height());
}

void GPrintUnit::printCell(int column, const QString& text, Qt::Alignment alignment,
                           const QFont& font)
{
    PageDevice& device = m_job.device();
    const int height = device.lineHeight(font);
    QRect cell = columnRect(column);
    cell.setHeight(height);
    // Half a blank of room on each side, so that a right-aligned number and the
    // left-aligned text of the next column do not run together.
    const int padding = std::max(1, device.textWidth(QStringLiteral(" "), font) / 2);
    cell.adjust(padding, 0, -padding, 0);
    // A text wider than its column keeps its start: it is cut at its end, never in the
    // middle of both ends.
    if (device.textWidth(text, font) > cell.width()) {
        device.drawText(cell, int(Qt::AlignLeft | Qt::AlignVCenter),
                        device.elided(text, font, cell.width()), font);
    } else {
        device.drawText(cell, int(alignment | Qt::AlignVCenter), text, font);
    }
    m_rowHeight = std::max(m_rowHeight, height);
}

void GPrintUnit::endRow()
{
    m_y += m_rowHeight;
    m_rowHeight = 0;
}

void GPrintUnit::makeRoomForRow(int rowHeight)
{
    // The row's bottom edge stays inside the content area, above the footer band.
    if (m_y + (rowHeight > 0 ? rowHeight : bodyLineHeight()) >
        m_content.top() + m_content.height()) {
        endPage();
        startPage();
    }
}

void GPrintUnit::printTextBlock(const QString& block, int top, const QFont& font)
{
    PageDevice& device = m_job.device();
    const QRect page = m_job.pageRect();
    const int height = device.lineHeight(font);
    const int dotWidth = std::max(1, device.textWidth(QStringLiteral("."), font));
    int y = top;
    const int gap = device.textWidth(QStringLiteral("  "), font);
    for (const TextBlockLine& line : TextBlock::Parse(block)) {
        // Right fields are printed whole; the fields before them give way.
        int rightWidth = 0;
        for (const TextField& field : line) {
            if (field.place == TextField::Place::Right)
                rightWidth += device.textWidth(field.text, font) + gap;
        }
        int x = page.left();
        for (const TextField& candidate : line) {
            TextField field = candidate;
            if (field.place == TextField::Place::Centre) {
                // Centred on the page while it fits between the right fields and their
                // mirror on the left, else as much as fits left of the right fields.
                const int room = page.width() - 2 * rightWidth;
                if (device.textWidth(field.text, font) > room)
                    field.text = device.elided(field.text, font, page.width() - rightWidth);
            } else if (field.place == TextField::Place::Left && rightWidth > 0) {
                field.text = device.elided(field.text, font, page.right() - rightWidth - x);
            }
            const int width = device.textWidth(field.text, font);
            // Left and right fields get the room left on the line; a centred one the
            // whole width, or the left edge on when it is wider.
            int start = x;
            QRect room(x, y, std::max(0, page.right() - x + 1), height);
            int flags = Qt::AlignLeft;
            if (field.place == TextField::Place::Right) {
                start = std::max(x, page.right() - width);
                flags = Qt::AlignRight;
            } else if (field.place == TextField::Place::Centre) {
                const bool fits = width <= page.width() - 2 * rightWidth;
                start = fits ? page.left() + (page.width() - width) / 2 : page.left();
                room = QRect(page.left(), y, page.width() - (fits ? 0 : rightWidth), height);
                flags = fits ? Qt::AlignHCenter : Qt::AlignLeft;
            }
            if (field.dotLeaders && start > x) {
                const QString dots((start - x) / dotWidth, QLatin1Char('.'));
                device.drawText(QRect(x, y, start - x, height), Qt::AlignLeft | Qt::AlignVCenter,
                                dots, font);
            }
            device.drawText(room, flags | Qt::AlignVCenter, field.text, font);
            x = std::min(page.right(), start + width);
        }
        y += height;
    }
}
