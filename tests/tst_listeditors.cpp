#include "CheckListModel.h"
#include "CheckListView.h"
#include "ControlIds.h"
#include "ExpenseListView.h"
#include "ExpenseModel.h"
#include "ImportItemsDlg.h"
#include "ListCtrl.h"
#include "ListHeaderCtrl.h"
#include "ListNumberEdit.h"
#include "ListUnitCombo.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>

namespace {

// A click on a row's check box, which sits at the left of its first cell.
void clickCheckBox(CListCtrl* list, int row)
{
    const QRect cell = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(cell.left() + 10, cell.center().y()));
}

void clickCell(CListCtrl* list, int row, int column)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(list, row, column));
}

// Answers the Import Items dialog by ticking the master list's entries at these rows.
std::function<int(QDialog*)> importing(const QList<int>& rows)
{
    return [=](QDialog* dialog) {
        for (int row : rows)
            static_cast<CImportItemsDlg*>(dialog)->list()->item(row)->setCheckState(Qt::Checked);
        return pressButton(Control::Ok)(dialog);
    };
}

} // namespace

// The check list and the expense list in the real window: ticking, typing, importing and
// deleting through their widgets, the tree's captions, and the files at every save point.
class ListEditorsTest : public WindowTest {
    Q_OBJECT

private:
    RecordKey m_rome;
    RecordKey m_oslo;

    QString caption() const { return currentCaption(tree()); }

    CChekListView* openCheckList(const RecordKey& travel)
    {
        tree()->selectPath(travel, TreeChild::CheckList, RecordKey());
        return upper<CChekListView>();
    }

    CExpenseListView* openExpenses(const RecordKey& travel)
    {
        tree()->selectPath(travel, TreeChild::Expenses, RecordKey());
        return upper<CExpenseListView>();
    }

