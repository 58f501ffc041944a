#include "ItineraryPdf.h"
#include "PdfText.h"
#include "TestSupport.h"
#include "WholeTravel.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace {

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
    ExpenseRecord flight;
    flight.product = QStringLiteral("Flight");
    flight.quantity = 2;
    flight.unit = QStringLiteral("Seat");
    flight.pricePerUnit = 120.5;
    flight.total = 241;
    flight.purchased = 1;
    ExpenseRecord hotel;
    hotel.product = QStringLiteral("Hotel");
    hotel.quantity = 3;
    hotel.pricePerUnit = 80;
    hotel.total = 240;
    whole.expenses = {flight, hotel};
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

// The itinerary PDF as a reader gets it back: its text, its pages, its scripts.
class ItineraryTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString expected(const char* name) const
    {
        return QString::fromUtf8(
            readFile(QStringLiteral(VOYANTA_TEST_DATA "/") + QLatin1String(name)));
    }

private slots:
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

    void manyAppointmentsSpanPagesWithHeaderAndFooter()
    {
        WholeTravel whole = everything();
        QList<AppointmentRecord>& appointments = whole.stages[0].appointments;
        for (int i = 0; i < 300; ++i) {
            AppointmentRecord a(at(2026, 12, 5, 8 + i / 60, i % 60));
            a.subject = QStringLiteral("Meeting %1").arg(i);
            appointments.append(a);
        }
        const QStringList pages =
            pdfText(render(whole), m_dir.path()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QVERIFY(pages.size() >= 5);
        for (int i = 0; i < pages.size(); ++i) {
            QVERIFY2(pages[i].startsWith(QLatin1String("Long weekend in Lisbon")),
                     qPrintable(pages[i].left(80)));
            QVERIFY(
                pages[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())));
        }
        for (int i = 0; i < 300; ++i)
            QVERIFY(pages.join(QString()).contains(QStringLiteral("Meeting %1\n").arg(i)));
    }

    void aLongExpenseTableRepeatsItsHeadings()
    {
        WholeTravel whole = everything();
        for (int i = 0; i < 300; ++i) {
            ExpenseRecord e;
            e.product = QStringLiteral("Expense %1").arg(i);
            e.quantity = 1;
            e.pricePerUnit = e.total = 2;
            whole.expenses.append(e);
        }
        const QStringList pages =
            pdfText(render(whole), m_dir.path()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        int pagesWithExpenses = 0;
        for (const QString& page : pages) {
            if (!page.contains(QLatin1String("Expense ")))
                continue;
            ++pagesWithExpenses;
            QVERIFY2(page.contains(QLatin1String("Price/Unit")), qPrintable(page.left(200)));
        }
        QVERIFY(pagesWithExpenses >= 5);
    }

    void noLineRunsOverTheBottomOfAPage()
    {
        WholeTravel whole = everything();
        for (int i = 0; i < 300; ++i) {
            ExpenseRecord e;
            e.product = QStringLiteral("Expense %1").arg(i);
            whole.expenses.append(e);
            whole.checkList.append({QStringLiteral("Entry %1").arg(i), i % 2});
        }
        const std::unique_ptr<QTextDocument> document =
            ItineraryPdf::BuildDocument(whole, DisplayFormats(QLocale(QStringLiteral("en_US"))));
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
    }

    void aStageThatFitsOnAPageIsNotSplit()
    {
        WholeTravel whole = everything();
        // Enough stages of eight appointments that some must start on a new page.
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
        const QStringList pages =
            pdfText(render(whole), m_dir.path()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QVERIFY(pages.size() >= 2);
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
        QCOMPARE(ItineraryPdf::DefaultPageSize(QLocale(QStringLiteral("de_DE"))).id(),
                 QPageSize::A4);
        QCOMPARE(ItineraryPdf::DefaultPageSize(QLocale(QStringLiteral("en_GB"))).id(),
                 QPageSize::A4);
    }
};

QTEST_MAIN(ItineraryTest)
#include "tst_itinerary.moc"
