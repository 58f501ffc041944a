#include "ColumnWidths.h"
#include "HelpWindow.h"
#include "ImageLinkList.h"
#include "ImagesView.h"
#include "ListCtrl.h"
#include "TravelListModel.h"
#include "TravelListView.h"
#include "UpperView.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QMenu>
#include <QSignalSpy>
#include <QSplitter>
#include <QTextBrowser>

class MainFrameTest : public WindowTest {
    Q_OBJECT

private:
    RecordKey m_rome;
    RecordKey m_lisbon;

    ViewKind upperKind() const { return m_frame->upperView()->kind(); }

    void rightClick(const QModelIndex& node, int xOffset)
    {
        const QRect rect = tree()->visualRect(node);
        QTest::mouseClick(tree()->viewport(), Qt::RightButton, {},
                          QPoint(rect.left() + xOffset, rect.center().y()));
    }

private slots:
    void init()
    {
        seedRun([this](TravelDataStore* data) {
            m_rome = addTitledTravel(*data, at(2006, 3, 20), QStringLiteral("Rome"));
            m_lisbon = addTitledTravel(*data, at(2006, 3, 5), QStringLiteral("Lisbon"));
            StageRecord stage = stageOf(m_lisbon, at(2006, 3, 6), QStringLiteral("Alfama"));
            QVERIFY(data->AddStage(stage).ok());
            QVERIFY(data->SaveCheckList(m_lisbon, {{QStringLiteral("Passport"), 1},
                                                   {QStringLiteral("Visa"), 0}})
                        .ok());
        });
        startWindow(QDate(2006, 3, 1));
    }

    void cleanup() { endRun(); }

    void theTreeListsTheMonthByStart()
    {
        QCOMPARE(childCaptions(tree()->monthNode()), QStringLiteral("Lisbon|Rome"));

        // Another month: the root alone, selected, with the travel list.
        m_frame->monthPicker()->setDate(QDate(2006, 4, 10));
        QVERIFY(childCaptions(tree()->monthNode()).isEmpty());
        QCOMPARE(tree()->currentIndex(), tree()->monthNode());

        // The picker's arrows cross the ends of years.
        QDateEdit* picker = m_frame->monthPicker();
        picker->setDate(QDate(2006, 12, 15));
        picker->setFocus();
        picker->setCurrentSection(QDateTimeEdit::MonthSection);
        QTest::keyClick(picker, Qt::Key_Up);
        QCOMPARE(tree()->month(), QDate(2007, 1, 15));
        QTest::keyClick(picker, Qt::Key_Down);
        QTest::keyClick(picker, Qt::Key_Down);
        QCOMPARE(picker->date(), QDate(2006, 11, 15));
    }

