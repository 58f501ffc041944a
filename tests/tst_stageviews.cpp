#include "AppointmentDlg.h"
#include "IconListCtrl.h"
#include "ListCtrl.h"
#include "ListHeaderCtrl.h"
#include "RecordCommands.h"
#include "StageDetailListView.h"
#include "StageDetailModel.h"
#include "StageListModel.h"
#include "StageListView.h"
#include "StringTable.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDateTimeEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>

#include <limits>

namespace {

// Answers the Appointment dialog: a subject and, when given, a moment; then a button.
std::function<int(QDialog*)> appointmentAnswer(const QString& subject, Control button,
                                               const QDateTime& when = {})
{
    return [=](QDialog* dialog) {
        if (dialog->objectName() != IdName(Dialog::AppointmentDlg))
            return int(QDialog::Rejected);
        control<QLineEdit>(dialog, Control::Subject)->setText(subject);
        if (when.isValid())
            control<QDateTimeEdit>(dialog, Control::Date)->setDateTime(when);
        return pressButton(button)(dialog);
    };
}

} // namespace

// The wiring of the stage list and the stage detail in the real window: the header,
// display modes, mouse and menus, the appointment commands, and when the appointments
// in the rows reach the disk. Their rows and orders are the models' tests.
class StageViewsTest : public WindowTest {
    Q_OBJECT

private:
    RecordKey m_lisbon;
    RecordKey m_alfama; // no appointments; its date has seconds
    RecordKey m_belem;  // one appointment
    RecordKey m_sintra;

    QList<AppointmentRecord> onDisk(const RecordKey& stage)
    {
        return store().LoadAppointments(stage);
    }

