#include "CheckListModel.h"
#include "ExpenseModel.h"
#include "NumberEntry.h"
#include "RecordCodec.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QFont>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const DisplayFormats us(QLocale(QStringLiteral("en_US")));

QStringList column(const QAbstractItemModel& model, int column = 0)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, column).data().toString());
    return texts;
}

ExpenseRecord expense(const QString& product, double quantity, double price, bool purchased)
{
    ExpenseRecord line;
    line.product = product;
    line.quantity = quantity;
    line.pricePerUnit = price;
    line.total = quantity * price;
    line.purchased = purchased ? 1 : 0;
    return line;
}

} // namespace

// The check list and expense models without a window: what they show, the rules of
// their edits, their orders and the captions they give the tree.
class ListModelsTest : public QObject {
    Q_OBJECT

private slots:
    void numberBoxes()
    {
        using namespace NumberEntry;
        const QLocale c = QLocale::c();
        QVERIFY(!AcceptsTyping(QStringLiteral("2.50"), 4, QStringLiteral("5"), c));
        QVERIFY(AcceptsTyping(QStringLiteral("2.50"), 0, QStringLiteral("1"), c));
        QVERIFY(AcceptsTyping(QStringLiteral("2.5"), 3, QStringLiteral("0"), c));
        QVERIFY(!AcceptsTyping(QStringLiteral("2.5"), 1, QStringLiteral("."), c));
        QVERIFY(!AcceptsTyping(QStringLiteral("2"), 1, QStringLiteral("x"), c));
        QVERIFY(!AcceptsTyping(QStringLiteral("2"), 0, QStringLiteral("-"), c));
        // Typing over a selection, and deleting, are judged by what is left.
        QVERIFY(AcceptsTyping(QStringLiteral("2.50"), 0, QStringLiteral("7"), c, 4));
        QVERIFY(AcceptsTyping(QStringLiteral("2.50"), 1, QString(), c, 1));
        QVERIFY(IsAcceptable(QString(), c));
        // A German user's comma; the point separates thousands there and is no decimal.
        const QLocale de(QStringLiteral("de_DE"));
        const QLocale us(QStringLiteral("en_US"));
        QVERIFY(AcceptsTyping(QStringLiteral("2,5"), 3, QStringLiteral("0"), de));
        QVERIFY(!AcceptsTyping(QStringLiteral("2,50"), 4, QStringLiteral("1"), de));
        QVERIFY(!AcceptsTyping(QStringLiteral("25"), 1, QStringLiteral("."), de));
        QVERIFY(!AcceptsTyping(QStringLiteral("25"), 1, QStringLiteral(","), us));
        // A thousands separator typed is told apart from the other keys refused.
        QVERIFY(IsGroupSeparator(QLatin1Char(','), us) && IsGroupSeparator(QLatin1Char('.'), de));
        QVERIFY(IsGroupSeparator(QLatin1Char(' '), QLocale(QStringLiteral("fr_FR"))));
        QVERIFY(!IsGroupSeparator(QLatin1Char('.'), us) && !IsGroupSeparator(QLatin1Char(','), de));
        // An amount in the locale's own form is taken without its separators, where they
        // stand right.
        QCOMPARE(Accepted(QStringLiteral("1,234.50"), us).value_or(QString()),
                 QStringLiteral("1234.50"));
        QCOMPARE(Accepted(QStringLiteral("1.234,50"), de).value_or(QString()),
                 QStringLiteral("1234,50"));
        QCOMPARE(Accepted(QStringLiteral("1,234,567"), us).value_or(QString()),
                 QStringLiteral("1234567"));
        for (const char* wrong : {"2,75", "12,34.50", "1,234.505", "-1,234", "1,234x"})
            QVERIFY2(!Accepted(QLatin1String(wrong), us), wrong);
        QVERIFY(!Accepted(QStringLiteral("2.50"), de));
        QCOMPARE(Read(QStringLiteral("2,75"), us), 0.0);
        QCOMPARE(Read(QStringLiteral("2,50"), de), 2.5);
        QCOMPARE(Read(QStringLiteral(" 3 "), c), 3.0);
        QCOMPARE(Read(QStringLiteral("5."), c), 5.0);
        QCOMPARE(Read(QStringLiteral("."), c), 0.0);
        QCOMPARE(Read(QString(), c), 0.0);
        QCOMPARE(Write(2.5, de), QStringLiteral("2,50"));
        QCOMPARE(Write(0, c), QStringLiteral("0.00"));
    }