    void childrenAreBuiltWhenExpandedAndRightClicksFollowTheLabel()
    {
        const QModelIndex lisbon = tree()->travelNode(m_lisbon);
        QVERIFY(childCaptions(lisbon).isEmpty()); // listed when opened
        tree()->expand(lisbon);
        QCOMPARE(tree()->currentIndex(), lisbon);
        QCOMPARE(upperKind(), ViewKind::TravelDetail);
        QCOMPARE(childCaptions(lisbon), QStringLiteral("Check List [1/2]|Expense List|Stages"));
        const QModelIndex checkList = tree()->travelChildNode(m_lisbon, TreeNodeKind::CheckList);
        QCOMPARE(checkList.data(Qt::ToolTipRole), checkList.data()); // long captions whole
        const QModelIndex stages = tree()->travelChildNode(m_lisbon, TreeNodeKind::Stages);
        QVERIFY(tree()->model()->hasChildren(stages));
        tree()->expand(stages);
        QCOMPARE(childCaptions(stages), QStringLiteral("Alfama"));
        QCOMPARE(upperKind(), ViewKind::StageList);
        tree()->setCurrentIndex(tree()->model()->index(0, 0, stages));
        QCOMPARE(upperKind(), ViewKind::StageDetail);
        // The upper view is swapped in place: above the images, two panes in all.
        auto* panes = m_frame->findChild<QSplitter*>(QStringLiteral("innerSplitter"));
        QCOMPARE(panes->count(), 2);
        QCOMPARE(panes->widget(0), m_frame->upperView());
        QCOMPARE(panes->widget(1), m_frame->imagesView());
        tree()->collapse(stages); // its stages are read again when it opens
        QVERIFY(childCaptions(stages).isEmpty());
        tree()->expand(stages);
        QCOMPARE(childCaptions(stages), QStringLiteral("Alfama"));

        tree()->expand(tree()->travelNode(m_rome));
        QVERIFY(!tree()->model()->hasChildren(
            tree()->travelChildNode(m_rome, TreeNodeKind::Stages))); // no expand button

        // A second travel reloads the same detail view.
        tree()->setCurrentIndex(lisbon);
        CUpperView* detail = m_frame->upperView();
        tree()->setCurrentIndex(tree()->travelNode(m_rome));
        QCOMPARE(m_frame->upperView(), detail);
        QCOMPARE(detail->shownTravel(), m_rome);

        // Right clicks follow the label.
        rightClick(checkList, 10);
        QCOMPARE(tree()->currentIndex(), checkList);
        QCOMPARE(upperKind(), ViewKind::CheckList);
        for (PopupMenu menu :
             {PopupMenu::Travels, PopupMenu::Travel, PopupMenu::Stages, PopupMenu::Stage})
            QVERIFY(!m_frame->popupMenu(menu)->isVisible());

        // Beside the label nothing happens.
        rightClick(lisbon, tree()->visualRect(lisbon).width() - 2);
        QCOMPARE(tree()->currentIndex(), checkList);

        rightClick(lisbon, 10);
        QCOMPARE(tree()->currentIndex(), lisbon);
        QMenu* travelMenu = m_frame->popupMenu(PopupMenu::Travel);
        QTRY_VERIFY(travelMenu->isVisible());
        QVERIFY(travelMenu->actions().contains(m_frame->action(Cmd::TreeTravelCopy)));
        travelMenu->hide();

        // The root, the stages and a stage open their own menus.
        const std::pair<QModelIndex, PopupMenu> menus[] = {
            {tree()->monthNode(), PopupMenu::Travels},
            {stages, PopupMenu::Stages},
            {tree()->model()->index(0, 0, stages), PopupMenu::Stage}};
        for (const auto& [node, menu] : menus) {
            rightClick(node, 10);
            QTRY_VERIFY(m_frame->popupMenu(menu)->isVisible());
            m_frame->popupMenu(menu)->hide();
        }
    }

