#include "CommandIds.h"
#include "ExportFile.h"
#include "PreferenceSheet.h"
#include "RecordCommands.h"
#include "StageDlg.h"
#include "StringTable.h"
#include "TestSupport.h"
#include "TravelListView.h"
#include "TravelSheet.h"
#include "TravelTreeView.h"
#include "WindowFixture.h"
#include "WorkingDirectoryDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QWizard>

#include <libical/ical.h>

namespace {

// Fills the Stage Detail dialog's fields and presses a button.
std::function<int(QDialog*)> stageAnswer(const QString& title, const QString& notes, int button)
{
    return [=](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("1014"))->setText(title);
        dialog->findChild<QPlainTextEdit*>(QStringLiteral("1024"))->setPlainText(notes);
        return pressButton(button)(dialog);
    };
}

} // namespace

class RecordCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> m_run;
    CMainFrame* m_frame = nullptr;
    RecordKey m_lisbon;
    RecordKey m_alfama;
    RecordKey m_rome;

    ScriptedPrompter& prompter() { return m_run->prompter; }
    TravelDataStore& store() { return m_run->store; }
    CTravelTreeView* tree() const { return m_frame->tree(); }
    QString dataFile(const QString& name) const { return m_run->store.dataFolder().filePath(name); }

    void trigger(int command)
    {
        QAction* action = m_frame->action(command);
        QVERIFY2(action->isEnabled(), qPrintable(QString::number(command)));
        action->trigger();
    }

