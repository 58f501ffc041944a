#include "ExportFile.h"
#include "ListCtrl.h"
#include "PreferencePage.h"
#include "PreferenceSheet.h"
#include "RecordCommands.h"
#include "SelectIconDlg.h"
#include "StageListView.h"
#include "StringTable.h"
#include "TravelDetailListView.h"
#include "TravelListModel.h"
#include "TravelListView.h"
#include "TravelPage1.h"
#include "TravelSheet.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QWizard>

#include <libical/ical.h>

namespace {

// Fills the Stage Detail dialog's fields and presses a button.
std::function<int(QDialog*)> stageAnswer(const QString& title, const QString& notes, Control button)
{
    return [=](QDialog* dialog) {
        control<QLineEdit>(dialog, Control::Title)->setText(title);
        control<QPlainTextEdit>(dialog, Control::Notes)->setPlainText(notes);
        return pressButton(button)(dialog);
    };
}

} // namespace

class RecordCommandsTest : public WindowTest {
    Q_OBJECT

private:
    RecordKey m_lisbon;
    RecordKey m_alfama;
    RecordKey m_rome;

    CTravelDetailListView* detail() const { return upper<CTravelDetailListView>(); }
    CTravelListView* travelList() const { return upper<CTravelListView>(); }

private slots:
    void init()
    {
        seedRun([this](TravelDataStore* data) {
            m_lisbon = addTitledTravel(*data, at(2006, 3, 5), QStringLiteral("Lisbon"));
            StageRecord alfama = stageOf(m_lisbon, at(2006, 3, 6), QStringLiteral("Alfama"),
                                         QStringLiteral("Old town"));
            m_alfama = data->AddStage(alfama).key;
            QVERIFY(data->SaveCheckList(m_lisbon, {{QStringLiteral("Passport, visa"), 1}}).ok());
            m_rome = addTitledTravel(*data, at(2006, 3, 20), QStringLiteral("Rome"));
        });
        startWindow(QDate(2006, 3, 1));
    }

    void cleanup() { endRun(); }

    void newTravelInAnotherMonth()
    {
        prompter().dialogs = {[](QDialog* dialog) {
            auto* wizard = static_cast<QWizard*>(dialog);
            control<QLineEdit>(wizard, Control::Title)->setText(QStringLiteral("   "));
            control<QComboBox>(wizard, Control::Mode)->setEditText(QStringLiteral("Balloon"));
            control<QDateEdit>(wizard, Control::Ends)->setDate(QDate(2006, 4, 9));
            control<QDateEdit>(wizard, Control::Starts)->setDate(QDate(2006, 4, 8));
            wizard->restart();
            wizard->next();
            control<QPlainTextEdit>(wizard, Control::Notes)
                ->setPlainText(QStringLiteral("up\nhigh"));
            wizard->button(QWizard::FinishButton)->click();
            return wizard->result();
        }};
        trigger(Cmd::NewTravel);
        QCOMPARE(store().TravelKeys().size(), 3);
        const QList<RecordKey> april = store().TravelsStartingIn(at(2006, 4, 1));
        QCOMPARE(april.size(), 1);
        const TravelRecord added = store().GetTravel(april.first());
        QCOMPARE(added.title, QStringLiteral("No Title"));
        QCOMPARE(added.mode, QStringLiteral("Balloon"));
        QCOMPARE(added.notes, QStringLiteral("up\r\nhigh"));
        QCOMPARE(added.start.toDateTime().date(), QDate(2006, 4, 8));
        QCOMPARE(listedTravels(tree()), 2); // April is not the month shown

        // Cancel leaves everything as it was.
        prompter().dialogs = {pressButton(Control::Cancel)};
        trigger(Cmd::NewTravel);
        QCOMPARE(store().TravelKeys().size(), 3);
    }

    void modifyOpensOnThePageOfTheMarkedRow()
    {
        // Changes status and title from the detail with a row marked; the page it opened on.
        const auto modify = [this](int row, Control button) {
            tree()->selectPath(m_lisbon, TreeChild::None, RecordKey());
            detail()->list()->markRow(row);
            int openedOn = -1;
            prompter().dialogs = {[&openedOn, button](QDialog* dialog) {
                openedOn = control<QTabWidget>(dialog, Control::Pages)->currentIndex();
                control<QComboBox>(dialog, Control::Status)->setEditText(QStringLiteral("Done"));
                control<QLineEdit>(dialog, Control::Title)->setText(QStringLiteral("  Lisboa  "));
                return pressButton(button)(dialog);
            }};
            trigger(Cmd::TravelModify);
            return openedOn;
        };
        QCOMPARE(modify(9, Control::Cancel), 0);
        QCOMPARE(store().GetTravel(m_lisbon).title, QStringLiteral("Lisbon"));
        QCOMPARE(modify(10, Control::Ok), 1);
        QCOMPARE(store().GetTravel(m_lisbon).status, QStringLiteral("Done"));
        QCOMPARE(store().GetTravel(m_lisbon).title, QStringLiteral("Lisboa"));
        QCOMPARE(tree()->currentIndex(), tree()->monthNode());
    }