    void commandsFollowTheUpperView()
    {
        // Every command is enabled only when its rule allows it and something runs it:
        // no menu item, button or key may look enabled and do nothing.
        const auto sweep = [this] {
            for (QAction* action : m_frame->findChildren<QAction*>()) {
                const int command = action->objectName().toInt();
                if (command > 0 && action->isEnabled())
                    QVERIFY2(m_frame->isHandled(command), qPrintable(action->objectName()));
            }
        };
        // The travel list marks its first row; a month without travels marks none, and
        // the travel commands wait for one.
        QVERIFY(m_frame->action(Cmd::TravelModify)->isEnabled());
        sweep();
        m_frame->monthPicker()->setDate(QDate(2006, 4, 1));
        QVERIFY(!m_frame->action(Cmd::TravelModify)->isEnabled());
        QVERIFY(m_frame->action(Cmd::NewTravel)->isEnabled());
        QVERIFY(!m_frame->action(Cmd::ViewReport)->isEnabled()); // mode 3 is shown
        QVERIFY(m_frame->action(Cmd::ViewIcon)->isEnabled());
        sweep();
        m_frame->monthPicker()->setDate(QDate(2006, 3, 1));
        QVERIFY(m_frame->action(Cmd::Modify)->isEnabled());
        trigger(Cmd::ViewIcon);
        QVERIFY(!m_frame->action(Cmd::ViewIcon)->isEnabled());
        QVERIFY(m_frame->action(Cmd::ViewReport)->isEnabled());

        tree()->setCurrentIndex(tree()->travelNode(m_lisbon));
        QVERIFY(m_frame->action(Cmd::TravelModify)->isEnabled());
        QVERIFY(!m_frame->action(Cmd::ViewIcon)->isEnabled());
        sweep();
        tree()->selectPath(m_lisbon, TreeChild::CheckList, QString());
        QVERIFY(m_frame->action(Cmd::ExportToCsv)->isEnabled());
        QVERIFY(m_frame->action(Cmd::CheckListImport)->isEnabled());
        QVERIFY(!m_frame->action(Cmd::TravelModify)->isEnabled());
        QCOMPARE(m_frame->action(Cmd::NewTravel)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        sweep();
        for (TreeChild child : {TreeChild::Expenses, TreeChild::Stages}) {
            tree()->selectPath(m_lisbon, child, QString());
            sweep();
        }
        const QModelIndex stages = tree()->currentIndex();
        tree()->expand(stages);
        tree()->setCurrentIndex(tree()->model()->index(0, 0, stages));
        QCOMPARE(upperKind(), ViewKind::StageDetail);
        sweep();
        QVERIFY(!m_frame->action(Cmd::Cut)->isEnabled()); // Shift+Delete: nothing runs it
    }

    void refreshAndSynchronizeReturnToTheRoot()
    {
        tree()->selectPath(m_lisbon, TreeChild::Stages, QString());
        QCOMPARE(upperKind(), ViewKind::StageList);
        // A travel added behind the program's back appears after F5.
        QVERIFY(
            !addTitledTravel(*m_run->seed(), at(2006, 3, 1), QStringLiteral("Extra")).isEmpty());
        trigger(Cmd::Refresh);
        QCOMPARE(tree()->currentIndex(), tree()->monthNode());
        QCOMPARE(upperKind(), ViewKind::TravelList);
        QVERIFY(childCaptions(tree()->monthNode()).startsWith(QStringLiteral("Extra|")));

        // No sync program configured: Synchronize is a refresh.
        tree()->setCurrentIndex(tree()->travelNode(m_rome));
        trigger(Cmd::Synchronize);
        QVERIFY(m_run->prompter.started.isEmpty());
        QCOMPARE(upperKind(), ViewKind::TravelList);

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

    void theGuideOpensInAWindowOfItsOwnWhenTheDesktopCannot()
    {
        trigger(Cmd::Help);
        QCOMPARE(m_run->prompter.opened.size(), 1);
        QVERIFY(!m_frame->findChild<CHelpWindow*>());
        m_run->prompter.openFails = true;
        trigger(Cmd::Help);
        auto* window = m_frame->findChild<CHelpWindow*>();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->browser()->source(), QUrl::fromLocalFile(m_run->prompter.opened.last()));
        QVERIFY(m_run->prompter.informed.isEmpty());
        window->close();
    }

    void theSampleTravelsOpenForThisRunOnly()
    {
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", m_run->dir.path().toLocal8Bit());
        trigger(Cmd::HelpSampleTravels);
        qputenv("HOME", home);
        const QString sample = m_run->dir.filePath(QStringLiteral("Voyanta Sample"));
        QCOMPARE(m_run->app.workingDirectory(), sample);
        QVERIFY(m_run->prompter.informed.isEmpty());
        // The first travel starts this month, and its pictures are the copies beside it.
        m_frame->monthPicker()->setDate(QDate::currentDate());
        QVERIFY(!childCaptions(tree()->monthNode()).isEmpty());
        QVERIFY(QFileInfo::exists(QDir(sample).filePath(QStringLiteral("Pictures/tram.jpg"))));
        QVERIFY(QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
                    .value(QStringLiteral("Directory/Path"))
                    .toString() != sample);
    }

    void theNewViewTakesTheFocusFromTheOldOne()
    {
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        // A double click in the travel list replaces the view that had the focus.
        auto* travels = upper<CTravelListView>();
        travels->report()->setFocus();
        const QRect first = travels->report()->visualRect(travels->model()->index(1, 0));
        QTest::mouseClick(travels->report()->viewport(), Qt::LeftButton, {}, first.center());
        QTest::mouseDClick(travels->report()->viewport(), Qt::LeftButton, {}, first.center());
        QTRY_COMPARE(upperKind(), ViewKind::TravelDetail);
        QVERIFY(m_frame->upperView()->isAncestorOf(QApplication::focusWidget()));
        // Walking the tree with the arrow keys keeps the focus in the tree.
        tree()->setFocus();
        QTest::keyClick(tree(), Qt::Key_Up);
        QTest::keyClick(tree(), Qt::Key_Up);
        QCOMPARE(upperKind(), ViewKind::TravelList);
        QTest::keyClick(tree(), Qt::Key_Down);
        QCOMPARE(upperKind(), ViewKind::TravelDetail);
        QCOMPARE(QApplication::focusWidget(), tree());
        // F6 goes round the panes, Shift+F6 back.
        QAction* next = m_frame->action(Cmd::NextPane);
        next->trigger();
        QVERIFY(m_frame->upperView()->isAncestorOf(QApplication::focusWidget()));
        next->trigger();
        QVERIFY(m_frame->imagesView()->isAncestorOf(QApplication::focusWidget()));
        next->trigger();
        QCOMPARE(QApplication::focusWidget(), tree());
        m_frame->action(Cmd::PreviousPane)->trigger();
        QVERIFY(m_frame->imagesView()->isAncestorOf(QApplication::focusWidget()));
        // Import From List takes items into the check list only while it is the active pane.
        tree()->selectPath(m_lisbon, TreeChild::CheckList, QString());
        QVERIFY(m_frame->action(Cmd::CheckListImport)->isEnabled());
        m_frame->imagesView()->imageList()->setFocus();
        QVERIFY(!m_frame->action(Cmd::CheckListImport)->isEnabled());
        QVERIFY(m_frame->action(Cmd::CheckListNew)->isEnabled());
    }

    void aClickInTheTreeKeepsTheKeyboardThere()
    {
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        QVERIFY(m_frame->upperView()->isAncestorOf(QApplication::focusWidget()));
        // The first click in the tree, from the travel list that has the keyboard, arrives
        // while another window is active, as before a window manager activates the window.
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        const QRect lisbon = tree()->visualRect(tree()->travelNode(m_lisbon));
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, lisbon.center());
        QCOMPARE(upperKind(), ViewKind::TravelDetail);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        QCOMPARE(QApplication::focusWidget(), tree());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(upperKind(), ViewKind::TravelList);
    }