    // Leaves the list for its travel's details, which saves it.
    void leave(const RecordKey& travel) { tree()->selectPath(travel, TreeChild::None, {}); }

private slots:
    void init()
    {
        seedRun([this](TravelDataStore* data) {
            m_rome = addTitledTravel(*data, at(2006, 3, 20), QStringLiteral("Rome"));
            m_oslo = addTitledTravel(*data, at(2006, 3, 8), QStringLiteral("Oslo"));
            QVERIFY(data->SaveCheckList(m_rome, {{QStringLiteral("Visa"), 0},
                                                 {QStringLiteral("Passport"), 1},
                                                 {QStringLiteral("Camera"), 0}})
                        .ok());
            QVERIFY(data->SaveExpenses(m_rome, {expense(QStringLiteral("Hotel"), 1, 12.5, false),
                                                expense(QStringLiteral("Bus"), 2, 1.5, true)})
                        .ok());
        });
        m_run->app.setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("en_US"))));
        startWindow(QDate(2006, 3, 1));
        m_frame->resize(1100, 760);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    }

    void cleanup() { endRun(); }

    void checkListTicksAndCaptions()
    {
        CChekListView* view = openCheckList(m_rome);
        QVERIFY(view);
        CListCtrl* list = view->list();
        QCOMPARE(caption(), QStringLiteral("Check List [1/3]"));
        // A click on the box ticks, and the caption follows; Space ticks the focused entry.
        clickCheckBox(list, 0);
        list->setFocus();
        list->markRow(2);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(caption(), QStringLiteral("Check List [3/3]"));
        // A click on the text only marks the row.
        clickCell(list, 2, 0);
        QCOMPARE(caption(), QStringLiteral("Check List [3/3]"));
        QTest::keyClick(list, Qt::Key_Space);

        // Nothing is on disk until the list is left; then all of it is.
        QCOMPARE(store().CheckListCaption(m_rome), QStringLiteral("Check List [1/3]"));
        leave(m_rome);
        QCOMPARE(store().LoadCheckList(m_rome),
                 (QList<CheckListItem>{{QStringLiteral("Camera"), 1},
                                       {QStringLiteral("Passport"), 1},
                                       {QStringLiteral("Visa"), 0}}));
        QCOMPARE(tree()->travelChildNode(m_rome, TreeNodeKind::CheckList).data().toString(),
                 QStringLiteral("Check List [2/3]"));
    }

    void checkListRenamesInPlace()
    {
        CChekListView* view = openCheckList(m_rome);
        CListCtrl* list = view->list();
        // Modify (F2) opens the editor on the marked row with its text chosen.
        list->markRow(0);
        trigger(Cmd::CheckListModify);
        auto* editor = qobject_cast<QLineEdit*>(view->openEditor());
        QVERIFY(editor);
        QCOMPARE(editor->selectedText(), QStringLiteral("Camera"));
        QTest::keyClicks(editor, QStringLiteral("  Tripod "));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!view->openEditor());
        QCOMPARE(column(view->model()).first(), QStringLiteral("Tripod"));
        // Escape gives the edit up.
        trigger(Cmd::Modify);
        QTest::keyClicks(view->openEditor(), QStringLiteral("Lost"));
        QTest::keyClick(view->openEditor(), Qt::Key_Escape);
        QCOMPARE(column(view->model()).first(), QStringLiteral("Tripod"));
        // A double click right of the box opens the editor too.
        doubleClickCell(list, 2);
        QVERIFY(view->openEditor());
        QTest::keyClick(view->openEditor(), Qt::Key_Escape);
        // On the box a double click ticks, and opens nothing.
        const QRect tripod = list->visualRect(view->model()->index(0, 0));
        clickCheckBox(list, 0);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           QPoint(tripod.left() + 10, tripod.center().y()));
        QVERIFY(!view->openEditor());
        QCOMPARE(caption(), QStringLiteral("Check List [2/3]"));

        trigger(Cmd::Refresh);
        QCOMPARE(store().LoadCheckList(m_rome).first(),
                 (CheckListItem{QStringLiteral("Tripod"), 1}));
    }

    void checkListNewAndDelete()
    {
        CChekListView* view = openCheckList(m_rome);
        CListCtrl* list = view->list();
        // New: its editor opens on the new row, which is marked.
        trigger(Cmd::CheckListNew);
        QCOMPARE(list->markedRow(), 1);
        QTest::keyClicks(view->openEditor(), QStringLiteral("Adapter"));
        QTest::keyClick(view->openEditor(), Qt::Key_Tab);
        QCOMPARE(column(view->model())[1], QStringLiteral("Adapter"));

        // Delete asks first; No keeps the entry.
        list->markRow(1);
        prompter().answers = {false, true};
        trigger(Cmd::CheckListDelete);
        QCOMPARE(view->model()->rowCount(), 4);
        trigger(Cmd::Delete);
        QCOMPARE(prompter().asked.size(), 2);
        QVERIFY(!column(view->model()).contains(QStringLiteral("Adapter")));
        // Deleting every entry leaves an empty list, and the caption says so.
        prompter().answers = {true, true, true};
        for (int i = 0; i < 3; ++i) {
            list->markRow(0);
            trigger(Cmd::CheckListDelete);
        }
        QCOMPARE(caption(), QStringLiteral("Check List"));
        QVERIFY(!m_frame->action(Cmd::CheckListDelete)->isEnabled());

        m_frame->monthPicker()->setDate(QDate(2006, 4, 1));
        QCOMPARE(readFile(dataFile(DataFolder::checkListFileName(m_rome))), hex("00000000"));
    }

    void checkListImportsIntoTheRows()
    {
        CChekListView* view = openCheckList(m_rome);
        // The master list's first and third entries, "Passport" a second time; "Import"
        // of the empty-space menu asks the frame for the Import Items flow.
        prompter().dialogs = {importing({0, 2})};
        trigger(Cmd::ListImportItems);
        QCOMPARE(column(view->model()),
                 (QStringList{QStringLiteral("Camera"), QStringLiteral("Passport"),
                              QStringLiteral("Passport"), QStringLiteral("Visa"),
                              QStringLiteral("Visa")}));
        QCOMPARE(store().LoadCheckList(m_rome).size(), 3);
        // Synchronize saves first.
        trigger(Cmd::Synchronize);
        QCOMPARE(store().CheckListCaption(m_rome), QStringLiteral("Check List [1/5]"));
    }

    void expenseRowsAndGrandTotal()
    {
        CExpenseListView* view = openExpenses(m_rome);
        QVERIFY(view);
        QCOMPARE(caption(), QStringLiteral("Expenses [1/2] - $3.00"));
        CListCtrl* list = view->list();
        // A click on the box ticks; Space from whichever cell the keyboard is on unticks.
        clickCheckBox(list, 1);
        QCOMPARE(caption(), QStringLiteral("Expenses [2/2] - $15.50"));
        list->setFocus();
        list->setCurrentIndex(view->model()->index(1, ExpenseModel::Unit));
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(caption(), QStringLiteral("Expenses [1/2] - $3.00"));

        // Modify and Delete are for expenses, not for the two rows below them.
        clickCell(list, 3, ExpenseModel::PricePerUnit);
        QCOMPARE(list->markedRow(), 3);
        QVERIFY(!view->openEditor());
        QVERIFY(!m_frame->action(Cmd::ExpenseDelete)->isEnabled());
        QVERIFY(!m_frame->action(Cmd::Modify)->isEnabled());

        leave(m_rome);
        QCOMPARE(store().ExpensesCaption(m_rome), QStringLiteral("Expenses [1/2] - $3.00"));
    }

    void expenseCellsAreEditedInPlace()
    {
        CExpenseListView* view = openExpenses(m_oslo);
        CListCtrl* list = view->list();
        // The first New opens the product's editor.
        trigger(Cmd::ExpenseNew);
        auto* product = qobject_cast<QLineEdit*>(view->openEditor());
        QVERIFY(product);
        QCOMPARE(product->selectedText(), QStringLiteral("New Expense"));
        QTest::keyClicks(product, QStringLiteral("Taxi"));
        QTest::keyClick(product, Qt::Key_Return);

        // Quantity 3 and price 2.5: the editor refuses what the number rules refuse, and
        // Escape keeps what was typed.
        clickCell(list, 0, ExpenseModel::Quantity);
        auto* quantity = qobject_cast<CListNumberEdit*>(view->openEditor());
        QVERIFY(quantity);
        QTest::keyClicks(quantity, QStringLiteral("3x"));
        QCOMPARE(quantity->text(), QStringLiteral("3"));
        QTest::keyClick(quantity, Qt::Key_Tab);
        clickCell(list, 0, ExpenseModel::PricePerUnit);
        auto* price = qobject_cast<CListNumberEdit*>(view->openEditor());
        QVERIFY(price);
        QTest::keyClicks(price, QStringLiteral("2.505"));
        QCOMPARE(price->text(), QStringLiteral("2.50"));
        QTest::keyClick(price, Qt::Key_Escape);
        QVERIFY(!view->openEditor());

        // The unit: a blank entry, then the Units list, dropped down at once.
        clickCell(list, 0, ExpenseModel::Unit);
        auto* unit = qobject_cast<CListUnitCombo*>(view->openEditor());
        QVERIFY(unit);
        QTRY_VERIFY(unit->view()->isVisible());
        unit->hidePopup();
        QCOMPARE(unit->itemText(0), QStringLiteral(" "));
        unit->setCurrentIndex(unit->findText(QStringLiteral("kg")));
        // A click in the list ends the edit and commits it.
        clickCell(list, 0, ExpenseModel::Total);
        QVERIFY(!view->openEditor());

        clickCheckBox(list, 0);
        QCOMPARE(caption(), QStringLiteral("Expenses [1/1] - $7.50"));
        trigger(Cmd::Refresh);
        QCOMPARE(
            store().LoadExpenses(m_oslo),
            (QList<ExpenseRecord>{{QStringLiteral("Taxi"), 3, QStringLiteral("kg"), 2.5, 7.5, 1}}));
    }

    void aUnitOutsideTheUnitsListIsKeptUntilAnotherIsChosen()
    {
        ExpenseRecord ferry = expense(QStringLiteral("Ferry"), 2, 9, false);
        ferry.unit = QStringLiteral("Ticket");
        QVERIFY(store().SaveExpenses(m_oslo, {ferry}).ok());
        const QString file = dataFile(DataFolder::expensesFileName(m_oslo));
        const QByteArray before = readFile(file);
        CExpenseListView* view = openExpenses(m_oslo);
        CListCtrl* list = view->list();
        const auto openUnit = [&] {
            clickCell(list, 0, ExpenseModel::Unit);
            auto* unit = qobject_cast<CListUnitCombo*>(view->openEditor());
            if (unit && QTest::qWaitFor([unit] { return unit->view()->isVisible(); }))
                unit->hidePopup();
            return unit;
        };
        // The box shows the expense's own unit, first; looking at it changes nothing,
        // whether a click elsewhere or Escape ends the look.
        CListUnitCombo* unit = openUnit();
        QVERIFY(unit);
        QCOMPARE(unit->currentText(), QStringLiteral("Ticket"));
        clickCell(list, 0, ExpenseModel::Total);
        QVERIFY(!view->openEditor());
        QTest::keyClick(openUnit(), Qt::Key_Escape);
        QVERIFY(!view->openEditor());
        leave(m_oslo);
        QCOMPARE(readFile(file), before);
    }

    void expenseSortsByTheHeader()
    {
        CExpenseListView* view = openExpenses(m_rome);
        CListHeaderCtrl* header = view->header();
        QCOMPARE(header->imageSet(ExpenseModel::Product), 1);
        view->list()->markRow(1); // Hotel
        clickSection(header, ExpenseModel::PricePerUnit);
        clickSection(header, ExpenseModel::PricePerUnit);
        QCOMPARE(header->imageSet(ExpenseModel::PricePerUnit), 2);
        QCOMPARE(column(view->model()).first(), QStringLiteral("Hotel"));
        QCOMPARE(view->list()->markedRow(), 0);
        // A sort ends an open edit first, keeping what was typed.
        clickCell(view->list(), 1, ExpenseModel::Product);
        QTest::keyClicks(view->openEditor(), QStringLiteral("Tram"));
        clickSection(header, ExpenseModel::Product);
        QVERIFY(!view->openEditor());
        QCOMPARE(
            column(view->model()),
            (QStringList{QStringLiteral("Hotel"), QStringLiteral("Tram"), QString(), QString()}));
    }

    void expenseDeleteAndMenus()
    {
        CExpenseListView* view = openExpenses(m_rome);
        CListCtrl* list = view->list();
        QSignalSpy menus(view, &CUpperView::contextMenuRequested);
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, cellCentre(list, 3));
        QCOMPARE(menus.last().first().value<PopupMenu>(), PopupMenu::NewImport);
        m_frame->popupMenu(PopupMenu::NewImport)->hide();
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, cellCentre(list, 1, 2));
        QCOMPARE(menus.last().first().value<PopupMenu>(), PopupMenu::ExpenseMenu);
        QCOMPARE(list->markedRow(), 1);
        m_frame->popupMenu(PopupMenu::ExpenseMenu)->hide();

        prompter().answers = {true, true};
        trigger(Cmd::ExpenseDelete);
        QCOMPARE(prompter().asked.last(), QStringLiteral("Delete the selected Expense record?"));
        QCOMPARE(caption(), QStringLiteral("Expenses [1/1] - $3.00"));
        QCOMPARE(store().LoadExpenses(m_rome).size(), 2); // not yet saved
        // The last one empties the list, the Grand Total row and the file at once.
        list->markRow(0);
        trigger(Cmd::Delete);
        QCOMPARE(caption(), QStringLiteral("Expense List"));
        QCOMPARE(readFile(dataFile(DataFolder::expensesFileName(m_rome))), hex("00000000"));
        QVERIFY(!m_frame->action(Cmd::ExpenseDelete)->isEnabled());
    }

    void aThousandsSeparatorIsRefusedAloudAndPastedAmountsAreRead()
    {
        CExpenseListView* view = openExpenses(m_rome);
        clickCell(view->list(), 0, ExpenseModel::PricePerUnit); // Bus, 2 x 1.50
        auto* price = qobject_cast<CListNumberEdit*>(view->openEditor());
        QVERIFY(price);
        price->clear();
        m_frame->statusBar()->clearMessage();
        QTest::keyClicks(price, QStringLiteral("2,"));
        QCOMPARE(price->text(), QStringLiteral("2"));
        QVERIFY2(m_frame->statusBar()->currentMessage().contains(QStringLiteral("\u201c,\u201d")),
                 qPrintable(m_frame->statusBar()->currentMessage()));
        // Pasted in the locale's own form, separators and all.
        price->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("1,234.50"));
        price->paste();
        QCOMPARE(price->text(), QStringLiteral("1234.50"));
        QTest::keyClick(price, Qt::Key_Return);
        QCOMPARE(view->model()->expense(0).pricePerUnit, 1234.5);
    }

    void anOpenEditorIsCommittedBeforeSaving()
    {
        CChekListView* view = openCheckList(m_rome);
        view->list()->markRow(2);
        trigger(Cmd::CheckListModify);
        QTest::keyClicks(view->openEditor(), QStringLiteral("Visa and tickets"));
        // CSV export saves what the view holds, the open edit included.
        const QString csv = m_run->dir.filePath(QStringLiteral("list.csv"));
        prompter().saveNames = {csv};
        trigger(Cmd::ExportToCsv);
        QVERIFY(readFile(csv).contains("Visa and tickets"));

        CExpenseListView* costs = openExpenses(m_rome);
        clickCell(costs->list(), 0, ExpenseModel::Quantity);
        QTest::keyClicks(costs->openEditor(), QStringLiteral("5"));
        m_frame->close();
        QCOMPARE(store().LoadExpenses(m_rome).first().total, 7.5);
        QCOMPARE(store().LoadCheckList(m_rome).last().text, QStringLiteral("Visa and tickets"));
    }

    void theWorkingDirectorySavePointWritesTheOldFolder()
    {
        CChekListView* view = openCheckList(m_rome);
        clickCheckBox(view->list(), 0);
        const QString other = m_run->folder(QStringLiteral("Other"));
        chooseWorkingDirectory(other);
        QCOMPARE(store().dataFolder().workingDirectory(), other);
        // The list went to its own folder, and nothing of it into the new one.
        QCOMPARE(m_run->seed()->LoadCheckList(m_rome).first(),
                 (CheckListItem{QStringLiteral("Camera"), 1}));
        QVERIFY(!QFile::exists(dataFile(DataFolder::checkListFileName(m_rome))));
    }

    void aListThatWasNotChangedIsNotWritten()
    {
        openExpenses(m_rome);
        // A sync tool replaces the file while the list is shown unchanged.
        const QString file = dataFile(DataFolder::expensesFileName(m_rome));
        {
            const std::unique_ptr<TravelDataStore> other = m_run->seed();
            QVERIFY(
                other->SaveExpenses(m_rome, {expense(QStringLiteral("Ferry"), 1, 9, true)}).ok());
        }
        const QByteArray synced = readFile(file);
        trigger(Cmd::Refresh);
        QCOMPARE(readFile(file), synced);
    }

    void rowsHoldTheirFontsWhole()
    {
        // Open entries are bold, done ones italic: a line of each row's font fits its row
        // with a pixel to spare above (the dots over "Ü") and below (the expense grid).
        const auto fits = [](CListCtrl* list) {
            for (int row = 0; row < list->model()->rowCount(); ++row) {
                const QModelIndex index = list->model()->index(row, 0);
                const QFont font =
                    qvariant_cast<QFont>(index.data(Qt::FontRole)).resolve(list->font());
                if (list->visualRect(index).height() < QFontMetrics(font).height() + 2)
                    return false;
            }
            return list->model()->rowCount() > 1;
        };
        QVERIFY(fits(openCheckList(m_rome)->list()));
        QVERIFY(fits(openExpenses(m_rome)->list()));
    }

    void aFailedSaveKeepsTheRows()
    {
        tree()->expand(tree()->travelNode(m_oslo)); // its check list is one click away
        CChekListView* view = openCheckList(m_rome);
        clickCheckBox(view->list(), 0);
        // The file's place is taken by a folder: it cannot be written.
        const QString file = dataFile(DataFolder::checkListFileName(m_rome));
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file));
        prompter().choices = QStringList(3, QStringLiteral("Cancel"));
        leave(m_rome);
        QVERIFY2(prompter().chooseTexts.first().contains(DataFolder::checkListFileName(m_rome)),
                 qPrintable(prompter().chooseTexts.first()));
        // The view stays with the tick, and the tree shows its node again.
        QCOMPARE(m_frame->upperView(), view);
        QCOMPARE(tree()->selection().child, TreeChild::CheckList);
        // A click straight on another travel's check list, a view of the same kind: the
        // same, and the node that is marked is the one the view shows.
        const QRect osloList =
            tree()->visualRect(tree()->travelChildNode(m_oslo, TreeNodeKind::CheckList));
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, osloList.center());
        QCOMPARE(prompter().chooseTexts.size(), 2);
        QCOMPARE(m_frame->upperView(), view);
        QCOMPARE(tree()->selection().travelKey, m_rome);
        QCOMPARE(tree()->selectionModel()->selectedIndexes(),
                 QModelIndexList{tree()->currentIndex()});
        trigger(Cmd::Refresh);
        QCOMPARE(prompter().chooseTexts.size(), 3);
        QCOMPARE(m_frame->upperView(), view);

        QVERIFY(QDir().rmdir(file));
        leave(m_rome);
        QCOMPARE(m_frame->upperView()->kind(), ViewKind::TravelDetail);
        QCOMPARE(store().CheckListCaption(m_rome), QStringLiteral("Check List [2/3]"));
    }
};

QTEST_MAIN(ListEditorsTest)
#include "tst_listeditors.moc"