    CStageListView* stageList()
    {
        tree()->selectPath(m_lisbon, TreeChild::Stages, RecordKey());
        return upper<CStageListView>();
    }
    CStageDetailListView* detailOf(const RecordKey& stage)
    {
        tree()->selectPath(m_lisbon, TreeChild::Stages, stage);
        return upper<CStageDetailListView>();
    }
    static void rightClick(QAbstractItemView* list, const QPoint& at)
    {
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
    }

private slots:
    void init()
    {
        seedRun([this](TravelDataStore* data) {
            m_lisbon = addTitledTravel(*data, at(2006, 3, 5), QStringLiteral("Lisbon"));
            const auto addStage = [&](const QString& title, const DateTimeValue& date,
                                      const QString& place) {
                StageRecord stage = stageOf(m_lisbon, date, title, place);
                stage.notes = title + QStringLiteral(" notes");
                return data->AddStage(stage).key;
            };
            m_alfama = addStage(QStringLiteral("Alfama"), at(2006, 3, 6, 9, 5, 42),
                                QStringLiteral("Old town"));
            m_belem = addStage(QStringLiteral("Belem"), at(2006, 3, 7), QStringLiteral("Belem"));
            m_sintra = addStage(QStringLiteral("Sintra"), at(2006, 3, 4), QString());
            AppointmentRecord tower(at(2006, 3, 7, 10));
            tower.subject = QStringLiteral("Tower");
            QVERIFY(data->SaveAppointments(m_belem, {tower}).ok());
        });
        m_run->app.setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("en_US"))));
        startWindow(QDate(2006, 3, 1));
    }

    void cleanup() { endRun(); }

    void theStageListSortsAndSwitchesModes()
    {
        CStageListView* list = stageList();
        QVERIFY(list);
        QCOMPARE(list->header()->imageSet(StageListModel::Date), 1);
        // A header click sorts by that column.
        CListHeaderCtrl* header = list->header();
        clickSection(header, 2);
        QCOMPARE(column(list->model(), 0),
                 (QStringList{QStringLiteral("Sintra"), QStringLiteral("Belem"),
                              QStringLiteral("Alfama")}));

        // Another mode shows the same rows and mark, sorted by title as the header says.
        list->markRow(0); // Sintra
        m_frame->activateWindow();
        list->report()->setFocus();
        QTRY_VERIFY(list->report()->hasFocus());
        trigger(Cmd::ViewLargeIcon);
        QVERIFY(list->icons()->hasFocus()); // the keys stay in the list
        QVERIFY(!list->report()->isVisibleTo(list));
        QCOMPARE(list->icons()->iconSize(), QSize(32, 32));
        QCOMPARE(header->imageSet(0), 1);
        QCOMPARE(list->shownStage(), m_sintra);
        QCOMPARE(list->icons()->currentIndex().row(), 2);
        // A click among the icons marks for the commands.
        QTest::mouseClick(list->icons()->viewport(), Qt::LeftButton, {},
                          cellCentre(list->icons(), 0));
        QCOMPARE(list->shownStage(), m_alfama);
        trigger(Cmd::ViewReport);
        QVERIFY(list->report()->isVisibleTo(list));
        QCOMPARE(list->markedRow(), 0);
    }

    void theStageListMenusReachTheStageCommands()
    {
        CStageListView* list = stageList();
        QSignalSpy menus(list, &CUpperView::contextMenuRequested);
        CListCtrl* rows = list->report();
        // Below the last row: "New" only, and nothing is marked.
        rightClick(rows, QPoint(20, rows->viewport()->height() - 5));
        QCOMPARE(menus[0].first().value<PopupMenu>(), PopupMenu::New);
        QVERIFY(!m_frame->action(Cmd::ListModifyStage)->isEnabled());
        m_frame->popupMenu(PopupMenu::New)->hide();
        prompter().dialogs = {titleAnswer(QStringLiteral("Cascais"))};
        trigger(Cmd::ListNewTravel); // the stage list's "New"
        QCOMPARE(store().CountStages(m_lisbon), 4);
        QCOMPARE(m_frame->upperView()->kind(), ViewKind::StageList);

        // On a row: the row is marked and "Sta" offers Modify and Delete of it.
        list = upper<CStageListView>();
        QSignalSpy rowMenus(list, &CUpperView::contextMenuRequested);
        const int belem = list->model()->rowOf(m_belem);
        rightClick(list->report(), cellCentre(list->report(), belem));
        QCOMPARE(rowMenus[0].first().value<PopupMenu>(), PopupMenu::Sta);
        QCOMPARE(list->shownStage(), m_belem);
        m_frame->popupMenu(PopupMenu::Sta)->hide();
        prompter().answers = {true};
        trigger(Cmd::ListDeleteStage);
        QCOMPARE(store().CountStages(m_lisbon), 3);

        list = stageList();
        list->markRow(list->model()->rowOf(m_sintra));
        prompter().dialogs = {titleAnswer(QStringLiteral("Sintra hills"))};
        trigger(Cmd::ListModifyStage);
        QCOMPARE(store().GetStage(m_sintra).title, QStringLiteral("Sintra hills"));
    }

    void aDoubleClickOrEnterOpensTheStage()
    {
        CStageListView* list = stageList();
        // A double click on no row is the travel list test's.
        doubleClickCell(list->report(), list->model()->rowOf(m_alfama));
        QTRY_COMPARE(m_frame->upperView()->kind(), ViewKind::StageDetail);
        QCOMPARE(tree()->selection().stageKey, m_alfama);

        list = stageList();
        list->markRow(list->model()->rowOf(m_belem));
        QTest::keyClick(list->report(), Qt::Key_Return);
        QTRY_COMPARE(m_frame->upperView()->kind(), ViewKind::StageDetail);
        QCOMPARE(m_frame->upperView()->shownStage(), m_belem);
    }

    void aRightClickOnTheDateRowShowsNoMenu()
    {
        CStageDetailListView* detail = detailOf(m_belem);
        QVERIFY(detail);
        CListCtrl* rows = detail->list();
        QSignalSpy menus(detail, &CUpperView::contextMenuRequested);
        rows->markRow(StageDetailModel::PlaceRow);
        rightClick(rows, cellCentre(rows, StageDetailModel::DateRow));
        rightClick(rows, cellCentre(rows, detail->model()->firstAppointmentRow() - 1));
        QApplication::processEvents();
        QCOMPARE(menus.size(), 0);
        QCOMPARE(rows->markedRow(), int(StageDetailModel::PlaceRow));
        // On an appointment: marked, and the appointment menu.
        const int tower = detail->model()->firstAppointmentRow();
        rightClick(rows, cellCentre(rows, tower));
        QCOMPARE(menus[0].first().value<PopupMenu>(), PopupMenu::Appointment);
        QCOMPARE(rows->markedRow(), tower);
        m_frame->popupMenu(PopupMenu::Appointment)->hide();
        // The menu key opens it for the marked appointment, and for no other row.
        QContextMenuEvent fromKeys(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                   rows->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(rows, &fromKeys);
        QCOMPARE(menus.size(), 2);
        m_frame->popupMenu(PopupMenu::Appointment)->hide();
        rows->markRow(StageDetailModel::DateRow);
        QApplication::sendEvent(rows, &fromKeys);
        QCOMPARE(menus.size(), 2);
    }

    void newAppointmentFromTheMenuStaysInTheRows()
    {
        CStageDetailListView* detail = detailOf(m_alfama);
        // The view's own commands are not record commands as well.
        QVERIFY(!m_frame->recordCommands()->handles(Cmd::AppointmentNew));
        QVERIFY(!m_frame->recordCommands()->handles(Cmd::TreeStageNewAppointment));
        AppointmentRecord offered;
        prompter().dialogs = {[&offered](QDialog* dialog) {
            offered.subject = control<QLineEdit>(dialog, Control::Subject)->text();
            offered.location = control<QLineEdit>(dialog, Control::Location)->text();
            offered.notes = control<QPlainTextEdit>(dialog, Control::Notes)->toPlainText();
            return appointmentAnswer(QStringLiteral("Fado"), Control::Ok)(dialog);
        }};
        trigger(Cmd::StageNewAppointment);
        QCOMPARE(offered.subject, QStringLiteral("Alfama"));
        QCOMPARE(offered.location, QStringLiteral("Old town"));
        QCOMPARE(offered.notes, QStringLiteral("Alfama notes"));
        // It is marked in its row; nothing is on disk yet.
        QCOMPARE(detail->list()->markedRow(), 8);
        QVERIFY(detail->hasUnsavedAppointments());
        QVERIFY(onDisk(m_alfama).isEmpty());

        // The menus of the toolbar, the tree and the stage detail ask the same; cancelled,
        // nothing changes.
        for (int command : {int(Cmd::AppointmentNew), int(Cmd::StageMenuNewAppointment),
                            int(Cmd::TreeStageNewAppointment), int(Cmd::ListNewTravel)}) {
            prompter().dialogs = {appointmentAnswer(QStringLiteral("No"), Control::Cancel)};
            trigger(command);
            QVERIFY(prompter().dialogs.isEmpty());
        }
        QCOMPARE(detail->model()->rowCount(), 9);
        QVERIFY(onDisk(m_alfama).isEmpty());
    }

    void leavingTheViewSavesAndComingBackShowsIt()
    {
        CStageDetailListView* detail = detailOf(m_alfama);
        prompter().dialogs = {appointmentAnswer(QStringLiteral("Fado"), Control::Ok,
                                                QDateTime(QDate(2006, 3, 6), QTime(21, 30)))};
        trigger(Cmd::AppointmentNew);
        // Another stage's detail is the same view, loaded again: it saves first.
        detail = detailOf(m_belem);
        QCOMPARE(onDisk(m_alfama).value(0).subject, QStringLiteral("Fado"));
        QCOMPARE(onDisk(m_alfama)[0].when, at(2006, 3, 6, 21, 30));

        // A change by double click reaches the disk when the view is replaced.
        const int tower = detail->model()->firstAppointmentRow();
        prompter().dialogs = {appointmentAnswer(QStringLiteral("Tower of Belem"), Control::Ok)};
        doubleClickCell(detail->list(), tower);
        QCOMPARE(onDisk(m_belem)[0].subject, QStringLiteral("Tower"));
        QVERIFY(stageList());
        QCOMPARE(onDisk(m_belem)[0].subject, QStringLiteral("Tower of Belem"));
        QCOMPARE(onDisk(m_belem)[0].when, at(2006, 3, 7, 10)); // untouched
        QCOMPARE(column(detailOf(m_alfama)->model(), 1).last(), QStringLiteral("Fado at Old town"));
    }

    void deletingTheLastAppointmentSavesAtOnce()
    {
        CStageDetailListView* detail = detailOf(m_belem);
        const int tower = detail->model()->firstAppointmentRow();
        detail->list()->markRow(tower);
        prompter().answers = {false};
        trigger(Cmd::StageMenuDeleteAppointment);
        QCOMPARE(prompter().asked, QStringList{QStringLiteral("Delete the Selected Appointment?")});
        QCOMPARE(detail->model()->rowCount(), tower + 1);
        prompter().answers = {true};
        trigger(Cmd::AppointmentDelete);
        // The section went with it, and the file says so already.
        QCOMPARE(detail->model()->rowCount(), 6);
        QVERIFY(onDisk(m_belem).isEmpty());
        QVERIFY(!detail->hasUnsavedAppointments());
        QVERIFY(!m_frame->action(Cmd::AppointmentDelete)->isEnabled());
    }

    void anUnsavedAppointmentSurvivesRefreshAndSynchronize()
    {
        detailOf(m_alfama);
        prompter().dialogs = {appointmentAnswer(QStringLiteral("Fado"), Control::Ok)};
        trigger(Cmd::AppointmentNew);
        trigger(Cmd::Refresh);
        QCOMPARE(onDisk(m_alfama).size(), 1);

        detailOf(m_alfama);
        prompter().dialogs = {appointmentAnswer(QStringLiteral("Tram"), Control::Ok)};
        trigger(Cmd::AppointmentNew);
        trigger(Cmd::Synchronize);
        QCOMPARE(onDisk(m_alfama).size(), 2);
        QCOMPARE(detailOf(m_alfama)->model()->rowCount(), 10);
    }

    void theAppointmentDialogStartsANewAppointmentOnTheMinute()
    {
        // A date that is not valid but names a moment starts there, on the minute.
        AppointmentRecord undated(at(2006, 3, 6, 9, 5, 42));
        undated.when.status = DateTimeValue::Invalid;
        const CAppointmentDlg fromStage(undated, nullptr, CAppointmentDlg::Purpose::Create);
        QCOMPARE(fromStage.appointment().when, at(2006, 3, 6, 9, 5));
        // Without any moment, a new appointment starts now, on the minute.
        undated.when.days = std::numeric_limits<double>::quiet_NaN();
        const CAppointmentDlg made(undated, nullptr, CAppointmentDlg::Purpose::Create);
        const QDateTime now = made.appointment().when.toDateTime();
        QCOMPARE(now.time().second(), 0);
        QVERIFY(qAbs(now.secsTo(QDateTime::currentDateTime())) < 120);
        // An appointment that is changed keeps its seconds until its moment is edited.
        const CAppointmentDlg changed(AppointmentRecord(at(2006, 3, 6, 9, 5, 42)));
        QCOMPARE(changed.appointment().when, at(2006, 3, 6, 9, 5, 42));
    }

    void modifyAndDeleteFollowTheMarkedRow()
    {
        CStageDetailListView* detail = detailOf(m_belem);
        const int heading = detail->model()->firstAppointmentRow() - 1;
        // On the heading row, Delete is the stage's (answered No here).
        detail->list()->markRow(heading);
        prompter().answers = {false};
        trigger(Cmd::Delete);
        QCOMPARE(prompter().asked.value(0), ResourceText(Str::ConfirmDeleteStage));
        QCOMPARE(store().CountStages(m_lisbon), 3);
        // On the appointment, Modify is the appointment's.
        detail->list()->markRow(heading + 1);
        prompter().dialogs = {appointmentAnswer(QStringLiteral("Tower"), Control::Ok,
                                                QDateTime(QDate(2006, 3, 8), QTime(11, 15)))};
        trigger(Cmd::Modify);
        QCOMPARE(detail->model()->index(heading + 1, 0).data().toString(),
                 QStringLiteral("3/8/06 11:15 AM"));
        // A double click on the title asks to change the stage; on the heading, nothing.
        doubleClickCell(detail->list(), heading);
        prompter().dialogs = {pressButton(Control::Cancel)};
        doubleClickCell(detail->list(), StageDetailModel::TitleRow);
        QVERIFY(prompter().dialogs.isEmpty());
        QCOMPARE(m_frame->upperView(), detail);
    }
};

QTEST_MAIN(StageViewsTest)
#include "tst_stageviews.moc"
