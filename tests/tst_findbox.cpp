#include "CheckListView.h"
#include "EditedListView.h"
#include "FindCommand.h"
#include "FindDlg.h"
#include "FindResultsModel.h"
#include "ListCtrl.h"
#include "StageDlg.h"
#include "TravelDetailListView.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QTreeView>

// The find box in the real window: what it lists, and what choosing a match shows.
class FindBoxTest : public WindowTest {
    Q_OBJECT

private:
    RecordKey m_zurich;
    RecordKey m_lisbon;

    CFindDlg* openBox()
    {
        trigger(Cmd::Find);
        return m_frame->findCommand()->dialog();
    }

    QStringList listed(CFindDlg* box) const
    {
        QStringList rows;
        const QAbstractItemModel* model = box->matches()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            rows.append(model->index(row, FindResultsModel::Kind).data().toString() +
                        QLatin1Char('|') +
                        model->index(row, FindResultsModel::Title).data().toString());
        return rows;
    }

private slots:
    void init()
    {
        seedRun([this](TravelDataStore* data) {
            m_zurich =
                addTitledTravel(*data, at(2027, 1, 10), QStringLiteral("Conference in Zürich"));
            m_lisbon = addTitledTravel(*data, at(2006, 3, 5), QStringLiteral("Lisbon"));
            QVERIFY(data->SaveCheckList(m_zurich, {{QStringLiteral("Swiss francs"), 0}}).ok());
        });
        startWindow(QDate(2006, 3, 1));
    }

    void cleanup() { endRun(); }

    void aMatchInAnotherMonthIsShown()
    {
        CFindDlg* box = openBox();
        QVERIFY(box);
        QTest::keyClicks(box->input(), QStringLiteral("ZURICH"));
        QCOMPARE(listed(box), QStringList{QStringLiteral("Travel (title)|Conference in Zürich")});
        QTest::keyClick(box->input(), Qt::Key_Return);
        QCOMPARE(m_frame->tree()->month(), QDate(2027, 1, 10));
        QCOMPARE(m_frame->tree()->currentIndex(), m_frame->tree()->travelNode(m_zurich));
        auto* detail = upper<CTravelDetailListView>();
        QVERIFY(detail);
        QCOMPARE(detail->list()->markedRow(), 1); // the title's row
    }

    void recordsChangedInTheWindowAreFoundAtOnce()
    {
        CFindDlg* box = openBox();
        QTest::keyClicks(box->input(), QStringLiteral("gondola"));
        QVERIFY(listed(box).isEmpty());
        // A new stage made through the menus is found at the next keystroke.
        m_frame->tree()->selectPath(m_lisbon, TreeChild::Stages, {});
        m_run->prompter.dialogs = {titleAnswer(QStringLiteral("Gondola ride"))};
        m_frame->action(Cmd::NewStage)->trigger();
        box->input()->setText(QStringLiteral("gondol"));
        QCOMPARE(listed(box), QStringList{QStringLiteral("Stage (title)|Gondola ride")});
        // And a deleted travel is gone from the list.
        m_frame->tree()->selectPath(m_lisbon, TreeChild::None, {});
        m_run->prompter.answers = {true};
        m_frame->action(Cmd::TravelDelete)->trigger();
        box->input()->setText(QStringLiteral("gondola"));
        QVERIFY(listed(box).isEmpty());
        box->input()->setText(QStringLiteral("lisbon"));
        QVERIFY(listed(box).isEmpty());

        // An entry renamed in its list, the editor still open, is found under its new name.
        m_frame->monthPicker()->setDate(QDate(2027, 1, 1));
        m_frame->tree()->selectPath(m_zurich, TreeChild::CheckList, {});
        auto* list = upper<CChekListView>();
        list->list()->markRow(0);
        list->modifyRow();
        auto* editor = qobject_cast<QLineEdit*>(list->openEditor());
        QVERIFY(editor);
        editor->setText(QStringLiteral("Euro coins"));
        box->input()->clear();
        QTest::keyClicks(box->input(), QStringLiteral("euro"));
        QCOMPARE(listed(box), QStringList{QStringLiteral("Check list entry (entry)|Euro coins")});
        box->input()->setText(QStringLiteral("franc"));
        QVERIFY(listed(box).isEmpty());
    }

    void closingTheBoxGivesTheKeyboardToTheMatch()
    {
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        m_frame->tree()->setFocus();
        // Closed without a choice: the keyboard goes back where it was.
        CFindDlg* box = openBox();
        QVERIFY(QTest::qWaitForWindowActive(box));
        QTest::keyClick(box->input(), Qt::Key_Escape);
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        QCOMPARE(QApplication::focusWidget(), m_frame->tree());
        // A match chosen with Enter: the check list with its entry marked, and the keyboard
        // to the view that shows it, not to the month picker.
        box = openBox();
        QVERIFY(QTest::qWaitForWindowActive(box));
        QTest::keyClicks(box->input(), QStringLiteral("franc"));
        QTest::keyClick(box->input(), Qt::Key_Return);
        QCOMPARE(m_frame->upperView()->kind(), ViewKind::CheckList);
        QCOMPARE(upper<CEditedListView>()->list()->markedRow(), 0);
        QTest::keyClick(box->input(), Qt::Key_Escape);
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        QVERIFY(m_frame->upperView()->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(m_frame->tree()->month(), QDate(2027, 1, 10));
    }
};

QTEST_MAIN(FindBoxTest)
#include "tst_findbox.moc"