private slots:
    void init()
    {
        m_run = std::make_unique<WindowFixture>();
        TravelDataStore data;
        data.setWorkingDirectory(m_run->dir.path());
        QVERIFY(data.Refresh().ok());
        TravelRecord lisbon(at(2006, 3, 5));
        lisbon.title = QStringLiteral("Lisbon");
        m_lisbon = data.AddTravel(lisbon).key;
        StageRecord alfama(at(2006, 3, 6));
        alfama.travelKey = m_lisbon;
        alfama.title = QStringLiteral("Alfama");
        alfama.place = QStringLiteral("Old town");
        m_alfama = data.AddStage(alfama).key;
        QVERIFY(data.SaveCheckList(m_lisbon, {{QStringLiteral("Passport, visa"), 1}}).ok());
        QTest::qWait(1000);
        TravelRecord rome(at(2006, 3, 20));
        rome.title = QStringLiteral("Rome");
        m_rome = data.AddTravel(rome).key;
        m_frame = m_run->startOnFolder(QDate(2006, 3, 1));
        QVERIFY(m_frame);
    }

    void cleanup()
    {
        QVERIFY2(prompter().unexpected.isEmpty(), qPrintable(prompter().unexpected.join(u',')));
        m_run.reset();
    }

    void newTravelInAnotherMonth()
    {
        prompter().dialogs = {[](QDialog* dialog) {
            auto* wizard = static_cast<QWizard*>(dialog);
            wizard->findChild<QLineEdit*>(QStringLiteral("1014"))->setText(QStringLiteral("   "));
            wizard->findChild<QComboBox*>(QStringLiteral("1019"))
                ->setEditText(QStringLiteral("Balloon"));
            wizard->findChild<QDateEdit*>(QStringLiteral("1018"))->setDate(QDate(2006, 4, 9));
            wizard->findChild<QDateEdit*>(QStringLiteral("1017"))->setDate(QDate(2006, 4, 8));
            wizard->restart();
            wizard->next();
            wizard->findChild<QPlainTextEdit*>(QStringLiteral("1024"))
                ->setPlainText(QStringLiteral("up\nhigh"));
            wizard->button(QWizard::FinishButton)->click();
            return wizard->result();
        }};
        trigger(Cmd::NewTravel);
        QCOMPARE(store().TravelKeys().size(), 3);
        TravelRecord added;
        for (const RecordKey& key : store().TravelKeys()) {
            if (key != m_lisbon && key != m_rome)
                added = store().GetTravel(key);
        }
        QCOMPARE(added.title, QStringLiteral("No Title"));
        QCOMPARE(added.mode, QStringLiteral("Balloon"));
        QCOMPARE(added.notes, QStringLiteral("up\r\nhigh"));
        QCOMPARE(added.start.toDateTime().date(), QDate(2006, 4, 8));
        QCOMPARE(tree()->root()->childCount(), 2); // April is not the month shown
        QCOMPARE(m_frame->upperView()->kind(), 1);

        // Cancel leaves everything as it was.
        prompter().dialogs = {pressButton(2)};
        trigger(Cmd::NewTravel);
        QCOMPARE(store().TravelKeys().size(), 3);
    }

    void modifyOpensOnThePageOfTheMarkedRow()
    {
        tree()->selectPath(m_lisbon, 0, RecordKey());
        QTreeWidget* rows = m_frame->upperView()->list();
        rows->setCurrentItem(rows->topLevelItem(10));
        int openedOn = -1;
        prompter().dialogs = {[&openedOn](QDialog* dialog) {
            openedOn = dialog->findChild<QTabWidget*>(QStringLiteral("pages"))->currentIndex();
            dialog->findChild<QComboBox*>(QStringLiteral("1025"))
                ->setEditText(QStringLiteral("Done"));
            dialog->findChild<QLineEdit*>(QStringLiteral("1014"))
                ->setText(QStringLiteral("  Lisboa  "));
            return pressButton(1)(dialog);
        }};
        trigger(Cmd::TravelModify);
        QCOMPARE(openedOn, 1);
        QCOMPARE(store().GetTravel(m_lisbon).status, QStringLiteral("Done"));
        QCOMPARE(store().GetTravel(m_lisbon).title, QStringLiteral("Lisboa"));
        QCOMPARE(tree()->currentItem(), tree()->root());

        tree()->selectPath(m_lisbon, 0, RecordKey());
        rows = m_frame->upperView()->list();
        rows->setCurrentItem(rows->topLevelItem(9));
        prompter().dialogs = {[&openedOn](QDialog* dialog) {
            openedOn = dialog->findChild<QTabWidget*>(QStringLiteral("pages"))->currentIndex();
            dialog->findChild<QLineEdit*>(QStringLiteral("1014"))
                ->setText(QStringLiteral("changed"));
            return pressButton(2)(dialog);
        }};
        trigger(Cmd::TravelModify);
        QCOMPARE(openedOn, 0);
        QCOMPARE(store().GetTravel(m_lisbon).title, QStringLiteral("Lisboa"));
    }

    void theIconIsChosenInItsOwnDialog()
    {
        TravelRecord travel = store().GetTravel(m_rome);
        travel.icon = 5;
        CTravelSheet sheet(CTravelSheet::Form::Tabbed, travel, store(), prompter(), m_frame);
        prompter().dialogs = {pressButton(2)};
        sheet.page1()->chooseIcon();
        QCOMPARE(sheet.record().icon, 5);
        prompter().dialogs = {[](QDialog* dialog) {
            static_cast<CSelectIconDlg*>(dialog)->list()->setCurrentRow(39);
            return pressButton(1)(dialog);
        }};
        sheet.page1()->chooseIcon();
        QCOMPARE(sheet.record().icon, 39);
        QCOMPARE(sheet.record().key, m_rome);
    }

    void preferencesWriteOnlyTheTabsShown()
    {
        const QByteArray units = readFile(dataFile(DataFolder::preferenceFileName(6)));
        // Units changed, Mode shown, Cancel: nothing is written.
        prompter().dialogs = {[](QDialog* dialog) {
            auto* sheet = static_cast<CPreferenceSheet*>(dialog);
            sheet->show();
            sheet->tabs()->setCurrentIndex(5);
            sheet->page(6)->newItem()->setText(QStringLiteral("Crate"));
            sheet->page(6)->add();
            sheet->tabs()->setCurrentIndex(0);
            return pressButton(2)(dialog);
        }};
        trigger(Cmd::Preferences);
        QCOMPARE(readFile(dataFile(DataFolder::preferenceFileName(6))), units);

        prompter().dialogs = {[](QDialog* dialog) {
            auto* sheet = static_cast<CPreferenceSheet*>(dialog);
            sheet->show();
            CPreferencePage* modes = sheet->page(1);
            modes->newItem()->setText(QStringLiteral("  Balloon  "));
            modes->add();
            modes->newItem()->setText(QStringLiteral("   "));
            modes->add();
            modes->newItem()->setText(QStringLiteral("Bus"));
            modes->add();
            // Renaming to blanks keeps the old text.
            modes->list()->item(0)->setText(QStringLiteral("   "));
            modes->list()->setCurrentRow(1);
            modes->deleteMarked(); // "Car"
            sheet->tabs()->setCurrentIndex(3);
            CPreferencePage* types = sheet->page(4);
            while (types->list()->count() > 0) {
                types->list()->setCurrentRow(0);
                types->deleteMarked();
            }
            return pressButton(1)(dialog);
        }};
        trigger(Cmd::Preferences);
        QCOMPARE(
            store().ReadPreferenceList(1),
            (QStringList{QStringLiteral("Bus"), QStringLiteral("Flight"), QStringLiteral("Ship"),
                         QStringLiteral("Balloon"), QStringLiteral("Bus")}));
        QCOMPARE(readFile(dataFile(DataFolder::preferenceFileName(4))), hex("00000000"));
        QCOMPARE(readFile(dataFile(DataFolder::preferenceFileName(6))), units);
    }

    void importAddsTheTickedEntriesInRowOrder()
    {
        tree()->selectPath(m_rome, 1, RecordKey());
        QCOMPARE(m_frame->upperView()->kind(), 3);
        prompter().dialogs = {pressButton(1)}; // nothing ticked
        trigger(Cmd::CheckListImport);
        QVERIFY(store().LoadCheckList(m_rome).isEmpty());

        prompter().dialogs = {[](QDialog* dialog) {
            auto* import = static_cast<CImportItemsDlg*>(dialog);
            QListWidget* rows = import->list();
            QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                              rows->visualItemRect(rows->item(2)).center());
            QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                              rows->visualItemRect(rows->item(0)).center());
            return pressButton(1)(dialog);
        }};
        trigger(Cmd::CheckListImport);
        QCOMPARE(
            store().LoadCheckList(m_rome),
            (QList<CheckListItem>{{QStringLiteral("Passport"), 0}, {QStringLiteral("Visa"), 0}}));
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("Check List [0/2]"));
        QCOMPARE(m_frame->upperView()->list()->topLevelItemCount(), 2);
    }

    void deleteAsksFirst()
    {
        tree()->selectPath(m_lisbon, 0, RecordKey());
        prompter().answers = {false};
        trigger(Cmd::TravelDelete);
        QCOMPARE(prompter().asked, QStringList{ResourceText(Str::ConfirmDeleteTravel)});
        QVERIFY(QFile::exists(dataFile(DataFolder::travelFileName(m_lisbon))));
        prompter().answers = {true};
        trigger(Cmd::TravelDelete);
        for (const QString& name :
             {DataFolder::travelFileName(m_lisbon), DataFolder::stageFileName(m_alfama),
              DataFolder::checkListFileName(m_lisbon)})
            QVERIFY2(!QFile::exists(dataFile(name)), qPrintable(name));
        QCOMPARE(tree()->currentItem(), tree()->root());
        QCOMPARE(tree()->root()->childCount(), 1);
    }

    void copyListsTheCopy()
    {
        tree()->selectPath(m_rome, 0, RecordKey());
        trigger(Cmd::TreeTravelCopy);
        QCOMPARE(tree()->root()->childCount(), 3);
        QCOMPARE(store().TravelKeys().size(), 3);
    }

    void stagesNewModifyDelete()
    {
        tree()->selectPath(m_rome, 3, RecordKey());
        prompter().dialogs = {stageAnswer(QStringLiteral("   "), QStringLiteral("a\nb"), 2)};
        trigger(Cmd::NewStage); // cancelled
        QCOMPARE(store().CountStages(m_rome), 0);
        prompter().dialogs = {stageAnswer(QStringLiteral("   "), QStringLiteral("a\nb"), 1)};
        trigger(Cmd::NewStage);
        QCOMPARE(store().CountStages(m_rome), 1);
        const RecordKey stage = store().StagesOf(m_rome).first();
        QCOMPARE(store().GetStage(stage).title, QStringLiteral("No Stage"));
        QCOMPARE(store().GetStage(stage).notes, QStringLiteral("a\r\nb"));
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("Stages"));
        QCOMPARE(tree()->currentItem()->child(0)->text(0), QStringLiteral("No Stage"));

        tree()->setCurrentItem(tree()->currentItem()->child(0));
        QCOMPARE(m_frame->upperView()->kind(), 6);
        prompter().dialogs = {stageAnswer(QStringLiteral("  Forum  "), QStringLiteral("x"), 1)};
        trigger(Cmd::StageModify);
        QCOMPARE(store().GetStage(stage).title, QStringLiteral("Forum"));
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("Forum"));

        prompter().answers = {false, true};
        trigger(Cmd::StageDelete);
        QVERIFY(QFile::exists(dataFile(DataFolder::stageFileName(stage))));
        trigger(Cmd::StageDelete);
        QVERIFY(!QFile::exists(dataFile(DataFolder::stageFileName(stage))));
        QCOMPARE(store().CountStages(m_rome), 0);
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("Stages"));
    }

    void aNewAppointmentStartsFromItsStage()
    {
        tree()->selectPath(m_lisbon, 3, m_alfama);
        prompter().dialogs = {[](QDialog* dialog) {
            auto* subject = dialog->findChild<QLineEdit*>(QStringLiteral("1030"));
            auto* location = dialog->findChild<QLineEdit*>(QStringLiteral("1031"));
            if (subject->text() != QLatin1String("Alfama") ||
                location->text() != QLatin1String("Old town"))
                return int(QDialog::Rejected);
            subject->setText(QStringLiteral("Fado"));
            return pressButton(1)(dialog);
        }};
        trigger(Cmd::AppointmentNew);
        const QList<AppointmentRecord> appointments = store().LoadAppointments(m_alfama);
        QCOMPARE(appointments.size(), 1);
        QCOMPARE(appointments[0].subject, QStringLiteral("Fado"));
        QCOMPARE(appointments[0].when, store().GetStage(m_alfama).date);
        QCOMPARE(m_frame->upperView()->list()->topLevelItemCount(),
                 7); // 4 details, 2, 1 appointment
    }

    void exportsWriteWhatTheCommandLineWrites()
    {
        // The travel list marks Lisbon, its first row.
        const QString folder = m_run->folder(QStringLiteral("exports"));
        const QString html = folder + QStringLiteral("/trip.html");
        prompter().saveNames = {html};
        trigger(Cmd::ExportToHtml);
        QCOMPARE(prompter().saveFilters.last(), QStringLiteral("html|HTML Files (*.html)"));
        QCOMPARE(readFile(html), RenderExportFile(store(), m_lisbon, ExportFormat::Html));
        QCOMPARE(prompter().opened, QStringList{html});

        const QString text = folder + QStringLiteral("/trip.txt");
        prompter().saveNames = {text};
        trigger(Cmd::TravelExportText);
        QCOMPARE(readFile(text), RenderExportFile(store(), m_lisbon, ExportFormat::Text));

        const QString ics = folder + QStringLiteral("/trip.ics");
        prompter().saveNames = {ics};
        trigger(Cmd::ExportToCalendar);
        icalcomponent* calendar = icalparser_parse_string(readFile(ics).constData());
        QVERIFY(calendar);
        QCOMPARE(icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT), 2);
        icalcomponent_free(calendar);

        tree()->selectPath(m_lisbon, 1, RecordKey());
        const QString csv = folder + QStringLiteral("/list.csv");
        prompter().saveNames = {csv};
        trigger(Cmd::ExportToCsv);
        QCOMPARE(
            readFile(csv),
            QByteArray("Check List Item,Check Condition\r\n\"Passport, visa\",Checked\r\n\r\n"));

        // A folder that is not there: one message naming the file, nothing opened.
        prompter().opened.clear();
        tree()->selectPath(m_lisbon, 0, RecordKey());
        const QString nowhere = folder + QStringLiteral("/missing/trip.html");
        prompter().saveNames = {nowhere};
        trigger(Cmd::ExportToHtml);
        QCOMPARE(prompter().informed.size(), 1);
        QVERIFY(prompter().informed.first().contains(QDir::toNativeSeparators(nowhere)));
        QVERIFY(prompter().opened.isEmpty());
    }

    void theSameWorkingDirectoryReloadsNothing()
    {
        tree()->selectPath(m_lisbon, 0, RecordKey());
        prompter().directories = {m_run->dir.path()};
        prompter().dialogs = {[](QDialog* dialog) {
            static_cast<CWorkingDirectoryDlg*>(dialog)->browse();
            return pressButton(1)(dialog);
        }};
        trigger(Cmd::WorkingDirectory);
        QCOMPARE(tree()->currentItem(), tree()->travelNode(m_lisbon));

        const QString other = m_run->folder(QStringLiteral("Other"));
        prompter().directories = {other};
        prompter().dialogs = {[](QDialog* dialog) {
            static_cast<CWorkingDirectoryDlg*>(dialog)->browse();
            return pressButton(1)(dialog);
        }};
        trigger(Cmd::WorkingDirectory);
        QCOMPARE(tree()->currentItem(), tree()->root());
        QCOMPARE(tree()->root()->childCount(), 0);
        QCOMPARE(store().dataFolder().workingDirectory(), other);
        QVERIFY(QFileInfo(QDir(other).filePath(QStringLiteral("Voyanta Files"))).isDir());
    }
};

QTEST_MAIN(RecordCommandsTest)
#include "tst_recordcommands.moc"
