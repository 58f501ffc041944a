#include "CheckListModel.h"
#include "ExpenseModel.h"
#include "NumberEntry.h"
#include "RecordCodec.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QColor>
#include <QFont>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const DisplayFormats us(QLocale(QStringLiteral("en_US")));

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
        const QLocale de(QStringLiteral("de_DE"));
        const QLocale us(QStringLiteral("en_US"));
        // Text, position, typed, locale, length typed over, accepted. Typing over a
        // selection, and deleting, are judged by what is left; a German user's comma,
        // where the point separates thousands and is no decimal.
        const struct {
            const char* text;
            int at;
            const char* typed;
            QLocale locale;
            int over;
            bool accepted;
        } typing[] = {{"2.50", 4, "5", c, 0, false}, {"2.50", 0, "1", c, 0, true},
                      {"2.5", 3, "0", c, 0, true},   {"2.5", 1, ".", c, 0, false},
                      {"2", 1, "x", c, 0, false},    {"2", 0, "-", c, 0, false},
                      {"2.50", 0, "7", c, 4, true},  {"2.50", 1, "", c, 1, true},
                      {"2,5", 3, "0", de, 0, true},  {"2,50", 4, "1", de, 0, false},
                      {"25", 1, ".", de, 0, false},  {"25", 1, ",", us, 0, false}};
        for (const auto& t : typing)
            QVERIFY2(AcceptsTyping(QLatin1String(t.text), t.at, QLatin1String(t.typed), t.locale,
                                   t.over) == t.accepted,
                     t.text);
        QVERIFY(IsAcceptable(QString(), c));
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
        for (const char* wrong : {"2,75", "12,34.50", "1,234.505", "-1,234", "1,234x"})
            QVERIFY2(!Accepted(QLatin1String(wrong), us), wrong);
        QVERIFY(!Accepted(QStringLiteral("2.50"), de));
        QCOMPARE(Read(QStringLiteral("2,75"), us), 0.0);
        QCOMPARE(Read(QStringLiteral("2,50"), de), 2.5);
        for (const char* read : {" 3 ", "3.", "3"})
            QCOMPARE(Read(QLatin1String(read), c), 3.0);
        QCOMPARE(Read(QStringLiteral("."), c), 0.0);
        QCOMPARE(Read(QString(), c), 0.0);
        QCOMPARE(Write(2.5, de), QStringLiteral("2,50"));
        QCOMPARE(Write(0, c), QStringLiteral("0.00"));
    }

    void checkListRowsFontsAndCaption()
    {
        CheckListModel model(us);
        const auto checked = tester(&model);
        QSignalSpy captions(&model, &CheckListModel::captionChanged);
        QCOMPARE(model.caption(), QStringLiteral("Check List"));
        // A checked value of 7 from a file counts as done.
        model.setItems({{QStringLiteral("Visa"), 1},
                        {QStringLiteral("Passport"), 0},
                        {QStringLiteral("camera"), 7}});
        QCOMPARE(column(&model), (QStringList{QStringLiteral("camera"), QStringLiteral("Passport"),
                                              QStringLiteral("Visa")}));
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
    }

    void checkListEditsAndAdds()
    {
        CheckListModel model(us);
        const auto checked = tester(&model);
        model.setItems({{QStringLiteral("Passport"), 0}, {QStringLiteral("Visa"), 1}});
        const QPersistentModelIndex passport = model.index(0, 0);
        // Blank is refused and the old text stays; a new text is trimmed.
        QVERIFY(!model.setData(passport, QStringLiteral("   "), Qt::EditRole));
        QVERIFY(!model.isModified());
        QVERIFY(model.setData(passport, QStringLiteral("  Zip bags "), Qt::EditRole));
        // A changed text stays where it is; the next added entry sorts every row.
        QCOMPARE(column(&model), (QStringList{QStringLiteral("Zip bags"), QStringLiteral("Visa")}));
        QCOMPARE(model.addItem(QStringLiteral("Maps")), 0);
        QCOMPARE(passport.row(), 2);
        QCOMPARE(column(&model), (QStringList{QStringLiteral("Maps"), QStringLiteral("Visa"),
                                              QStringLiteral("Zip bags")}));
        // The same master entry imported twice gives two rows.
        QCOMPARE(model.addItem(QStringLiteral("Umbrella")), 1);
        QCOMPARE(model.addItem(QStringLiteral("Umbrella")), 2);
        QVERIFY(model.removeItem(0));
        QVERIFY(!model.removeItem(9));
        QCOMPARE(model.caption(), QStringLiteral("Check List [1/4]"));
    }

    void expenseFirstNewMakesThreeRows()
    {
        ExpenseModel model(us);
        const auto checked = tester(&model);
        QCOMPARE(model.caption(), QStringLiteral("Expense List"));
        QCOMPARE(model.addExpense(QStringLiteral("New Expense")), 0);
        QCOMPARE(column(&model, ExpenseModel::Product),
                 (QStringList{QStringLiteral("New Expense"), QString(), QString()}));
        for (int c = ExpenseModel::Quantity; c < ExpenseModel::ColumnCount; ++c)
            QCOMPARE(model.index(0, c).data().toString(), QString());
        QCOMPARE(column(&model, ExpenseModel::PricePerUnit),
                 (QStringList{QString(), QString(), QStringLiteral("Grand Total")}));
        const QModelIndex grandTotal = model.index(2, ExpenseModel::Total);
        QCOMPARE(grandTotal.data().toString(), QStringLiteral("$0.00"));
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
        const auto checked = tester(&model);
        model.addExpense(QStringLiteral("Taxi"));
        QVERIFY(model.setData(model.index(0, ExpenseModel::Quantity), QStringLiteral("3")));
        QCOMPARE(model.index(0, ExpenseModel::PricePerUnit).data().toString(), QString());
        QVERIFY(model.setData(model.index(0, ExpenseModel::PricePerUnit), QStringLiteral("2.5")));
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
        QCOMPARE(model.expense(0).product, QStringLiteral("Taxi"));

        // A German user types a comma and sees euros.
        ExpenseModel german(DisplayFormats(QLocale(QStringLiteral("de_DE"))));
        german.setExpenses({expense(QStringLiteral("Brot"), 2, 1.25, false)});
        QCOMPARE(german.index(0, ExpenseModel::Quantity).data().toString(), QStringLiteral("2,00"));
        QVERIFY(
            german.setData(german.index(0, ExpenseModel::PricePerUnit), QStringLiteral("2,50")));
        QCOMPARE(german.index(0, ExpenseModel::Total).data().toString(),
                 QStringLiteral("5,00\u00a0\u20ac"));
    }

    void expenseTickMovesTheGrandTotal()
    {
        ExpenseModel model(us);
        const auto checked = tester(&model);
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
        QVERIFY(hotel.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(model.setData(hotel, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(model.index(3, ExpenseModel::Total).data().toString(), QStringLiteral("$15.50"));
        QVERIFY(!hotel.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(captions.last().first().toString(), QStringLiteral("Expenses [2/2] - $15.50"));
        // The Grand Total row is told to repaint.
        QVERIFY(std::any_of(changes.cbegin(), changes.cend(), [](const QList<QVariant>& change) {
            return change.first().toModelIndex().row() == 3;
        }));
        QVERIFY(model.setData(hotel, Qt::Unchecked, Qt::CheckStateRole));
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
            column(&model, ExpenseModel::Total),
            (QStringList{QStringLiteral("94,75\u00a0\u20ac"), QStringLiteral("172,88\u00a0\u20ac"),
                         QStringLiteral("13,80\u00a0\u20ac"), QStringLiteral("307,27\u00a0\u20ac"),
                         QString(), QStringLiteral("588,70\u00a0\u20ac")}));
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
        CheckListModel checkList(de);
        checkList.setItems({{QStringLiteral("Passport"), 1}});
        checkList.addItem(QStringLiteral("Visa"));
        QVERIFY(store.SaveCheckList(key, checkList.items()).ok());
        QCOMPARE(checkList.caption(), store.CheckListCaption(key));

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
        const auto checked = tester(&model);
        model.setExpenses({expense(QStringLiteral("Hotel"), 1, 12.5, true),
                           expense(QStringLiteral("Bus"), 2, 1.5, true)});
        QSignalSpy captions(&model, &ExpenseModel::captionChanged);
        QVERIFY(!model.removeExpense(2)); // the separator
        QVERIFY(model.removeExpense(1));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(2, ExpenseModel::Total).data().toString(), QStringLiteral("$3.00"));
        QVERIFY(model.removeExpense(0));
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(captions.last().first().toString(), QStringLiteral("Expense List"));
    }

    void expenseSortsKeepTheComputedRowsLast()
    {
        ExpenseModel model(us);
        const auto checked = tester(&model);
        model.setExpenses({expense(QStringLiteral("b"), 1, 2.9, false),
                           expense(QStringLiteral("C"), 4, 10, false),
                           expense(QStringLiteral("a"), 2, 2.1, true)});
        const auto products = [&model] { return column(&model).join(QLatin1Char('|')); };
        QCOMPARE(products(), QStringLiteral("a|b|C||"));
        const QPersistentModelIndex b = model.index(1, 0);
        const QPersistentModelIndex grandTotal = model.index(4, ExpenseModel::Total);
        // Prices by their exact values: 2.10 before 2.90.
        model.sortByCode(ExpenseModel::ColumnCount + ExpenseModel::PricePerUnit);
        QCOMPARE(products(), QStringLiteral("C|b|a||"));
        QCOMPARE(b.row(), 1);
        model.sortByCode(ExpenseModel::Total);
        QCOMPARE(products(), QStringLiteral("b|a|C||"));
        QCOMPARE(b.row(), 0);
        model.sortByCode(ExpenseModel::ColumnCount + ExpenseModel::Product);
        QCOMPARE(products(), QStringLiteral("C|b|a||"));
        model.sortByCode(10); // no such code: the order stays
        QCOMPARE(products(), QStringLiteral("C|b|a||"));
        QCOMPARE(grandTotal.row(), 4);
        QCOMPARE(grandTotal.data().toString(), QStringLiteral("$4.20"));
        // A new expense goes above the separator, whatever the order.
        QCOMPARE(model.addExpense(QStringLiteral("New Expense")), 3);
        QCOMPARE(model.rowKind(4), ExpenseModel::RowKind::Separator);
    }
};

QTEST_MAIN(ListModelsTest)
#include "tst_listmodels.moc"
