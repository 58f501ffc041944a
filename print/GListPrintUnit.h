#pragma once

#include "GPrintUnit.h"
#include "ListPrintSource.h"

// One strip of a printed list: column 0 and the columns from first to last, with their
// headings under the page header, then every row. Each page starts with the header line
// "Voyanta" and the title centred, the page number at the right, and the headings again.
class GListPrintUnit : public GPrintUnit {
public:
    GListPrintUnit(GPrintJob& job, const ListPrintSource& source, const QList<int>& widths,
                   int first, int last);

    void print();
    // The page header's text block for a title and a page number.
    static QString HeaderBlock(const QString& title, int page);
    // Texts this short (dates, times, amounts, units) are never cut: their columns are
    // widened to hold the widest of them.
    static constexpr int ShortTextLength = 24;
    // The column fractions widened to what each column's short texts need, the room
    // taken from the others.
    static QList<double> FitShortTexts(QList<double> fractions, const QList<double>& needed);

protected:
    void printHeader() override;

private:
    Qt::Alignment alignmentOf(int column) const;
    // What each printed column's widest short text needs, as a fraction of the content.
    QList<double> shortTextWidths() const;

    const ListPrintSource& m_source;
    QList<int> m_printed; // the list's columns, in print order
    QFont m_headingFont;
};
