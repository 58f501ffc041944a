#include "ImagesView.h"
#include "PdfText.h"
#include "TravelListView.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QPrinter>

// Print and Print Preview in the real window: what is printed, in which form, and when
// nothing is.
class PrintingTest : public WindowTest {
    Q_OBJECT

private:
    RecordKey m_rome;

    std::function<bool(QPrinter&)> toPdf(const QString& path)
    {
        return [path](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        };
    }

private slots:
    void init()
    {
        seedRun([this](TravelDataStore* data) {
            TravelRecord rome(at(2006, 3, 20));
            rome.title = QStringLiteral("Rome");
            rome.from = QStringLiteral("Berlin");
            m_rome = data->AddTravel(rome).key;
            QVERIFY(data->SaveCheckList(m_rome, {{QStringLiteral("Passport"), 1}}).ok());
            QVERIFY(!addTitledTravel(*data, at(2006, 3, 5), QStringLiteral("Lisbon")).isEmpty());
        });
        startWindow(QDate(2006, 3, 1));
    }

    void cleanup() { endRun(); }

    void theTravelListAndACheckListPrint()
    {
        auto* travels = upper<CTravelListView>();
        m_frame->action(Cmd::ViewLargeIcon)->trigger();
        QCOMPARE(travels->displayMode(), DisplayMode::LargeIcons);
        const QString pdf = m_run->dir.filePath(QStringLiteral("travels.pdf"));
        m_run->prompter.printers = {toPdf(pdf)};
        trigger(Cmd::Print);
        QCOMPARE(travels->displayMode(), DisplayMode::Report);
        const QString text = pdfText(pdf, PdfTextOrder::Layout);
        QVERIFY2(text.contains(QLatin1String("Voyanta - Travel List")), qPrintable(text));
        QVERIFY(text.contains(QLatin1String("Page 1")));
        for (const char* expected : {"Name", "From", "Destination", "Lisbon", "Rome", "Berlin"})
            QVERIFY2(text.contains(QLatin1String(expected)), expected);
        QVERIFY(m_run->prompter.informed.isEmpty());
        // The preview shows the same pages.
        trigger(Cmd::PrintPreview);
        QCOMPARE(m_run->prompter.previews, 1);

        // A check list prints under its travel's title.
        m_frame->tree()->selectPath(m_rome, TreeChild::CheckList, {});
        const QString list = m_run->dir.filePath(QStringLiteral("checklist.pdf"));
        m_run->prompter.printers = {toPdf(list)};
        m_frame->action(Cmd::Print)->trigger();
        const QString listText = pdfText(list, PdfTextOrder::Layout);
        QVERIFY2(listText.contains(QLatin1String("Voyanta - Check List for Rome")),
                 qPrintable(listText));
        QVERIFY(listText.contains(QLatin1String("Check List Items")));
        QVERIFY(listText.contains(QLatin1String("Passport")));
    }

    void cancelledOrUnwritablePrintsNothing()
    {
        // Cancelled in the print dialog: no file and no message.
        const QString never = m_run->dir.filePath(QStringLiteral("never.pdf"));
        m_run->prompter.printers = {[never](QPrinter& printer) {
            printer.setOutputFileName(never);
            return false;
        }};
        m_frame->action(Cmd::Print)->trigger();
        QVERIFY(!QFile::exists(never));
        QVERIFY(m_run->prompter.informed.isEmpty());
        // A file that cannot be written is reported.
        const QString pdf = m_run->dir.filePath(QStringLiteral("missing/travels.pdf"));
        m_run->prompter.printers = {toPdf(pdf)};
        m_frame->action(Cmd::Print)->trigger();
        QCOMPARE(m_run->prompter.informed.size(), 1);
        QVERIFY(m_run->prompter.informed.first().contains(QDir::toNativeSeparators(pdf)));
    }

    void theImagesPaneHasNoPrintedForm()
    {
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        m_frame->imagesView()->setFocusPolicy(Qt::StrongFocus);
        m_frame->imagesView()->setFocus();
        QVERIFY(!m_frame->action(Cmd::Print)->isEnabled());
        QVERIFY(!m_frame->action(Cmd::PrintPreview)->isEnabled());
        m_frame->action(Cmd::Print)->trigger(); // a disabled action does nothing
        // Back in the list, Print is there again.
        m_frame->upperView()->setFocus();
        QVERIFY(m_frame->action(Cmd::Print)->isEnabled());
    }
};

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