    void columnsHaveTheirWidthsFromTheFirstShow()
    {
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame));
        auto* travels = upper<CTravelListView>();
        CListCtrl* report = travels->report();
        const auto widthsFollow = [report] {
            const QList<int> rule = ColumnWidths::TravelList(report->viewport()->width());
            for (int column = 0; column < rule.size(); ++column) {
                if (report->columnWidth(column) != rule[column])
                    return false;
            }
            return report->viewport()->width() > 100;
        };
        QVERIFY(widthsFollow());
        m_frame->resize(m_frame->width() - 200, m_frame->height());
        QTRY_VERIFY(widthsFollow());
    }

    void skippedFilesAndOutsideChangesAreShown()
    {
        QVERIFY(writeFile(m_run->store.dataFolder().filePath(QStringLiteral("TravelBroken.tra")),
                          hex("10 3230")));
        trigger(Cmd::Refresh);
        QCOMPARE(m_run->prompter.notified.size(), 1);
        QVERIFY(m_run->prompter.notified.first().contains(
            QLatin1String("TravelBroken.tra: truncated")));
        QCOMPARE(listedTravels(tree()), 2);

        // The program's own save is no news; a file a sync tool drops in later is.
        QSignalSpy folderChanged(m_frame->findChild<QFileSystemWatcher*>(),
                                 &QFileSystemWatcher::directoryChanged);
        QVERIFY(m_run->store.SaveCheckList(m_rome, {{QStringLiteral("Map"), 0}}).ok());
        QVERIFY(folderChanged.wait());
        QVERIFY(m_frame->outsideChangeNotice().isEmpty());
        m_run->clock.advance(3);
        QVERIFY(writeFile(m_run->store.dataFolder().filePath(QStringLiteral("Synced.stg")), "x"));
        QTRY_VERIFY(!m_frame->outsideChangeNotice().isEmpty());
        trigger(Cmd::Refresh);
        QVERIFY(m_frame->outsideChangeNotice().isEmpty());
    }

    void shutdownKeepsTheOrder()
    {
        tree()->selectPath(m_lisbon, TreeChild::CheckList, QString());
        m_frame->close();
        QCOMPARE(upperKind(), ViewKind::TravelList);
        QVERIFY(m_frame->imagesView()->travelKey().isEmpty());
        m_frame->imagesView()->showTravel(m_rome); // closed: ignored
        QVERIFY(m_frame->imagesView()->travelKey().isEmpty());
        QCOMPARE(tree()->model()->rowCount(), 0);

        // The About box closes with a click on its picture.
        m_run->prompter.dialogs.append([](QDialog* dialog) {
            dialog->show();
            QTest::mouseClick(control<QWidget>(dialog, Control::AboutPicture), Qt::LeftButton);
            return dialog->result();
        });
        m_frame->action(Cmd::About)->trigger();
        QVERIFY(m_run->prompter.dialogs.isEmpty());
    }
};

QTEST_MAIN(MainFrameTest)
#include "tst_mainframe.moc"
