#include "GListPrintJob.h"
#include "GListPrintUnit.h"
#include "ItineraryPdf.h"
#include "PdfText.h"
#include "PrintFonts.h"
#include "RecordingPageDevice.h"
#include "TestSupport.h"
#include "TextBlock.h"
#include "WholeTravel.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace {

using Place = TextField::Place;

// A list of `rows` rows and the given column headings; cell (r, c) reads "r.c".
std::unique_ptr<QStandardItemModel> listOf(const QStringList& headings, int rows)
{
    auto model = std::make_unique<QStandardItemModel>(rows, int(headings.size()));
    model->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < headings.size(); ++c)
            model->setItem(r, c, new QStandardItem(QStringLiteral("%1.%2").arg(r).arg(c)));
    }
    return model;
}

// A list printed at 96 dpi on a device that records what is drawn.
struct Printout {
    Printout(std::unique_ptr<QStandardItemModel> list, const QList<int>& widths,
             const QString& title)
        : model(std::move(list)), job({model.get(), widths, title, 96}), result(job.print(device))
    {
    }
    std::unique_ptr<QStandardItemModel> model;
    RecordingPageDevice device;
    GListPrintJob job;
    PrintResult result;
};

// The text of PDF bytes as pdftotext reads it (reading order, pages ended by form feeds).
QString pdfText(const QByteArray& pdf, const QString& folder)
{
    const QString path = folder + QStringLiteral("/itinerary.pdf");
    if (!writeFile(path, pdf))
        return {};
    return pdfText(path);
}

WholeTravel everything()
{
    WholeTravel whole;
    TravelRecord& t = whole.travel;
    t = TravelRecord(at(2026, 12, 4, 7, 30));
    t.key = QStringLiteral("2026120107000010");
    t.title = QStringLiteral("Long weekend in Lisbon");
    t.end = at(2026, 12, 7, 22);
    t.from = QStringLiteral("Berlin");
    t.destination = QStringLiteral("Lisbon");
    t.mode = QStringLiteral("Flight");
    t.type = QStringLiteral("Personal");
    t.priority = QStringLiteral("Medium");
    t.status = QStringLiteral("Booked");
    t.ticketNo = QStringLiteral("LH1166-4471");
    t.seatNo = QStringLiteral("LH1166/14C");
    t.notes = QStringLiteral("Stay in Alfama.\r\nTram 28 early in the morning.");
    StageRecord alfama(at(2026, 12, 5, 9));
    alfama.title = QStringLiteral("Alfama");
    alfama.place = QStringLiteral("Old town");
    alfama.notes = QStringLiteral("Walk up to the castle");
    AppointmentRecord fado(at(2026, 12, 5, 21, 0));
    fado.subject = QStringLiteral("Fado evening");
    fado.location = QStringLiteral("Clube de Fado");
    fado.notes = QStringLiteral("Table for two");
    AppointmentRecord castle(at(2026, 12, 5, 10, 30));
    castle.subject = QStringLiteral("Castle");
    whole.stages = {{alfama, {castle, fado}}};
    StageRecord belem(at(2026, 12, 6, 9));
    belem.title = QStringLiteral("Belém");
    whole.stages.append({belem, {}});
    whole.checkList = {{QStringLiteral("Passport"), 1}, {QStringLiteral("Adapter"), 0}};
    ExpenseRecord flight = expense(QStringLiteral("Flight"), 2, 120.5, true);
    flight.unit = QStringLiteral("Seat");
    whole.expenses = {flight, expense(QStringLiteral("Hotel"), 3, 80, false)};
    return whole;
}

// Everything, and much of it: 300 appointments of the first stage, 300 expenses and check
// list entries, and enough further stages of eight appointments that some must start on a
// new page.
WholeTravel aLongTravel()
{
    WholeTravel whole = everything();
    for (int i = 0; i < 300; ++i) {
        AppointmentRecord a(at(2026, 12, 5, 8 + i / 60, i % 60));
        a.subject = QStringLiteral("Meeting %1").arg(i);
        whole.stages[0].appointments.append(a);
        whole.expenses.append(expense(QStringLiteral("Expense %1").arg(i), 1, 2, false));
        whole.checkList.append({QStringLiteral("Entry %1").arg(i), i % 2});
    }
    for (int s = 0; s < 12; ++s) {
        StageRecord stage(at(2026, 12, 6, 9));
        stage.title = QStringLiteral("Stage %1").arg(s);
        QList<AppointmentRecord> appointments;
        for (int i = 0; i < 8; ++i) {
            AppointmentRecord a(at(2026, 12, 6, 9 + i));
            a.subject = QStringLiteral("S%1 item %2").arg(s).arg(i);
            appointments.append(a);
        }
        whole.stages.append({stage, appointments});
    }
    return whole;
}