    void theIconIsChosenInItsOwnDialog()
    {
        TravelRecord travel = store().GetTravel(m_rome);
        travel.icon = 5;
        CTravelSheet sheet(CTravelSheet::Form::Tabbed, travel, store(), prompter(), m_frame);
        prompter().dialogs = {pressButton(Control::Cancel)};
        sheet.page1()->chooseIcon();
        QCOMPARE(sheet.record().icon, 5);
        prompter().dialogs = {[](QDialog* dialog) {
            static_cast<CSelectIconDlg*>(dialog)->list()->setCurrentRow(39);
            return pressButton(Control::Ok)(dialog);
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
            return pressButton(Control::Cancel)(dialog);
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
            return pressButton(Control::Ok)(dialog);
        }};
        trigger(Cmd::Preferences);
        QCOMPARE(
            store().ReadPreferenceList(int(PreferenceList::Mode)),
            (QStringList{QStringLiteral("Bus"), QStringLiteral("Flight"), QStringLiteral("Ship"),
                         QStringLiteral("Balloon"), QStringLiteral("Bus")}));
        QCOMPARE(readFile(dataFile(DataFolder::preferenceFileName(4))), hex("00000000"));
        QCOMPARE(readFile(dataFile(DataFolder::preferenceFileName(6))), units);
    }

    void copyListsTheCopy()
    {
        tree()->selectPath(m_rome, TreeChild::None, RecordKey());
        trigger(Cmd::TreeTravelCopy);
        QCOMPARE(listedTravels(tree()), 3);
        // The tree and the list on the right show the copy at once.
        QCOMPARE(tree()->currentIndex(), tree()->monthNode());
        QVERIFY(travelList());
        QCOMPARE(travelList()->model()->rowCount(), 3);
    }

    void aDeletedTravelLeavesNoRowBehind()
    {
        // Delete from the travel list: the list shows what is left (the files that go are
        // the store test's), and Modify and the exports act on a travel that exists.
        QCOMPARE(travelList()->shownTravel(), m_lisbon);
        prompter().answers = {true};
        trigger(Cmd::Delete);
        QCOMPARE(travelList()->model()->rowCount(), 1);
        QCOMPARE(travelList()->shownTravel(), m_rome);
        TravelRecord opened;
        prompter().dialogs = {[&opened](QDialog* dialog) {
            opened.title = control<QLineEdit>(dialog, Control::Title)->text();
            return pressButton(Control::Cancel)(dialog);
        }};
        trigger(Cmd::TravelModify);
        QCOMPARE(opened.title, QStringLiteral("Rome"));

        // Delete from the travel detail asks first; then back to the list of what is left.
        tree()->selectPath(m_rome, TreeChild::None, RecordKey());
        prompter().asked.clear();
        prompter().answers = {false};
        trigger(Cmd::TravelDelete);
        QCOMPARE(prompter().asked, QStringList{ResourceText(Str::ConfirmDeleteTravel)});
        QVERIFY(QFile::exists(dataFile(DataFolder::travelFileName(m_rome))));
        prompter().answers = {true};
        trigger(Cmd::TravelDelete);
        QCOMPARE(tree()->currentIndex(), tree()->monthNode());
        QCOMPARE(listedTravels(tree()), 0);
        QCOMPARE(travelList()->model()->rowCount(), 0);
        QVERIFY(!m_frame->action(Cmd::TravelModify)->isEnabled());
        QVERIFY(!m_frame->action(Cmd::ExportToHtml)->isEnabled());
        QVERIFY(prompter().informed.isEmpty());
    }

    void aFailedDeleteIsReported()
    {
        // A check list that cannot be removed (a folder stands in its place): the user is
        // told which file and why, and the tree and the list still show the travel.
        const QString blocked = dataFile(DataFolder::checkListFileName(m_lisbon));
        QVERIFY(QFile::remove(blocked));
        QVERIFY(QDir().mkpath(blocked + QStringLiteral("/inside")));
        prompter().answers = {true};
        trigger(Cmd::Delete);
        QCOMPARE(prompter().informed.size(), 1);
        QVERIFY(prompter().informed.first().contains(QDir::toNativeSeparators(blocked)));
        QCOMPARE(listedTravels(tree()), 2);
        QCOMPARE(travelList()->model()->rowCount(), 2);
        QVERIFY(QFile::exists(dataFile(DataFolder::travelFileName(m_lisbon))));
    }

