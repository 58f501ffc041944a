#include "CommandEnabling.h"
#include "CommandIds.h"
#include "ImagesView.h"
#include "MainFrame.h"
#include "RecordCodec.h"
#include "ScriptedPrompter.h"
#include "StringTable.h"
#include "TestSupport.h"
#include "TravelDataStore.h"
#include "TravelTreeView.h"
#include "UpperViews.h"
#include "VoyantaApp.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QMenu>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

class MainFrameTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> m_run;
    CMainFrame* m_frame = nullptr;
    RecordKey m_rome;
    RecordKey m_lisbon;

    CTravelTreeView* tree() const { return m_frame->tree(); }
    int upperKind() const { return m_frame->upperView()->kind(); }

    void trigger(int command)
    {
        QAction* action = m_frame->action(command);
        QVERIFY2(action->isEnabled(), qPrintable(QString::number(command)));
        action->trigger();
    }

    void rightClick(QTreeWidgetItem* item, int xOffset)
    {
        const QRect rect = tree()->visualItemRect(item);
        QTest::mouseClick(tree()->viewport(), Qt::RightButton, {},
                          QPoint(rect.left() + xOffset, rect.center().y()));
    }

private slots:
    void init()
    {
        m_run = std::make_unique<WindowFixture>();
        {
            TravelDataStore data;
            data.setWorkingDirectory(m_run->dir.path());
            QVERIFY(data.Refresh().ok());
            TravelRecord rome(at(2006, 3, 20));
            rome.title = QStringLiteral("Rome");
            m_rome = data.AddTravel(rome).key;
            TravelRecord lisbon(at(2006, 3, 5));
            lisbon.title = QStringLiteral("Lisbon");
            QTest::qWait(1000);
            m_lisbon = data.AddTravel(lisbon).key;
            StageRecord stage(at(2006, 3, 6));
            stage.travelKey = m_lisbon;
            stage.title = QStringLiteral("Alfama");
            QVERIFY(data.AddStage(stage).ok());
            QVERIFY(data.SaveCheckList(m_lisbon, {{QStringLiteral("Passport"), 1},
                                                  {QStringLiteral("Visa"), 0}})
                        .ok());
        }
        m_frame = m_run->startOnFolder(QDate(2006, 3, 1));
        QVERIFY(m_frame);
    }

    void cleanup()
    {
        QVERIFY2(m_run->prompter.unexpected.isEmpty(),
                 qPrintable(m_run->prompter.unexpected.join(u',')));
        m_run.reset();
    }

    void theTreeListsTheMonthByStart()
    {
        QTreeWidgetItem* root = tree()->root();
        QCOMPARE(root->text(0), QStringLiteral("Travels"));
        QCOMPARE(tree()->currentItem(), root);
        QCOMPARE(upperKind(), 1);
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(root->child(0)->text(0), QStringLiteral("Lisbon"));
        QCOMPARE(root->child(1)->text(0), QStringLiteral("Rome"));
        QCOMPARE(m_frame->upperView()->list()->topLevelItemCount(), 2);

        // Another month: the root alone, selected, with the travel list.
        m_frame->monthPicker()->setDate(QDate(2006, 4, 10));
        QCOMPARE(tree()->root()->childCount(), 0);
        QCOMPARE(tree()->currentItem(), tree()->root());
        QCOMPARE(upperKind(), 1);
    }

    void childrenAreBuiltWhenExpanded()
    {
        QTreeWidgetItem* lisbon = tree()->travelNode(m_lisbon);
        QCOMPARE(lisbon->childCount(), 1); // the placeholder
        tree()->expandItem(lisbon);
        QCOMPARE(tree()->currentItem(), lisbon);
        QCOMPARE(upperKind(), 2);
        QCOMPARE(lisbon->childCount(), 3);
        QCOMPARE(lisbon->child(0)->text(0), QStringLiteral("Check List [1/2]"));
        QCOMPARE(lisbon->child(1)->text(0), QStringLiteral("Expense List"));
        QTreeWidgetItem* stages = lisbon->child(2);
        QCOMPARE(stages->childCount(), 1);
        tree()->expandItem(stages);
        QCOMPARE(stages->child(0)->text(0), QStringLiteral("Alfama"));
        QCOMPARE(upperKind(), 5);
        tree()->setCurrentItem(stages->child(0));
        QCOMPARE(upperKind(), 6);
        // The upper view is swapped in place: above the images, two panes in all.
        auto* panes = m_frame->findChild<QSplitter*>(QStringLiteral("innerSplitter"));
        QCOMPARE(panes->count(), 2);
        QCOMPARE(panes->widget(0), m_frame->upperView());
        QCOMPARE(panes->widget(1), m_frame->imagesView());
        tree()->collapseItem(stages);
        QCOMPARE(stages->childCount(), 1);
        QVERIFY(stages->child(0)->text(0).isEmpty());
        tree()->expandItem(stages);
        QCOMPARE(stages->child(0)->text(0), QStringLiteral("Alfama"));

        QTreeWidgetItem* rome = tree()->travelNode(m_rome);
        tree()->expandItem(rome);
        QCOMPARE(rome->child(2)->childCount(), 0); // no stages: no expand button

        // A second travel reloads the same detail view.
        tree()->setCurrentItem(lisbon);
        CUpperView* detail = m_frame->upperView();
        tree()->setCurrentItem(rome);
        QCOMPARE(m_frame->upperView(), detail);
        QCOMPARE(detail->list()->topLevelItem(1)->text(1), QStringLiteral("Rome"));
    }

    void rightClicksFollowTheLabel()
    {
        QTreeWidgetItem* lisbon = tree()->travelNode(m_lisbon);
        tree()->expandItem(lisbon);
        QTreeWidgetItem* checkList = lisbon->child(0);
        rightClick(checkList, 10);
        QCOMPARE(tree()->currentItem(), checkList);
        QCOMPARE(upperKind(), 3);
        for (int i = 0; i < 4; ++i)
            QVERIFY(!m_frame->contextMenu(i)->isVisible());

        // Beside the label nothing happens.
        const QRect rect = tree()->visualItemRect(lisbon);
        rightClick(lisbon, rect.width() - 2);
        QCOMPARE(tree()->currentItem(), checkList);

        rightClick(lisbon, 10);
        QCOMPARE(tree()->currentItem(), lisbon);
        QMenu* travelMenu = m_frame->contextMenu(1);
        QTRY_VERIFY(travelMenu->isVisible());
        QVERIFY(travelMenu->actions().contains(m_frame->action(Cmd::TreeTravelCopy)));
        travelMenu->hide();
    }

    void commandsFollowTheUpperView()
    {
        // The travel list marks its first row; a month without travels marks none, and
        // the travel commands wait for one.
        QVERIFY(m_frame->action(Cmd::TravelModify)->isEnabled());
        m_frame->monthPicker()->setDate(QDate(2006, 4, 1));
        QVERIFY(!m_frame->action(Cmd::TravelModify)->isEnabled());
        QVERIFY(m_frame->action(Cmd::NewTravel)->isEnabled());
        QVERIFY(!m_frame->action(Cmd::ViewReport)->isEnabled()); // mode 3 is shown
        QVERIFY(m_frame->action(Cmd::ViewIcon)->isEnabled());
        m_frame->monthPicker()->setDate(QDate(2006, 3, 1));
        QVERIFY(m_frame->action(Cmd::TravelModify)->isEnabled());
        QVERIFY(m_frame->action(Cmd::Modify)->isEnabled());
        trigger(Cmd::ViewIcon);
        QVERIFY(!m_frame->action(Cmd::ViewIcon)->isEnabled());
        QVERIFY(m_frame->action(Cmd::ViewReport)->isEnabled());

        tree()->setCurrentItem(tree()->travelNode(m_lisbon));
        QVERIFY(m_frame->action(Cmd::TravelModify)->isEnabled());
        QVERIFY(!m_frame->action(Cmd::ViewIcon)->isEnabled());
        QVERIFY(!m_frame->action(Cmd::CheckListNew)->isEnabled());
        tree()->selectPath(m_lisbon, 1, QString());
        QCOMPARE(upperKind(), 3);
        QVERIFY(m_frame->action(Cmd::CheckListNew)->isEnabled());
        QVERIFY(m_frame->action(Cmd::ExportToCsv)->isEnabled());
        QVERIFY(!m_frame->action(Cmd::TravelModify)->isEnabled());

        // Prompts and tooltips come from the string table, typing slips and all.
        QCOMPARE(m_frame->action(Cmd::StageMenuModifyAppointment)->statusTip(),
                 QStringLiteral("Modifiy the Seletected Appointment"));
        QCOMPARE(m_frame->action(Cmd::StageMenuModifyAppointment)->toolTip(),
                 QStringLiteral("Modify the Seletected Appointment"));
        QCOMPARE(m_frame->action(Cmd::NewTravel)->toolTip(), QStringLiteral("Add a new Travel"));
        QCOMPARE(m_frame->action(Cmd::NewTravel)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(m_frame->action(Cmd::Refresh)->text(), QStringLiteral("&Refresh\tF5"));
        QCOMPARE(m_frame->monthPicker()->displayFormat(), QStringLiteral("MMMM dd, yyyy"));
        QCOMPARE(m_frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
    }

    void enablingRules_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("markedRow");
        QTest::addColumn<bool>("enabled");
        const auto row = [](const char* name, int command, int kind, int marked, bool enabled) {
            QTest::newRow(name) << command << kind << marked << enabled;
        };
        row("modify travel on list, none marked", Cmd::TravelModify, 1, -1, false);
        row("modify travel on list, marked", Cmd::TravelModify, 1, 0, true);
        row("modify travel on detail", Cmd::TravelModify, 2, -1, true);
        row("modify travel on stage list", Cmd::TravelModify, 5, 0, false);
        row("expense modify on an expense", Cmd::ExpenseModify, 4, 2, true);
        row("expense modify on the blank row", Cmd::ExpenseModify, 4, 3, false);
        row("expense modify on the grand total", Cmd::ExpenseModify, 4, 4, false);
        row("appointment modify on the heading", Cmd::AppointmentModify, 6, 5, false);
        row("appointment modify on the blank row", Cmd::AppointmentModify, 6, 4, false);
        row("appointment modify on the first appointment", Cmd::AppointmentModify, 6, 6, true);
        row("new appointment on stage list, marked", Cmd::StageNewAppointment, 5, 0, true);
        row("new appointment from the appointment menu on stage list", Cmd::AppointmentNew, 5, 0,
            false);
        row("new stage on stage detail", Cmd::NewStage, 6, -1, true);
        row("toolbar modify on stage detail", Cmd::Modify, 6, -1, true);
        row("toolbar modify on check list, none marked", Cmd::Modify, 3, -1, false);
        row("toolbar delete on expense total", Cmd::Delete, 4, 4, false);
        row("csv on expenses", Cmd::ExportToCsv, 4, -1, true);
        row("csv on travel detail", Cmd::ExportToCsv, 2, -1, false);
        row("display mode on the travel detail", Cmd::ViewList, 2, -1, false);
        row("refresh anywhere", Cmd::Refresh, 6, -1, true);
        row("copy anywhere", Cmd::TreeTravelCopy, 3, -1, true);
    }

    void enablingRules()
    {
        QFETCH(int, command);
        QFETCH(int, kind);
        QFETCH(int, markedRow);
        QFETCH(bool, enabled);
        UpperViewState state;
        state.kind = kind;
        state.markedRow = markedRow;
        state.rowCount = 5;
        state.firstAppointmentRow = 6;
        QCOMPARE(CommandEnabled(command, state), enabled);
    }

    void refreshAndSynchronizeReturnToTheRoot()
    {
        tree()->selectPath(m_lisbon, 3, QString());
        QCOMPARE(upperKind(), 5);
        // A travel added behind the program's back appears after F5.
        TravelDataStore other;
        other.setWorkingDirectory(m_run->dir.path());
        (void)other.Refresh();
        TravelRecord extra(at(2006, 3, 1));
        extra.title = QStringLiteral("Extra");
        QVERIFY(other.AddTravel(extra).ok());
        trigger(Cmd::Refresh);
        QCOMPARE(tree()->currentItem(), tree()->root());
        QCOMPARE(upperKind(), 1);
        QCOMPARE(tree()->root()->child(0)->text(0), QStringLiteral("Extra"));

        // No sync program configured: Synchronize is a refresh.
        tree()->setCurrentItem(tree()->travelNode(m_rome));
        trigger(Cmd::Synchronize);
        QVERIFY(m_run->prompter.started.isEmpty());
        QCOMPARE(upperKind(), 1);

        // A stand-in sync program records its arguments.
        const QString record = m_run->dir.filePath(QStringLiteral("arguments.txt"));
        const QString standIn = m_run->dir.filePath(QStringLiteral("sync-standin.sh"));
        QVERIFY(writeFile(standIn,
                          QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n").arg(record).toUtf8()));
        QFile::setPermissions(standIn, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
            .setValue(QStringLiteral("App Paths/WCESMGR.EXE"), standIn);
        m_run->prompter.reallyStartPrograms = true;
        trigger(Cmd::Synchronize);
        QCOMPARE(m_run->prompter.started, (QList<QStringList>{{standIn, QStringLiteral("/show"),
                                                               QStringLiteral("/syncnow")}}));
        QTRY_COMPARE(readFile(record), QByteArray("/show /syncnow\n"));
    }

    void skippedFilesAndOutsideChangesAreShown()
    {
        QVERIFY(writeFile(m_run->store.dataFolder().filePath(QStringLiteral("TravelBroken.tra")),
                          hex("10 3230")));
        trigger(Cmd::Refresh);
        QCOMPARE(m_run->prompter.notified.size(), 1);
        QVERIFY(m_run->prompter.notified.first().contains(
            QLatin1String("TravelBroken.tra: truncated")));
        QCOMPARE(tree()->root()->childCount(), 2);

        // A sync tool drops a file into the folder: the status bar offers the reload.
        QTest::qWait(2100);
        QVERIFY(writeFile(m_run->store.dataFolder().filePath(QStringLiteral("Synced.stg")), "x"));
        QTRY_VERIFY(!m_frame->outsideChangeNotice().isEmpty());
        trigger(Cmd::Refresh);
        QVERIFY(m_frame->outsideChangeNotice().isEmpty());
    }

    void shutdownKeepsTheOrder()
    {
        tree()->selectPath(m_lisbon, 1, QString());
        QCOMPARE(m_frame->imagesView()->travelKey(), m_lisbon);
        m_frame->close();
        QCOMPARE(upperKind(), 1);
        QVERIFY(m_frame->imagesView()->travelKey().isEmpty());
        m_frame->imagesView()->showTravel(m_rome); // closed: ignored
        QVERIFY(m_frame->imagesView()->travelKey().isEmpty());
        QCOMPARE(tree()->topLevelItemCount(), 0);

        // The About box closes with a click on its picture.
        m_run->prompter.dialogs.append([](QDialog* dialog) {
            dialog->show();
            QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("1045")), Qt::LeftButton);
            return dialog->result();
        });
        m_frame->action(Cmd::About)->trigger();
        QVERIFY(m_run->prompter.dialogs.isEmpty());
    }
};

QTEST_MAIN(MainFrameTest)
#include "tst_mainframe.moc"