QByteArray render(const WholeTravel& whole,
                  const QLocale& locale = QLocale(QStringLiteral("en_US")))
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!ItineraryPdf::Write(whole, DisplayFormats(locale), QPageSize(QPageSize::A4), buffer,
                             &error))
        qWarning() << error;
    return bytes;
}

} // namespace

// Printed pages: the print framework and the printed list on a device that records what
// is drawn, and the itinerary PDF as a reader gets it back.
class PrintTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString expected(const char* name) const
    {
        return QString::fromUtf8(
            readFile(QStringLiteral(VOYANTA_TEST_DATA "/") + QLatin1String(name)));
    }

private slots:
    void textBlocksSplitIntoFields()
    {
        const QList<TextBlockLine> lines = TextBlock::Parse(QStringLiteral("Left\x1F"
                                                                           "Middle\x1E"
                                                                           "Right\nChapter\x1C\x1E"
                                                                           "12\n50 \x1E\x1E off"));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], (TextBlockLine{{QStringLiteral("Left"), Place::Left, false},
                                          {QStringLiteral("Middle"), Place::Centre, false},
                                          {QStringLiteral("Right"), Place::Right, false}}));
        QCOMPARE(lines[1], (TextBlockLine{{QStringLiteral("Chapter"), Place::Left, false},
                                          {QStringLiteral("12"), Place::Right, true}}));
        // A control character given twice is itself.
        QCOMPARE(lines[2], (TextBlockLine{{QStringLiteral("50 \x1E off"), Place::Left, false}}));
        QCOMPARE(TextBlock::Parse(QStringLiteral("a\n\nb")),
                 (QList<TextBlockLine>{{{QStringLiteral("a\nb"), Place::Left, false}}}));
    }

    void theListHeaderNamesTheListAndThePage()
    {
        Printout printed(listOf({QStringLiteral("Check List Items")}, 2), {400},
                         QStringLiteral(" - Check List for Rome"));
        const RecordingPageDevice& device = printed.device;
        const QRect pageRect = printed.job.pageRect();
        QCOMPARE(printed.result, PrintResult::Printed);
        QVERIFY(device.begun() && device.ended());
        QCOMPARE(device.pageCount(), 1);
        const auto& title = device.texts()[0];
        const auto& page = device.texts()[1];
        QCOMPARE(title.text, QStringLiteral("Voyanta - Check List for Rome"));
        QVERIFY(title.flags & Qt::AlignHCenter);
        QCOMPARE(title.rect,
                 QRect(pageRect.left(), pageRect.top(), pageRect.width(), title.rect.height()));
        QCOMPARE(page.text, QStringLiteral("Page 1"));
        QVERIFY(page.flags & Qt::AlignRight);
        QCOMPARE(page.rect.right(), pageRect.right());
        QCOMPARE(title.font.pointSize(), 11);
        // Then the heading in bold, a rule under it, and the rows.
        QCOMPARE(device.textsOnPage(1).mid(2),
                 (QStringList{QStringLiteral("Check List Items"), QStringLiteral("0.0"),
                              QStringLiteral("1.0")}));
        QVERIFY(device.texts()[2].font.bold());
        QCOMPARE(device.lines().size(), 1);
        QVERIFY(device.lines()[0].from.y() < device.texts()[3].rect.top());
    }

    void columnsThatFitPrintOneStrip()
    {
        // An A4 page at 300 dpi inside its margins: two thirds of it are 527 screen pixels.
        const double budget = GListPrintJob::WidthBudget(2470, 300, 96);
        QCOMPARE(GListPrintJob::Strips({200, 150, 150}, budget), (QList<QPair<int, int>>{{1, 2}}));
        // Wider: strips of what fits, each printed after column 0 again (the printed lists
        // of the command line show it); an overflowing column stays in its strip.
        QCOMPARE(GListPrintJob::Strips({400, 200, 50, 50, 50}, budget),
                 (QList<QPair<int, int>>{{1, 1}, {2, 4}}));
        // One column: column 0 alone.
        QCOMPARE(GListPrintJob::Strips({900}, budget), (QList<QPair<int, int>>{{1, 0}}));
    }

    void cellsAreAlignedAsTheirColumns()
    {
        auto model = listOf({QStringLiteral("Product"), QStringLiteral("Total")}, 1);
        model->setHeaderData(1, Qt::Horizontal, int(Qt::AlignRight | Qt::AlignVCenter),
                             Qt::TextAlignmentRole);
        model->setItem(0, 0, new QStandardItem(QString()));
        Printout printed(std::move(model), {200, 100}, QStringLiteral(" - Expenses for X"));
        const auto& blank = printed.device.texts()[4];
        const auto& total = printed.device.texts()[5];
        QCOMPARE(blank.text, QStringLiteral(" ")); // an empty cell prints a blank
        QVERIFY(blank.flags & Qt::AlignLeft);
        QCOMPARE(total.text, QStringLiteral("0.1"));
        QVERIFY(total.flags & Qt::AlignRight);
        // The columns share the width as they do on the screen; each cell keeps a little
        // room from the next one.
        const int gap = total.rect.left() - blank.rect.right() - 1;
        QVERIFY(gap > 0);
        QVERIFY(qAbs((blank.rect.width() + gap) * 1.0 / (total.rect.width() + gap) - 2.0) < 0.01);
    }

    void aPageBreakRepeatsTheHeaderAndTheHeadings()
    {
        Printout printed(listOf({QStringLiteral("Item")}, 200), {300},
                         QStringLiteral(" - Check List for Rome"));
        const RecordingPageDevice& device = printed.device;
        QVERIFY(device.pageCount() >= 2);
        for (int page = 1; page <= device.pageCount(); ++page) {
            const QStringList texts = device.textsOnPage(page);
            QCOMPARE(texts.mid(0, 3),
                     (QStringList{QStringLiteral("Voyanta - Check List for Rome"),
                                  QStringLiteral("Page %1").arg(page), QStringLiteral("Item")}));
        }
        // Every row is printed once, and none reaches into the footer band.
        const QRect page = printed.job.pageRect();
        const int contentEnd =
            page.top() + page.height() - 2 * device.lineHeight(PrintFonts::Footer());
        int rows = 0;
        for (const auto& text : device.texts()) {
            if (text.text.endsWith(QLatin1String(".0"))) {
                ++rows;
                QVERIFY(text.rect.top() + text.rect.height() <= contentEnd);
            }
        }
        QCOMPARE(rows, 200);
    }

    void textsKeepTheirStartAndShortTextsFit()
    {
        // A narrow column of times beside a centred column of long texts.
        auto model = listOf({QStringLiteral("When"), QStringLiteral("Subject")}, 30);
        model->setHeaderData(1, Qt::Horizontal, int(Qt::AlignHCenter), Qt::TextAlignmentRole);
        for (int row = 0; row < 30; ++row) {
            model->setItem(row, 0,
                           new QStandardItem(QStringLiteral("10 Dec 2026 08:%1").arg(row + 10)));
            model->setItem(row, 1,
                           new QStandardItem(QStringLiteral("Item %1 ").arg(row) +
                                             QString(300, QLatin1Char('x'))));
        }
        Printout printed(std::move(model), {40, 900}, QStringLiteral(" - Stage"));
        QCOMPARE(printed.result, PrintResult::Printed);
        int times = 0;
        int subjects = 0;
        for (const auto& text : printed.device.texts()) {
            const int width = printed.device.textWidth(text.text, text.font);
            if (text.text.startsWith(QLatin1String("10 Dec"))) {
                ++times;
                QVERIFY2(width <= text.rect.width(), qPrintable(text.text));
            } else if (text.text.startsWith(QLatin1String("Item"))) {
                ++subjects;
                QVERIFY(text.text.endsWith(QChar(0x2026)));
                QVERIFY(text.flags & Qt::AlignLeft);
                QVERIFY(width <= text.rect.width());
            }
        }
        QCOMPARE(times, 30);
        QCOMPARE(subjects, 30);
    }

    void aLongTitleLeavesThePageNumberWhole()
    {
        Printout printed(listOf({QStringLiteral("Item")}, 1), {300},
                         QStringLiteral(" - ") + QString(250, QLatin1Char('T')));
        const RecordingPageDevice& device = printed.device;
        const QRect pageRect = printed.job.pageRect();
        const auto& title = device.texts()[0];
        const auto& page = device.texts()[1];
        QCOMPARE(page.text, QStringLiteral("Page 1"));
        QCOMPARE(page.rect.right(), pageRect.right());
        QVERIFY(device.textWidth(page.text, page.font) <= page.rect.width());
        QVERIFY(title.text.startsWith(QLatin1String("Voyanta - TTT")));
        QVERIFY(title.text.endsWith(QChar(0x2026)));
        QVERIFY(title.rect.left() + device.textWidth(title.text, title.font) <
                pageRect.right() - device.textWidth(page.text, page.font));
    }

    void anEmptyListPrintsItsHeadings()
    {
        Printout printed(listOf({QStringLiteral("Stage"), QStringLiteral("Date")}, 0), {200, 100},
                         QStringLiteral(" - Travel Stages for X"));
        QCOMPARE(printed.result, PrintResult::Printed);
        QCOMPARE(
            printed.device.textsOnPage(1),
            (QStringList{QStringLiteral("Voyanta - Travel Stages for X"), QStringLiteral("Page 1"),
                         QStringLiteral("Stage"), QStringLiteral("Date")}));
    }

    void aTravelWithEverything()
    {
        COMPARE_TEXT(pdfText(render(everything()), m_dir.path()),
                     expected("itinerary-everything.txt"));
    }

    void anEmptyTravel()
    {
        WholeTravel empty;
        empty.travel = TravelRecord(at(2027, 1, 2));
        empty.travel.title = QStringLiteral("No Title");
        COMPARE_TEXT(pdfText(render(empty), m_dir.path()), expected("itinerary-empty.txt"));
    }

    // No line runs over the bottom of a page; the pages repeat their headings.
    void aLongTravelSpansPagesWithItsHeadingsRepeated()
    {
        const std::unique_ptr<QTextDocument> document = ItineraryPdf::BuildDocument(
            aLongTravel(), DisplayFormats(QLocale(QStringLiteral("en_US"))));
        const qreal pageHeight = 700;
        document->setPageSize(QSizeF(480, pageHeight));
        QVERIFY(document->pageCount() > 3);
        QAbstractTextDocumentLayout* layout = document->documentLayout();
        int lines = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            const QRectF box = layout->blockBoundingRect(block);
            for (int i = 0; i < block.layout()->lineCount(); ++i) {
                const QRectF line = block.layout()->lineAt(i).rect().translated(box.topLeft());
                ++lines;
                QVERIFY2(std::floor(line.top() / pageHeight) ==
                             std::floor((line.bottom() - 0.01) / pageHeight),
                         qPrintable(block.text()));
            }
        }
        QVERIFY(lines > 600);

        const QStringList pages = pdfText(render(aLongTravel()), m_dir.path())
                                      .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QVERIFY(pages.size() >= 5);
        int pagesWithExpenses = 0;
        for (int i = 0; i < pages.size(); ++i) {
            QVERIFY2(pages[i].startsWith(QLatin1String("Long weekend in Lisbon")),
                     qPrintable(pages[i].left(80)));
            QVERIFY(
                pages[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())));
            if (pages[i].contains(QLatin1String("Expense "))) {
                ++pagesWithExpenses;
                QVERIFY2(pages[i].contains(QLatin1String("Price/Unit")), qPrintable(pages[i]));
            }
        }
        QVERIFY(pagesWithExpenses >= 5);
        for (int i = 0; i < 300; ++i)
            QVERIFY(pages.join(QString()).contains(QStringLiteral("Meeting %1\n").arg(i)));
        for (int s = 0; s < 12; ++s) {
            int pageOfFirst = -1;
            int pageOfLast = -1;
            for (int p = 0; p < pages.size(); ++p) {
                if (pages[p].contains(QStringLiteral("S%1 item 0\n").arg(s)))
                    pageOfFirst = p;
                if (pages[p].contains(QStringLiteral("S%1 item 7\n").arg(s)))
                    pageOfLast = p;
            }
            QVERIFY(pageOfFirst >= 0);
            QCOMPARE(pageOfLast, pageOfFirst);
        }
    }

    void anyScriptComesBack()
    {
        WholeTravel whole;
        whole.travel = TravelRecord(at(2027, 3, 1));
        whole.travel.title = QStringLiteral("Ταξίδι στην Αθήνα — Поездка");
        whole.checkList = {{QStringLiteral("Ζακέτα"), 0}};
        const QString text = pdfText(render(whole), m_dir.path());
        QVERIFY2(text.contains(QStringLiteral("Ταξίδι στην Αθήνα — Поездка")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Ζακέτα")));
    }

    void letterWhereTheCountryUsesIt()
    {
        QCOMPARE(ItineraryPdf::DefaultPageSize(QLocale(QStringLiteral("en_US"))).id(),
                 QPageSize::Letter);
        for (const char* name : {"de_DE", "en_GB"})
            QCOMPARE(ItineraryPdf::DefaultPageSize(QLocale(QLatin1String(name))).id(),
                     QPageSize::A4);
    }
};

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