    void checkListRowsFontsAndCaption()
    {
        CheckListModel model(us);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy captions(&model, &CheckListModel::captionChanged);
        QCOMPARE(model.caption(), QStringLiteral("Check List"));
        // A checked value of 7 from a file counts as done.
        model.setItems({{QStringLiteral("Visa"), 1},
                        {QStringLiteral("Passport"), 0},
                        {QStringLiteral("camera"), 7}});
        QCOMPARE(column(model), (QStringList{QStringLiteral("camera"), QStringLiteral("Passport"),
                                             QStringLiteral("Visa")}));
        QCOMPARE(model.caption(), QStringLiteral("Check List [2/3]"));
        QCOMPARE(captions.last().first().toString(), QStringLiteral("Check List [2/3]"));
        QVERIFY(!model.isModified());
        const QModelIndex passport = model.index(1, 0);
        QFont font = passport.data(Qt::FontRole).value<QFont>();
        QVERIFY(font.bold() && !font.italic());
        QCOMPARE(passport.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(model.flags(passport) & Qt::ItemIsUserCheckable);

        // Ticking the only open entry: normal italic, and the caption says 3 of 3.
        QVERIFY(model.setData(passport, Qt::Checked, Qt::CheckStateRole));
        font = passport.data(Qt::FontRole).value<QFont>();
        QVERIFY(!font.bold() && font.italic());
        QCOMPARE(captions.last().first().toString(), QStringLiteral("Check List [3/3]"));
        QVERIFY(model.isModified());
        QVERIFY(model.setData(passport, Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(model.caption(), QStringLiteral("Check List [2/3]"));
        QCOMPARE(model.items()[1], (CheckListItem{QStringLiteral("Passport"), 0}));
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Check List Items"));
    }

    void checkListAddsIntoPlace()
    {
        CheckListModel model(us);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setItems({{QStringLiteral("Visa"), 0}, {QStringLiteral("Passport"), 1}});
        QCOMPARE(model.addItem(QStringLiteral("New Item")), 0);
        QCOMPARE(column(model), (QStringList{QStringLiteral("New Item"), QStringLiteral("Passport"),
                                             QStringLiteral("Visa")}));
        QCOMPARE(model.caption(), QStringLiteral("Check List [1/3]"));
        // The same master entry imported twice gives two rows.
        QCOMPARE(model.addItem(QStringLiteral("Umbrella")), 2);
        QCOMPARE(model.addItem(QStringLiteral("Umbrella")), 3);
        QCOMPARE(model.items().count(CheckListItem{QStringLiteral("Umbrella"), 0}), 2);
        QVERIFY(model.removeItem(0));
        QVERIFY(!model.removeItem(9));
        QCOMPARE(model.caption(), QStringLiteral("Check List [1/4]"));
    }

    void checkListTextEdits()
    {
        CheckListModel model(us);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setItems({{QStringLiteral("Passport"), 0}, {QStringLiteral("Visa"), 0}});
        const QPersistentModelIndex passport = model.index(0, 0);
        // Blank is refused and the old text stays; a new text is trimmed.
        QVERIFY(!model.setData(passport, QStringLiteral("   "), Qt::EditRole));
        QCOMPARE(passport.data().toString(), QStringLiteral("Passport"));
        QVERIFY(!model.isModified());
        QVERIFY(model.setData(passport, QStringLiteral("  Zip bags "), Qt::EditRole));
        QCOMPARE(passport.data(Qt::EditRole).toString(), QStringLiteral("Zip bags"));
        // A changed text stays where it is; the next added entry sorts every row.
        QCOMPARE(column(model), (QStringList{QStringLiteral("Zip bags"), QStringLiteral("Visa")}));
        QCOMPARE(model.addItem(QStringLiteral("Maps")), 0);
        QCOMPARE(column(model), (QStringList{QStringLiteral("Maps"), QStringLiteral("Visa"),
                                             QStringLiteral("Zip bags")}));
        QCOMPARE(passport.row(), 2);
    }

    void expenseFirstNewMakesThreeRows()
    {
        ExpenseModel model(us);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.caption(), QStringLiteral("Expense List"));
        QCOMPARE(model.addExpense(QStringLiteral("New Expense")), 0);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(column(model, ExpenseModel::Product),
                 (QStringList{QStringLiteral("New Expense"), QString(), QString()}));
        for (int c = ExpenseModel::Quantity; c < ExpenseModel::ColumnCount; ++c)
            QCOMPARE(model.index(0, c).data().toString(), QString());
        QCOMPARE(model.rowKind(1), ExpenseModel::RowKind::Separator);
        QCOMPARE(model.index(2, 0).data(ExpenseModel::RowKindRole).toInt(),
                 int(ExpenseModel::RowKind::GrandTotal));
        QCOMPARE(column(model, ExpenseModel::PricePerUnit),
                 (QStringList{QString(), QString(), QStringLiteral("Grand Total")}));
        const QModelIndex grandTotal = model.index(2, ExpenseModel::Total);
        QCOMPARE(grandTotal.data().toString(), QStringLiteral("$0.00"));
        QCOMPARE(grandTotal.data(Qt::ForegroundRole).value<QColor>(), QColor(0xFF, 0x00, 0x00));
        QVERIFY(grandTotal.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(model.index(0, 0).data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(model.caption(), QStringLiteral("Expenses [0/1] - $0.00"));
        // Neither computed row can be edited, ticked or chosen; the total is worked out.
        QCOMPARE(model.flags(model.index(1, 0)), Qt::ItemIsEnabled | Qt::ItemNeverHasChildren);
        QVERIFY(!model.setData(model.index(2, ExpenseModel::Product), QStringLiteral("x")));
        QVERIFY(!(model.flags(model.index(0, ExpenseModel::Total)) & Qt::ItemIsEditable));
        QVERIFY(!model.setData(model.index(0, ExpenseModel::Total), QStringLiteral("9")));
    }

    void expenseTotalsFollowEdits()
    {
        ExpenseModel model(us);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.addExpense(QStringLiteral("Taxi"));
        QVERIFY(model.setData(model.index(0, ExpenseModel::Quantity), QStringLiteral("3")));
        QCOMPARE(model.index(0, ExpenseModel::Total).data().toString(), QStringLiteral("$0.00"));
        QCOMPARE(model.index(0, ExpenseModel::PricePerUnit).data().toString(), QString());
        QVERIFY(model.setData(model.index(0, ExpenseModel::PricePerUnit), QStringLiteral("2.5")));
        QCOMPARE(model.expense(0).total, 7.5);
        QCOMPARE(model.index(0, ExpenseModel::Quantity).data().toString(), QStringLiteral("3"));
        QCOMPARE(model.index(0, ExpenseModel::PricePerUnit).data().toString(),
                 QStringLiteral("$2.50"));
        QCOMPARE(model.index(0, ExpenseModel::PricePerUnit).data(Qt::EditRole).toString(),
                 QStringLiteral("2.50"));
        QCOMPARE(model.index(0, ExpenseModel::Total).data().toString(), QStringLiteral("$7.50"));
        // Not a number reads as 0; a blank product and an empty unit are refused.
        QVERIFY(model.setData(model.index(0, ExpenseModel::Quantity), QStringLiteral(".")));
        QCOMPARE(model.expense(0).total, 0.0);
        QVERIFY(!model.setData(model.index(0, ExpenseModel::Product), QStringLiteral("  ")));
        QVERIFY(!model.setData(model.index(0, ExpenseModel::Unit), QString()));
        QVERIFY(model.setData(model.index(0, ExpenseModel::Unit), QStringLiteral("Kg")));
        QCOMPARE(model.expense(0).product, QStringLiteral("Taxi"));
        QCOMPARE(model.expense(0).unit, QStringLiteral("Kg"));

        // A German user types a comma and sees euros.
        ExpenseModel german(DisplayFormats(QLocale(QStringLiteral("de_DE"))));
        german.setExpenses({expense(QStringLiteral("Brot"), 2, 1.25, false)});
        QCOMPARE(german.index(0, ExpenseModel::Quantity).data().toString(), QStringLiteral("2,00"));
        QCOMPARE(german.index(0, ExpenseModel::PricePerUnit).data(Qt::EditRole).toString(),
                 QStringLiteral("1,25"));
        QVERIFY(
            german.setData(german.index(0, ExpenseModel::PricePerUnit), QStringLiteral("2,50")));
        QCOMPARE(german.expense(0).total, 5.0);
        QCOMPARE(german.index(0, ExpenseModel::Total).data().toString(),
                 QLocale(QStringLiteral("de_DE")).toCurrencyString(5.0));
    }

    void expenseTickMovesTheGrandTotal()
    {
        ExpenseModel model(us);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        ExpenseRecord hotelLine = expense(QStringLiteral("Hotel"), 1, 12.5, false);
        hotelLine.unit = QStringLiteral("Night");
        model.setExpenses({hotelLine, expense(QStringLiteral("Bus"), 2, 1.5, true)});
        // Editors closed as they were opened leave the list unedited.
        QVERIFY(model.setData(model.index(1, ExpenseModel::Unit), QStringLiteral("Night")));
        QVERIFY(model.setData(model.index(1, ExpenseModel::Product), QStringLiteral("Hotel")));
        QVERIFY(!model.isModified());
        QSignalSpy captions(&model, &ExpenseModel::captionChanged);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        const QModelIndex hotel = model.index(1, 0);
        QCOMPARE(hotel.data().toString(), QStringLiteral("Hotel"));
        QCOMPARE(model.index(3, ExpenseModel::Total).data().toString(), QStringLiteral("$3.00"));
        QVERIFY(hotel.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(model.setData(hotel, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(model.grandTotal(), 15.5);
        QCOMPARE(model.index(3, ExpenseModel::Total).data().toString(), QStringLiteral("$15.50"));
        QVERIFY(!hotel.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(captions.last().first().toString(), QStringLiteral("Expenses [2/2] - $15.50"));
        // The Grand Total row is told to repaint.
        QVERIFY(std::any_of(changes.cbegin(), changes.cend(), [](const QList<QVariant>& change) {
            return change.first().toModelIndex().row() == 3;
        }));
        QVERIFY(model.setData(hotel, Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(model.grandTotal(), 3.0);
        QCOMPARE(captions.last().first().toString(), QStringLiteral("Expenses [1/2] - $3.00"));
        QVERIFY(model.isModified());
    }

    void expenseTotalsAreRoundedAndTheGrandTotalSumsTheRowsShown()
    {
        const DisplayFormats de(QLocale(QStringLiteral("de_DE")));
        ExpenseModel model(de);
        const std::pair<const char*, const char*> typed[] = {
            {"0,5", "189,50"}, {"1,5", "115,25"}, {"4", "3,45"}, {"12,34", "24,90"}};
        for (const auto& [quantity, price] : typed) {
            const int row = model.addExpense(QString::fromLatin1(price));
            QVERIFY(
                model.setData(model.index(row, ExpenseModel::Quantity), QLatin1String(quantity)));
            QVERIFY(
                model.setData(model.index(row, ExpenseModel::PricePerUnit), QLatin1String(price)));
            QVERIFY(model.setData(model.index(row, 0), Qt::Checked, Qt::CheckStateRole));
        }
        QCOMPARE(
            column(model, ExpenseModel::Total),
            (QStringList{QStringLiteral("94,75\u00a0\u20ac"), QStringLiteral("172,88\u00a0\u20ac"),
                         QStringLiteral("13,80\u00a0\u20ac"), QStringLiteral("307,27\u00a0\u20ac"),
                         QString(), QStringLiteral("588,70\u00a0\u20ac")}));
        QCOMPARE(model.expense(1).total, 172.88);
        QCOMPARE(model.caption(), QStringLiteral("Expenses [4/4] - 588,70\u00a0\u20ac"));

        // The file keeps the rounded totals, and the tree's caption sums them.
        QTemporaryDir dir;
        TravelDataStore store;
        store.setDisplayFormats(de);
        store.setWorkingDirectory(dir.path());
        QVERIFY(store.Refresh().ok());
        const RecordKey key = store.AddTravel(TravelRecord(at(2006, 3, 5))).key;
        QVERIFY(store.SaveExpenses(key, model.expenses()).ok());
        QCOMPARE(store.LoadExpenses(key)[1].total, 172.88);
        QCOMPARE(store.ExpensesCaption(key), model.caption());

        // Totals written unrounded elsewhere are shown, summed and saved rounded.
        ExpenseRecord unrounded = expense(QStringLiteral("Ski pass"), 1, 172.876, true);
        QVERIFY(writeFile(store.dataFolder().filePath(DataFolder::expensesFileName(key)),
                          RecordCodec::encodeExpenses(
                              RecordCodec::listOf(QList<ExpenseRecord>{unrounded, unrounded}))));
        QCOMPARE(store.ExpensesCaption(key), QStringLiteral("Expenses [2/2] - 345,76\u00a0\u20ac"));
        model.setExpenses(store.LoadExpenses(key));
        QCOMPARE(model.grandTotal(), 345.76);
        QVERIFY(store.SaveExpenses(key, {unrounded}).ok());
        QCOMPARE(store.LoadExpenses(key)[0].total, 172.88);
    }

    void expenseDeletingTheLastEmptiesTheList()
    {
        ExpenseModel model(us);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy captions(&model, &ExpenseModel::captionChanged);
        model.setExpenses({expense(QStringLiteral("Hotel"), 1, 12.5, true),
                           expense(QStringLiteral("Bus"), 2, 1.5, true)});
        QCOMPARE(captions.size(), 1);
        QCOMPARE(captions.first().first().toString(), QStringLiteral("Expenses [2/2] - $15.50"));
        QVERIFY(!model.removeExpense(2)); // the separator
        QVERIFY(model.removeExpense(1));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(2, ExpenseModel::Total).data().toString(), QStringLiteral("$3.00"));
        QVERIFY(model.removeExpense(0));
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(model.expenses().isEmpty());
        QCOMPARE(model.caption(), QStringLiteral("Expense List"));
        QCOMPARE(captions.last().first().toString(), QStringLiteral("Expense List"));
    }

    void expenseSortsKeepTheComputedRowsLast()
    {
        ExpenseModel model(us);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setExpenses({expense(QStringLiteral("b"), 1, 2.9, false),
                           expense(QStringLiteral("C"), 4, 10, false),
                           expense(QStringLiteral("a"), 2, 2.1, true)});
        const auto products = [&model] { return column(model).join(QLatin1Char('|')); };
        QCOMPARE(products(), QStringLiteral("a|b|C||"));
        const QPersistentModelIndex b = model.index(1, 0);
        const QPersistentModelIndex grandTotal = model.index(4, ExpenseModel::Total);
        // Prices by their exact values: 2.10 before 2.90.
        model.sortByCode(ExpenseModel::PricePerUnit);
        QCOMPARE(products(), QStringLiteral("a|b|C||"));
        model.sortByCode(ExpenseModel::ColumnCount + ExpenseModel::PricePerUnit);
        QCOMPARE(products(), QStringLiteral("C|b|a||"));
        QCOMPARE(b.row(), 1);
        model.sortByCode(ExpenseModel::Total);
        QCOMPARE(products(), QStringLiteral("b|a|C||"));
        QCOMPARE(b.row(), 0);
        model.sortByCode(ExpenseModel::ColumnCount + ExpenseModel::Quantity);
        QCOMPARE(products(), QStringLiteral("C|a|b||"));
        model.sortByCode(ExpenseModel::ColumnCount + ExpenseModel::Product);
        QCOMPARE(products(), QStringLiteral("C|b|a||"));
        model.sortByCode(10); // no such code: the order stays
        QCOMPARE(products(), QStringLiteral("C|b|a||"));
        QCOMPARE(grandTotal.row(), 4);
        QCOMPARE(grandTotal.data().toString(), QStringLiteral("$4.20"));
        QCOMPARE(model.rowKind(3), ExpenseModel::RowKind::Separator);
        // A new expense goes above the separator, whatever the order.
        QCOMPARE(model.addExpense(QStringLiteral("New Expense")), 3);
        QCOMPARE(model.rowKind(4), ExpenseModel::RowKind::Separator);
    }

    void captionsMatchTheStores()
    {
        QTemporaryDir dir;
        TravelDataStore store;
        store.setDisplayFormats(us);
        store.setWorkingDirectory(dir.path());
        QVERIFY(store.Refresh().ok());
        const RecordKey key = store.AddTravel(TravelRecord(at(2006, 3, 5))).key;

        CheckListModel checkList(us);
        checkList.setItems({{QStringLiteral("Passport"), 1}});
        checkList.addItem(QStringLiteral("Visa"));
        QVERIFY(store.SaveCheckList(key, checkList.items()).ok());
        QCOMPARE(checkList.caption(), store.CheckListCaption(key));

        ExpenseModel expenses(us);
        expenses.setExpenses({expense(QStringLiteral("Hotel"), 3, 12.5, true),
                              expense(QStringLiteral("Bus"), 2, 1.5, false)});
        expenses.addExpense(QStringLiteral("Taxi"));
        QVERIFY(store.SaveExpenses(key, expenses.expenses()).ok());
        QCOMPARE(expenses.caption(), store.ExpensesCaption(key));
        QCOMPARE(expenses.caption(), QStringLiteral("Expenses [1/3] - $37.50"));
        expenses.clear();
        QVERIFY(store.SaveExpenses(key, expenses.expenses()).ok());
        QCOMPARE(expenses.caption(), store.ExpensesCaption(key));
    }
};

QTEST_MAIN(ListModelsTest)
#include "tst_listmodels.moc"
