#pragma once

#include "TextBlock.h"

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

class GPrintJob;

// One piece of a printed report: lines of text and tables laid out on the job's pages,
// with a header line at the top of every page. The content area is the job's page
// rectangle less a header band (twice the header font's height) and a footer band (twice
// the footer font's height).
class GPrintUnit {
public:
    struct Column {
        QString heading;
        double fraction = 0; // of the content width
    };

    explicit GPrintUnit(GPrintJob& job);
    virtual ~GPrintUnit() = default;

    // Sets the fonts and, from them, the bands and the content area.
    void setFonts(const QFont& header, const QFont& footer, const QFont& body);
    const QRect& contentRect() const { return m_content; }
    int bodyLineHeight() const;

    void startPage();
    void endPage();

    void defineColumn(int index, const QString& heading, double fraction);
    const QList<Column>& columns() const { return m_columns; }
    // Prints a cell of the current row on one line in its column; a text wider than the
    // column is left-aligned and cut at its end with an ellipsis.
    void printCell(int column, const QString& text, Qt::Alignment alignment, const QFont& font);
    void endRow();
    // Starts a new page when a row of that height (a body line when 0) would pass the
    // content area's bottom.
    void makeRoomForRow(int rowHeight = 0);

    // Prints a text block from a height on, across the page rectangle.
    void printTextBlock(const QString& block, int top, const QFont& font);

    int y() const { return m_y; }
    void moveDown(int pixels) { m_y += pixels; }

protected:
    virtual void printHeader() {}
    virtual void printFooter() {}

    GPrintJob& m_job;
    QFont m_headerFont;
    QFont m_footerFont;
    QFont m_bodyFont;

private:
    QRect columnRect(int column) const;

    QRect m_content;
    QList<Column> m_columns;
    int m_y = 0;
    int m_rowHeight = 0;
};
