#include "ItineraryPdf.h"

#include "ExpenseTotals.h"
#include "WholeTravel.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cmath>
#include <memory>

namespace ItineraryPdf {

namespace {

const QColor ink(0x29, 0x61, 0x9c);
const QColor pale(0xe4, 0xea, 0xf2);

QTextCharFormat text(qreal points = 10, bool bold = false, QColor colour = Qt::black)
{
    QTextCharFormat format;
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setForeground(colour);
    return format;
}

QTextBlockFormat spaced(qreal before, qreal after = 0)
{
    QTextBlockFormat block;
    block.setTopMargin(before);
    block.setBottomMargin(after);
    return block;
}

QString notesText(const QString& notes)
{
    return QString(notes).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// Inserts a table without borders whose cells are filled by the caller; its first
// headerRows rows are repeated at the top of every page the table runs onto.
QTextTable* plainTable(QTextCursor& cursor, int rows, int columns, const QList<QTextLength>& widths,
                       int headerRows = 0)
{
    QTextTableFormat format;
    format.setHeaderRowCount(headerRows);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setColumnWidthConstraints(widths);
    return cursor.insertTable(rows, columns, format);
}

void setCell(QTextTable* table, int row, int column, const QString& value,
             const QTextCharFormat& format, Qt::Alignment alignment = Qt::AlignLeft,
             qreal indent = 0)
{
    QTextCursor cell = table->cellAt(row, column).firstCursorPosition();
    QTextBlockFormat block = cell.blockFormat();
    block.setAlignment(alignment);
    block.setLeftMargin(indent);
    cell.setBlockFormat(block);
    cell.insertText(value, format);
}

// A frame of its own, so that a page break does not cut what the caller writes into it;
// the cursor comes back inside it, at its start.
QTextCursor keptTogether(QTextCursor& cursor, qreal topMargin)
{
    QTextFrameFormat format;
    format.setTopMargin(topMargin);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    return cursor.insertFrame(format)->firstCursorPosition();
}

// A section's title as the first block at the cursor.
void heading(QTextCursor& cursor, const QString& title)
{
    QTextBlockFormat block = spaced(0, 4);
    cursor.setBlockFormat(block);
    cursor.insertText(title, text(13, true, ink));
}

// The date, and the time where one is set: a departure at 07:30 is not just a day.
QString dateAndTime(const DateTimeValue& value, const DisplayFormats& formats)
{
    if (!value.isValid() || !value.hasCalendarValue() || value.time() == QTime(0, 0))
        return formats.FormatShortDate(value);
    return formats.FormatShortDate(value) + QLatin1Char(' ') + formats.FormatShortTime(value);
}

void details(QTextCursor& cursor, const WholeTravel& whole, const DisplayFormats& formats)
{
    const TravelRecord& t = whole.travel;
    cursor.insertText(t.title, text(18, true, ink));
    const QList<std::pair<QString, QString>> rows = {
        {QStringLiteral("From"), t.from},
        {QStringLiteral("Destination"), t.destination},
        {QStringLiteral("Starts"), dateAndTime(t.start, formats)},
        {QStringLiteral("Ends"), dateAndTime(t.end, formats)},
        {QStringLiteral("Travel Mode"), t.mode},
        {QStringLiteral("Type"), t.type},
        {QStringLiteral("Priority"), t.priority},
        {QStringLiteral("Status"), t.status},
        {QStringLiteral("Ticket No."), t.ticketNo},
        {QStringLiteral("Flight/Seat No."), t.seatNo},
    };
    cursor.insertBlock(spaced(8));
    QTextTable* table = plainTable(cursor, int(rows.size()), 2,
                                   {QTextLength(QTextLength::PercentageLength, 25),
                                    QTextLength(QTextLength::PercentageLength, 75)});
    for (int row = 0; row < int(rows.size()); ++row) {
        setCell(table, row, 0, rows[row].first, text(10, true));
        setCell(table, row, 1, rows[row].second, text(10));
    }
    cursor.movePosition(QTextCursor::End);
    if (!t.notes.isEmpty()) {
        cursor.insertBlock(spaced(8), text(10, true));
        cursor.insertText(QStringLiteral("Notes"));
        cursor.insertBlock(spaced(2), text(10));
        cursor.insertText(notesText(t.notes));
    }
}

void stages(QTextCursor& cursor, const WholeTravel& whole, const DisplayFormats& formats)
{
    if (whole.stages.isEmpty())
        return;
    bool first = true;
    for (const StageWithAppointments& part : whole.stages) {
        const StageRecord& stage = part.stage;
        // The section's title goes with its first stage.
        QTextCursor inside = keptTogether(cursor, first ? 14 : 6);
        if (first) {
            heading(inside, QStringLiteral("Stages"));
            inside.insertBlock();
        }
        first = false;
        QTextBlockFormat banner;
        banner.setBackground(pale);
        inside.setBlockFormat(banner);
        inside.insertText(formats.FormatShortDate(stage.date), text(11, true, ink));
        inside.insertText(QStringLiteral("   ") + stage.title, text(11, true));
        if (!stage.place.isEmpty()) {
            inside.insertBlock(spaced(2), text(10));
            inside.insertText(stage.place, text(10, false, ink));
        }
        if (!stage.notes.isEmpty()) {
            inside.insertBlock(spaced(2), text(10));
            inside.insertText(notesText(stage.notes));
        }
        if (!part.appointments.isEmpty()) {
            inside.insertBlock(spaced(4));
            QTextTable* table = plainTable(inside, int(part.appointments.size()), 3,
                                           {QTextLength(QTextLength::PercentageLength, 18),
                                            QTextLength(QTextLength::PercentageLength, 40),
                                            QTextLength(QTextLength::PercentageLength, 42)});
            for (int row = 0; row < int(part.appointments.size()); ++row) {
                const AppointmentRecord& a = part.appointments[row];
                QString when = formats.FormatShortTime(a.when);
                if (a.when.isValid() && a.when.hasCalendarValue() &&
                    a.when.date() != stage.date.date())
                    when = formats.FormatShortDate(a.when) + QLatin1Char(' ') + when;
                setCell(table, row, 0, when, text(10, true));
                setCell(table, row, 1, a.subject, text(10, true));
                setCell(table, row, 2, a.location, text(10, false, ink));
                if (!a.notes.isEmpty()) {
                    QTextCursor cell = table->cellAt(row, 1).lastCursorPosition();
                    cell.insertBlock(QTextBlockFormat(), text(9));
                    cell.insertText(notesText(a.notes));
                }
            }
        }
        cursor.movePosition(QTextCursor::End);
    }
}

void checkList(QTextCursor& cursor, const WholeTravel& whole)
{
    if (whole.checkList.isEmpty())
        return;
    QTextCursor inside = keptTogether(cursor, 14);
    heading(inside, QStringLiteral("Check List"));
    for (const CheckListItem& entry : whole.checkList) {
        inside.insertBlock(spaced(1), text(10));
        inside.insertText(
            entry.checked != 0 ? QStringLiteral("\u2611  ") : QStringLiteral("\u2610  "), text(12));
        inside.insertText(entry.text, text(10));
    }
    cursor.movePosition(QTextCursor::End);
}

void expenses(QTextCursor& cursor, const WholeTravel& whole, const DisplayFormats& formats)
{
    if (whole.expenses.isEmpty())
        return;
    QTextCursor inside = keptTogether(cursor, 14);
    heading(inside, QStringLiteral("Expenses"));
    inside.insertBlock(spaced(2));
    const ExpenseCount count = ExpenseTotals::Count(whole.expenses, formats);
    // What was paid in each currency, when any expense was paid in another than the home one.
    const qsizetype subtotals = count.anyForeign ? count.byCurrency.size() : 0;
    const int rows = int(whole.expenses.size() + subtotals) + 2;
    QTextTable* table = plainTable(inside, rows, 6,
                                   {QTextLength(QTextLength::PercentageLength, 5),
                                    QTextLength(QTextLength::PercentageLength, 35),
                                    QTextLength(QTextLength::PercentageLength, 10),
                                    QTextLength(QTextLength::PercentageLength, 16),
                                    QTextLength(QTextLength::PercentageLength, 17),
                                    QTextLength(QTextLength::PercentageLength, 17)},
                                   1);
    const QStringList headings = {QString(),
                                  QStringLiteral("Product"),
                                  QStringLiteral("Qty"),
                                  QStringLiteral("Unit"),
                                  QStringLiteral("Price/Unit"),
                                  QStringLiteral("Total")};
    for (int column = 0; column < headings.size(); ++column)
        setCell(table, 0, column, headings[column], text(10, true, ink),
                column == 2 || column >= 4 ? Qt::AlignRight : Qt::AlignLeft, column == 3 ? 8 : 0);
    for (int i = 0; i < int(whole.expenses.size()); ++i) {
        const ExpenseRecord& e = whole.expenses[i];
        const int row = i + 1;
        setCell(table, row, 0,
                e.purchased != 0 ? QStringLiteral("\u2611") : QStringLiteral("\u2610"), text(10));
        setCell(table, row, 1, e.product, text(10));
        if (e.foreign)
            table->cellAt(row, 1).lastCursorPosition().insertText(
                QChar(QChar::LineSeparator) + ExpenseTotals::ForeignNote(e, formats), text(8));
        setCell(table, row, 2, formats.locale().toString(e.quantity, 'f', 2), text(10),
                Qt::AlignRight);
        setCell(table, row, 3, e.unit, text(10), Qt::AlignLeft, 8);
        setCell(table, row, 4, formats.FormatAmount(e.pricePerUnit), text(10), Qt::AlignRight);
        setCell(table, row, 5, formats.FormatAmount(ExpenseTotals::ShownTotal(e, formats)),
                text(10), Qt::AlignRight);
    }
    int row = int(whole.expenses.size()) + 1;
    for (auto it = count.byCurrency.cbegin(); subtotals > 0 && it != count.byCurrency.cend();
         ++it, ++row) {
        table->mergeCells(row, 1, 1, 4);
        setCell(table, row, 1,
                ExpenseTotals::SubtotalLabel(it.key()) + QLatin1Char(' ') +
                    Currency::Format(it->paid, it.key(), formats.locale()),
                text(10));
        setCell(table, row, 5, formats.FormatAmount(it->home), text(10), Qt::AlignRight);
    }
    const double sum = count.purchasedSum;
    table->mergeCells(rows - 1, 1, 1, 4);
    setCell(table, rows - 1, 1, QStringLiteral("Grand Total (purchased items only)"),
            text(10, true));
    setCell(table, rows - 1, 5, formats.FormatAmount(sum), text(10, true, ink), Qt::AlignRight);
    cursor.movePosition(QTextCursor::End);
}

// Moves every frame that a page break would cut, and that fits on one page, to the top of
// the next page. Each move pushes the frames after it down, so they are checked in order.
void keepFramesWhole(QTextDocument& document, const QList<QTextFrame*>& frames)
{
    const qreal pageHeight = document.pageSize().height();
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextFrame* frame : frames) {
        const QRectF box = layout->frameBoundingRect(frame);
        if (box.height() >= pageHeight)
            continue;
        const int firstPage = int(std::floor(box.top() / pageHeight));
        const int lastPage = int(std::floor((box.bottom() - 1) / pageHeight));
        if (firstPage == lastPage)
            continue;
        QTextFrameFormat format = frame->frameFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        frame->setFrameFormat(format);
    }
}

} // namespace

QPageSize DefaultPageSize(const QLocale& locale)
{
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Philippines:
    case QLocale::Chile:
    case QLocale::Colombia:
        return QPageSize(QPageSize::Letter);
    default:
        return QPageSize(QPageSize::A4);
    }
}

