#include "CommandEnabling.h"
#include "CommandIds.h"
#include "StringTable.h"

#include <QTest>

// The enabling rules of the commands, for each kind of upper view and its marked row,
// without a window.
class CommandEnablingTest : public QObject {
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<ViewKind>("kind");
        QTest::addColumn<int>("markedRow");
        QTest::addColumn<bool>("enabled");
        const auto row = [](const char* name, int command, ViewKind kind, int marked,
                            bool enabled) {
            QTest::newRow(name) << command << kind << marked << enabled;
        };
        using enum ViewKind;
        row("modify travel on list, none marked", Cmd::TravelModify, TravelList, -1, false);
        row("modify travel on list, marked", Cmd::TravelModify, TravelList, 0, true);
        row("modify travel on detail", Cmd::TravelModify, TravelDetail, -1, true);
        row("modify travel on stage list", Cmd::TravelModify, StageList, 0, false);
        row("tree travel menu on the travel list", Cmd::TreeTravelNewStage, TravelList, 0, true);
        row("expense modify on an expense", Cmd::ExpenseModify, ExpenseList, 2, true);
        row("expense modify on the blank row", Cmd::ExpenseModify, ExpenseList, 3, false);
        row("expense modify on the grand total", Cmd::ExpenseModify, ExpenseList, 4, false);
        row("expense new on an empty list", Cmd::ExpenseNew, ExpenseList, -1, true);
        row("check list modify, none marked", Cmd::CheckListModify, CheckList, -1, false);
        row("check list delete, marked", Cmd::CheckListDelete, CheckList, 0, true);
        row("check list new elsewhere", Cmd::CheckListNew, TravelDetail, -1, false);
        row("appointment modify on the heading", Cmd::AppointmentModify, StageDetail, 5, false);
        row("appointment modify on the blank row", Cmd::AppointmentModify, StageDetail, 4, false);
        row("appointment modify on the first appointment", Cmd::AppointmentModify, StageDetail, 6,
            true);
        row("appointment menu delete on the first appointment", Cmd::StageMenuDeleteAppointment,
            StageDetail, 6, true);
        row("new appointment on stage list, marked", Cmd::StageNewAppointment, StageList, 0, true);
        row("new appointment on stage list, none marked", Cmd::StageNewAppointment, StageList, -1,
            false);
        row("new appointment from the appointment menu on stage list", Cmd::AppointmentNew,
            StageList, 0, false);
        row("new stage on stage detail", Cmd::NewStage, StageDetail, -1, true);
        row("new stage on travel detail", Cmd::NewStage, TravelDetail, -1, false);
        row("toolbar modify on stage detail", Cmd::Modify, StageDetail, -1, true);
        row("toolbar modify on travel detail", Cmd::Modify, TravelDetail, -1, true);
        row("toolbar modify on check list, none marked", Cmd::Modify, CheckList, -1, false);
        row("toolbar modify on stage list, marked", Cmd::Modify, StageList, 0, true);
        row("toolbar delete on expense total", Cmd::Delete, ExpenseList, 4, false);
        row("toolbar delete on an expense", Cmd::Delete, ExpenseList, 0, true);
        row("csv on expenses", Cmd::ExportToCsv, ExpenseList, -1, true);
        row("csv on check list", Cmd::ExportToCsv, CheckList, -1, true);
        row("csv on travel detail", Cmd::ExportToCsv, TravelDetail, -1, false);
        row("calendar on the travel list, marked", Cmd::ExportToCalendar, TravelList, 0, true);
        row("display mode on the travel detail", Cmd::ViewList, TravelDetail, -1, false);
        row("refresh anywhere", Cmd::Refresh, StageDetail, -1, true);
        row("copy anywhere", Cmd::TreeTravelCopy, CheckList, -1, true);
        row("print anywhere", Cmd::Print, StageDetail, -1, true);
    }

    void rules()
    {
        QFETCH(int, command);
        QFETCH(ViewKind, kind);
        QFETCH(int, markedRow);
        QFETCH(bool, enabled);
        UpperViewState state;
        state.kind = kind;
        state.markedRow = markedRow;
        state.rowCount = 5;
        state.firstAppointmentRow = 6;
        QCOMPARE(CommandEnabled(command, state), enabled);
    }

    void displayModesOfferTheOthers()
    {
        for (ViewKind kind : {ViewKind::TravelList, ViewKind::StageList}) {
            UpperViewState state;
            state.kind = kind;
            state.displayMode = DisplayMode::Report;
            QVERIFY(!CommandEnabled(Cmd::ViewReport, state));
            QVERIFY(CommandEnabled(Cmd::ViewIcon, state));
            QVERIFY(CommandEnabled(Cmd::ViewLargeIcon, state));
            QVERIFY(CommandEnabled(Cmd::ViewList, state));
            state.displayMode = DisplayMode::LargeIcons;
            QVERIFY(CommandEnabled(Cmd::ViewReport, state));
            QVERIFY(!CommandEnabled(Cmd::ViewLargeIcon, state));
        }
        for (ViewKind kind : {ViewKind::TravelDetail, ViewKind::CheckList, ViewKind::ExpenseList,
                              ViewKind::StageDetail}) {
            UpperViewState state;
            state.kind = kind;
            for (int command : {Cmd::ViewIcon, Cmd::ViewLargeIcon, Cmd::ViewList, Cmd::ViewReport})
                QVERIFY(!CommandEnabled(command, state));
        }
    }

    void checkListImportWantsTheActiveView()
    {
        UpperViewState state;
        state.kind = ViewKind::CheckList;
        QVERIFY(CommandEnabled(Cmd::CheckListImport, state));
        state.upperViewActive = false;
        QVERIFY(!CommandEnabled(Cmd::CheckListImport, state));
    }

    void promptsKeepTheirWording()
    {
        // Prompt and tooltip are one text of the string table, typing slips and all.
        QCOMPARE(CommandPrompt(Cmd::StageMenuModifyAppointment),
                 QStringLiteral("Modifiy the Seletected Appointment"));
        QCOMPARE(CommandTooltip(Cmd::StageMenuModifyAppointment),
                 QStringLiteral("Modify the Seletected Appointment"));
        QCOMPARE(CommandPrompt(Cmd::TravelModify), QStringLiteral("Modify the travel"));
        QVERIFY(CommandTooltip(Cmd::TravelModify).isEmpty());
    }
};

QTEST_APPLESS_MAIN(CommandEnablingTest)
#include "tst_commandenabling.moc"
