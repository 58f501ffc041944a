#include "AppointmentDlg.h"
#include "ImportItemsDlg.h"
#include "PreferencePage.h"
#include "PreferenceSheet.h"
#include "Prompter.h"
#include "ScriptedPrompter.h"
#include "StageDlg.h"
#include "TestSupport.h"
#include "TravelDataStore.h"
#include "TravelPage1.h"
#include "TravelSheet.h"

#include <QDateEdit>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The dialogs on their own, driven by the keys a user presses.
class DialogsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    TravelDataStore m_store;
    ScriptedPrompter m_prompter;

    // Types a date into a picker section by section, as a user does, and leaves it.
    static void typeDate(QDateEdit* picker, const QString& day, const QString& month,
                         const QString& year)
    {
        picker->setFocus();
        picker->setCurrentSection(QDateTimeEdit::DaySection);
        // A full section moves the cursor on to the next one.
        for (const QString& part : {day, month, year}) {
            picker->setSelectedSection(picker->currentSection());
            QTest::keyClicks(picker, part);
        }
        QTest::keyClick(picker, Qt::Key_Return);
    }

private slots:
    void initTestCase() { QVERIFY(openStore(m_store, m_dir.path())); }

    void datesAreTakenAsTypedAndBoundOnlyAfterAChange()
    {
        TravelRecord travel(at(2026, 12, 6));
        travel.end = at(2026, 12, 10);
        CTravelSheet sheet(CTravelSheet::Form::Tabbed, travel, m_store, m_prompter, nullptr);
        sheet.dialog()->show();
        QVERIFY(QTest::qWaitForWindowExposed(sheet.dialog()));
        // The keyboard starts in the title.
        QCOMPARE(sheet.dialog()->focusWidget(), control<QWidget>(sheet.dialog(), Control::Title));
        auto* start = control<QDateEdit>(sheet.dialog(), Control::Starts);
        auto* end = control<QDateEdit>(sheet.dialog(), Control::Ends);
        start->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        end->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));

        // Typed day by day: the start is what was typed, and the end that the user
        // never touched stays where it was.
        typeDate(start, QStringLiteral("15"), QStringLiteral("03"), QStringLiteral("2027"));
        QCOMPARE(sheet.record().start.toDateTime().date(), QDate(2027, 3, 15));
        QCOMPARE(sheet.record().end.toDateTime().date(), QDate(2026, 12, 10));

        // Now the start bounds the end: an end before it is refused, a later one taken.
        typeDate(end, QStringLiteral("01"), QStringLiteral("03"), QStringLiteral("2027"));
        QCOMPARE(end->date(), QDate(2026, 12, 10));
        typeDate(end, QStringLiteral("20"), QStringLiteral("03"), QStringLiteral("2027"));
        QCOMPARE(end->date(), QDate(2027, 3, 20));
        // And the end bounds the start.
        typeDate(start, QStringLiteral("25"), QStringLiteral("03"), QStringLiteral("2027"));
        QCOMPARE(start->date(), QDate(2027, 3, 15));
        typeDate(start, QStringLiteral("18"), QStringLiteral("03"), QStringLiteral("2027"));
        QCOMPARE(start->date(), QDate(2027, 3, 18));

        // A travel stored with its end before its start opens unchanged.
        std::swap(travel.start, travel.end);
        CTravelSheet backwards(CTravelSheet::Form::Tabbed, travel, m_store, m_prompter, nullptr);
        QCOMPARE(backwards.record().start, travel.start);
        QCOMPARE(backwards.record().end, travel.end);
    }

    void enterInTheAddBoxOnlyAdds()
    {
        CPreferenceSheet sheet(m_store, m_prompter);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        CPreferencePage* modes = sheet.page(int(PreferenceList::Mode));
        const int before = modes->list()->count();
        modes->newItem()->setFocus();
        QTest::keyClicks(modes->newItem(), QStringLiteral("Tram"));
        QTest::keyClick(modes->newItem(), Qt::Key_Return);
        QCOMPARE(modes->list()->count(), before + 1);
        QCOMPARE(modes->list()->item(before)->text(), QStringLiteral("Tram"));
        QVERIFY(modes->newItem()->text().isEmpty());
        QVERIFY(sheet.isVisible());
        QCOMPARE(m_store.ReadPreferenceList(int(PreferenceList::Mode)).count(), before);
    }

    void spaceTicksTheMarkedImportRow()
    {
        CImportItemsDlg dialog(m_store, PreferenceList::MasterList);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget* rows = dialog.list();
        QVERIFY(rows->count() >= 2);
        rows->setFocus();
        rows->setCurrentRow(1);
        QTest::keyClick(rows, Qt::Key_Space);
        QCOMPARE(rows->item(1)->checkState(), Qt::Checked);
        QCOMPARE(rows->item(0)->checkState(), Qt::Unchecked);
        QTest::keyClick(rows, Qt::Key_Space);
        QCOMPARE(rows->item(1)->checkState(), Qt::Unchecked);

        // The tick box of the marked row keeps its white ground on the black row.
        const QRect row = rows->visualItemRect(rows->item(1));
        const QImage picture = rows->viewport()->grab().toImage();
        const QRect box(row.left() + 2, row.top() + (row.height() - 16) / 2, 16, 16);
        int light = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x)
                light +=
                    picture
                        .pixelColor(x * picture.devicePixelRatio(), y * picture.devicePixelRatio())
                        .lightness() > 128;
        }
        QVERIFY2(light > 16 * 16 / 2, qPrintable(QString::number(light)));
        dialog.accept();
        QVERIFY(dialog.result().isEmpty());
    }

    void theImportListIsAsWideAsItsLongestEntry()
    {
        const auto longestText = [](const QListWidget* rows) {
            QFont bold = rows->font();
            bold.setBold(true);
            bold.setPixelSize(13);
            int longest = 0;
            for (int row = 0; row < rows->count(); ++row)
                longest = std::max(longest, QFontMetrics(bold).horizontalAdvance(
                                                QLatin1Char(' ') + rows->item(row)->text()));
            return longest;
        };
        {
            // Each entry is drawn whole beside its tick, and nothing scrolls sideways.
            CImportItemsDlg dialog(m_store, PreferenceList::MasterList);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QVERIFY(dialog.list()->viewport()->width() >= 20 + longestText(dialog.list()));
            QVERIFY(!dialog.list()->horizontalScrollBar()->isVisible());
        }
        // An entry wider than the screen: the dialog stays on it.
        QTemporaryDir dir;
        TravelDataStore store;
        QVERIFY(openStore(store, dir.path()));
        QVERIFY(store.WritePreferenceList(QString(400, QLatin1Char('W')), 7).ok());
        CImportItemsDlg dialog(store, PreferenceList::MasterList);
        QVERIFY(dialog.width() <= dialog.screen()->availableGeometry().width());
        QVERIFY(dialog.width() > 320);
    }

    void filePickersStartWhereTheLastOneEnded()
    {
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta")).clear();
        QCOMPARE(LastUsedFolder(QStringLiteral("Exports")), QDir::homePath());
        RememberFolder(QStringLiteral("Exports"), m_dir.filePath(QStringLiteral("trip.html")));
        QCOMPARE(LastUsedFolder(QStringLiteral("Exports")), m_dir.path());
        // Each kind keeps its own, and a folder that is gone is not offered.
        QCOMPARE(LastUsedFolder(QStringLiteral("Pictures")), QDir::homePath());
        RememberFolder(QStringLiteral("Pictures"), QStringLiteral("/no/such/folder/x.png"));
        QCOMPARE(LastUsedFolder(QStringLiteral("Pictures")), QDir::homePath());
    }

    void datesReadAsTheLocaleWritesThemShort()
    {
        const auto restore = qScopeGuard([before = QLocale()] { QLocale::setDefault(before); });
        const std::pair<const char*, QStringList> expected[] = {
            {"de_DE", {QStringLiteral("11.12.26"), QStringLiteral("11.12.26 07:00")}},
            {"en_US", {QStringLiteral("12/11/26"), QStringLiteral("12/11/26 7:00 AM")}}};
        for (const auto& [name, texts] : expected) {
            QLocale::setDefault(QLocale(QLatin1String(name)));
            StageRecord stage;
            stage.date = at(2026, 12, 11, 7);
            const CStageDlg stageDialog(stage);
            const CAppointmentDlg appointmentDialog(AppointmentRecord(at(2026, 12, 11, 7)));
            QCOMPARE(control<QDateEdit>(&stageDialog, Control::Date)->text(), texts[0]);
            QCOMPARE(control<QDateTimeEdit>(&appointmentDialog, Control::Date)->text(), texts[1]);
        }
    }

    void tabInNotesMovesOnAndCtrlTabTypesATab()
    {
        CStageDlg dialog(StageRecord{});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* notes = control<QPlainTextEdit>(&dialog, Control::Notes);
        notes->setFocus();
        QTest::keyClick(notes, Qt::Key_Tab);
        QVERIFY(notes->toPlainText().isEmpty());
        QVERIFY(!notes->hasFocus());
        notes->setFocus();
        QTest::keyClick(notes, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(notes->toPlainText(), QStringLiteral("\t"));
        QTest::keyClick(notes, Qt::Key_Return);
        QCOMPARE(notes->toPlainText(), QStringLiteral("\t\n"));
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