std::unique_ptr<QTextDocument> BuildDocument(const WholeTravel& travel,
                                             const DisplayFormats& formats)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentMargin(0);
    QFont base(QStringLiteral("DejaVu Sans"));
    base.setStyleHint(QFont::SansSerif);
    base.setPointSize(10);
    document->setDefaultFont(base);
    QTextCursor cursor(document.get());
    details(cursor, travel, formats);
    stages(cursor, travel, formats);
    checkList(cursor, travel);
    expenses(cursor, travel, formats);
    return document;
}

bool Write(const WholeTravel& travel, const DisplayFormats& formats, const QPageSize& pageSize,
           QIODevice& output, QString* error)
{
    QPdfWriter writer(&output);
    writer.setPageSize(pageSize);
    writer.setPageMargins(QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setTitle(travel.travel.title);
    writer.setCreator(QStringLiteral("Voyanta"));

    const QRect page(0, 0, writer.width(), writer.height());
    QFont bandFont(QStringLiteral("DejaVu Sans"));
    bandFont.setStyleHint(QFont::SansSerif);
    bandFont.setPointSize(8);
    const int band = QFontMetrics(bandFont, &writer).height() * 2;
    const QRect body = page.adjusted(0, band, 0, -band);

    // The document is laid out in points: 72 per inch, whatever the writer's resolution.
    const qreal scale = writer.resolution() / 72.0;
    std::unique_ptr<QTextDocument> document = BuildDocument(travel, formats);
    // The stages, the details and the expenses each stay on one page where they fit.
    const QList<QTextFrame*> frames = document->rootFrame()->childFrames();
    document->setPageSize(QSizeF(body.width() / scale, body.height() / scale));
    keepFramesWhole(*document, frames);
    const int pages = document->pageCount();

    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("the PDF could not be started");
        return false;
    }
    const QSizeF pageBody = document->pageSize();
    for (int number = 0; number < pages; ++number) {
        if (number > 0)
            writer.newPage();
        painter.setFont(bandFont);
        painter.setPen(ink);
        painter.drawText(QRect(page.left(), page.top(), page.width(), band / 2),
                         Qt::AlignLeft | Qt::AlignVCenter, travel.travel.title);
        painter.drawLine(page.left(), page.top() + band * 2 / 3, page.right(),
                         page.top() + band * 2 / 3);
        painter.setPen(Qt::darkGray);
        painter.drawText(QRect(page.left(), page.bottom() - band / 2, page.width(), band / 2),
                         Qt::AlignHCenter | Qt::AlignVCenter,
                         QStringLiteral("Page %1 of %2").arg(number + 1).arg(pages));
        painter.save();
        painter.translate(body.topLeft());
        painter.scale(scale, scale);
        painter.translate(0, -number * pageBody.height());
        document->drawContents(
            &painter, QRectF(0, number * pageBody.height(), pageBody.width(), pageBody.height()));
        painter.restore();
    }
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("the PDF could not be written whole");
        return false;
    }
    return true;
}

} // namespace ItineraryPdf