    void stagesNewModifyDelete()
    {
        tree()->selectPath(m_rome, TreeChild::Stages, RecordKey());
        prompter().dialogs = {
            stageAnswer(QStringLiteral("   "), QStringLiteral("a\nb"), Control::Cancel)};
        trigger(Cmd::NewStage); // cancelled
        QCOMPARE(store().CountStages(m_rome), 0);
        prompter().dialogs = {
            stageAnswer(QStringLiteral("   "), QStringLiteral("a\nb"), Control::Ok)};
        trigger(Cmd::NewStage);
        QCOMPARE(store().CountStages(m_rome), 1);
        const RecordKey stage = store().StagesOf(m_rome).first();
        QCOMPARE(store().GetStage(stage).title, QStringLiteral("No Stage"));
        QCOMPARE(store().GetStage(stage).notes, QStringLiteral("a\r\nb"));
        QCOMPARE(childCaptions(tree()->currentIndex()), QStringLiteral("No Stage"));

        tree()->setCurrentIndex(tree()->model()->index(0, 0, tree()->currentIndex()));
        prompter().dialogs = {
            stageAnswer(QStringLiteral("  Forum  "), QStringLiteral("x"), Control::Ok)};
        trigger(Cmd::StageModify);
        QCOMPARE(store().GetStage(stage).title, QStringLiteral("Forum"));
        QCOMPARE(currentCaption(tree()), QStringLiteral("Forum"));

        prompter().answers = {false, true};
        trigger(Cmd::StageDelete);
        QVERIFY(QFile::exists(dataFile(DataFolder::stageFileName(stage))));
        trigger(Cmd::StageDelete);
        QCOMPARE(store().CountStages(m_rome), 0);
        QCOMPARE(currentCaption(tree()), QStringLiteral("Stages"));
    }

    void aNewAppointmentFromTheStageListStartsFromItsStage()
    {
        // With the stage list showing, New Appointment is a record command: the dialog,
        // then the store at once.
        tree()->selectPath(m_lisbon, TreeChild::Stages, RecordKey());
        auto* stages = upper<CStageListView>();
        QVERIFY(stages);
        stages->markRow(0);
        prompter().dialogs = {[](QDialog* dialog) {
            auto* subject = control<QLineEdit>(dialog, Control::Subject);
            auto* location = control<QLineEdit>(dialog, Control::Location);
            if (subject->text() != QLatin1String("Alfama") ||
                location->text() != QLatin1String("Old town"))
                return int(QDialog::Rejected);
            subject->setText(QStringLiteral("Fado"));
            return pressButton(Control::Ok)(dialog);
        }};
        trigger(Cmd::StageNewAppointment);
        const QList<AppointmentRecord> appointments = store().LoadAppointments(m_alfama);
        QCOMPARE(appointments.size(), 1);
        QCOMPARE(appointments[0].subject, QStringLiteral("Fado"));
        QCOMPARE(appointments[0].when, store().GetStage(m_alfama).date);
        QCOMPARE(m_frame->upperView(), stages);
        QCOMPARE(stages->shownStage(), m_alfama);
    }

    void exportsWriteWhatTheCommandLineWrites()
    {
        // The travel list marks Lisbon, its first row.
        const QString folder = m_run->folder(QStringLiteral("exports"));
        const auto exported = [&](const char* name, int command) {
            prompter().saveNames = {folder + QLatin1Char('/') + QLatin1String(name)};
            trigger(command);
            return readFile(folder + QLatin1Char('/') + QLatin1String(name));
        };
        QCOMPARE(exported("trip.html", Cmd::ExportToHtml),
                 RenderExportFile(store(), m_lisbon, ExportFormat::Html));
        QCOMPARE(prompter().opened, QStringList{folder + QStringLiteral("/trip.html")});
        QCOMPARE(exported("trip.txt", Cmd::TravelExportText),
                 RenderExportFile(store(), m_lisbon, ExportFormat::Text));
        icalcomponent* calendar =
            icalparser_parse_string(exported("trip.ics", Cmd::ExportToCalendar).constData());
        QVERIFY(calendar);
        QCOMPARE(icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT), 2);
        icalcomponent_free(calendar);
        tree()->selectPath(m_lisbon, TreeChild::CheckList, RecordKey());
        QCOMPARE(exported("list.csv", Cmd::ExportToCsv),
                 RenderExportFile(store(), m_lisbon, ExportFormat::CheckListCsv));

        // A folder that is not there: one message naming the file, nothing opened.
        prompter().opened.clear();
        tree()->selectPath(m_lisbon, TreeChild::None, RecordKey());
        QVERIFY(exported("missing/trip.html", Cmd::ExportToHtml).isEmpty());
        QCOMPARE(prompter().informed.size(), 1);
        QVERIFY(prompter().informed.first().contains(
            QDir::toNativeSeparators(folder + QStringLiteral("/missing/trip.html"))));
        QVERIFY(prompter().opened.isEmpty());
    }

    void theSameWorkingDirectoryReloadsNothing()
    {
        tree()->selectPath(m_lisbon, TreeChild::None, RecordKey());
        chooseWorkingDirectory(m_run->dir.path());
        QCOMPARE(tree()->currentIndex(), tree()->travelNode(m_lisbon));
        const QString other = m_run->folder(QStringLiteral("Other"));
        chooseWorkingDirectory(other);
        QCOMPARE(tree()->currentIndex(), tree()->monthNode());
        QCOMPARE(listedTravels(tree()), 0);
        QCOMPARE(store().dataFolder().workingDirectory(), other);
        QVERIFY(QFileInfo(QDir(other).filePath(QStringLiteral("Voyanta Files"))).isDir());
    }
};

QTEST_MAIN(RecordCommandsTest)
#include "tst_recordcommands.moc"
