#include "CheckListModel.h"
#include "DetailSheetStyle.h"
#include "ExpenseModel.h"
#include "ListRules.h"
#include "ModelRoles.h"
#include "NumberEntry.h"
#include "StageDetailModel.h"
#include "StageListModel.h"
#include "TestSupport.h"
#include "TravelDataStore.h"
#include "TravelDetailModel.h"
#include "TravelListModel.h"

#include <QFont>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

TravelRecord travel(const QString& title, const DateTimeValue& start)
{
    TravelRecord t(start);
    t.title = title;
    return t;
}

const DisplayFormats us(QLocale(QStringLiteral("en_US")));

StageRecord stage(const QString& title, const DateTimeValue& date, const QString& place = {})
{
    StageRecord s(date);
    s.key = title + QStringLiteral("-key");
    s.title = title;
    s.place = place;
    return s;
}

AppointmentRecord appointment(const QString& subject, const DateTimeValue& when,
                              const QString& location = {})
{
    AppointmentRecord a(when);
    a.subject = subject;
    a.location = location;
    return a;
}

DateTimeValue invalidDate()
{
    DateTimeValue value = at(2006, 3, 1);
    value.status = DateTimeValue::Invalid;
    return value;
}

} // namespace

// The models of the lists, stages, check lists and expenses without a window: what each
// row shows, the orders of the sort codes, the rules of their edits, the captions they
// give the tree, and the rules the views and printing share.
class ModelsTest : public QObject {
    Q_OBJECT

private slots:
    void notesPieces()
    {
        using ListRules::NotesPieces;
        QCOMPARE(NotesPieces(QString(120, QLatin1Char('x'))),
                 (QStringList{QString(50, QLatin1Char('x')), QString(50, QLatin1Char('x')),
                              QString(20, QLatin1Char('x'))}));
        QCOMPARE(NotesPieces(QString(50, QLatin1Char('x'))),
                 QStringList{QString(50, QLatin1Char('x'))});
        // Twenty words of five letters: breaks at the last blank that fits.
        const QString words = QStringList(20, QStringLiteral("abcde")).join(QLatin1Char(' '));
        const QStringList pieces = NotesPieces(words);
        QCOMPARE(pieces.size(), 3);
        QCOMPARE(pieces[0], QStringList(8, QStringLiteral("abcde")).join(QLatin1Char(' ')));
        for (const QString& piece : pieces)
            QVERIFY(piece.size() <= 50);
        QCOMPARE(pieces.join(QLatin1Char(' ')), words);
        // Exactly 50 characters followed by a blank: the blank starts the next piece.
        const QString fifty = QString(50, QLatin1Char('y')) + QStringLiteral(" tail");
        QCOMPARE(NotesPieces(fifty),
                 (QStringList{QString(50, QLatin1Char('y')), QStringLiteral(" tail")}));
        QVERIFY(NotesPieces(QString()).isEmpty());
    }

    void travelListRowsAndTips()
    {
        TravelListModel model(us);
        const auto checked = tester(&model);
        TravelRecord paris = travel(QStringLiteral("Paris"), at(2006, 3, 31, 18));
        paris.end = at(2006, 4, 2);
        paris.from = QStringLiteral("Berlin");
        paris.destination = QStringLiteral("Paris");
        paris.icon = 7;
        TravelRecord bare = travel(QStringLiteral("Bare"), at(2006, 3, 1));
        model.setTravels({paris, bare});
        QCOMPARE(column(&model), (QStringList{QStringLiteral("Bare"), QStringLiteral("Paris")}));
        const QModelIndex parisName = model.index(1, TravelListModel::Name);
        QCOMPARE(model.index(1, TravelListModel::StartDate).data().toString(),
                 QStringLiteral("3/31/06"));
        QCOMPARE(model.index(1, TravelListModel::EndDate).data().toString(),
                 QStringLiteral("4/2/06"));
        QCOMPARE(parisName.data(ModelRole::IconModeToolTip).toString(),
                 QStringLiteral("Paris\nBerlin\nParis\n3/31/06\n4/2/06"));
        // Without from and destination the tip has three lines.
        QCOMPARE(model.index(0, 0).data(ModelRole::IconModeToolTip).toString(),
                 QStringLiteral("Bare\n3/1/06\n3/1/06"));
        QVERIFY(!parisName.data(Qt::DecorationRole).value<QIcon>().isNull());
    }

    void theListsFillFromTheStore()
    {
        QTemporaryDir dir;
        TravelDataStore store;
        TestClock clock;
        QVERIFY(openStore(store, dir.path(), &clock));
        // Listed by its start: the end in April does not list it there.
        const RecordKey march =
            store.AddTravel(travel(QStringLiteral("March"), at(2006, 3, 31, 23))).key;
        QVERIFY(store.AddTravel(travel(QStringLiteral("Other year"), at(2007, 3, 2))).ok());
        const RecordKey april =
            store.AddTravel(travel(QStringLiteral("April"), at(2006, 4, 1, 0))).key;
        TravelListModel model(us);
        model.fill(store, QDate(2006, 3, 15));
        QCOMPARE(column(&model), QStringList{QStringLiteral("March")});
        model.fill(store, QDate(2006, 4, 1));
        QCOMPARE(column(&model), QStringList{QStringLiteral("April")});
        QCOMPARE(model.rowOf(april), 0);
        QCOMPARE(model.rowOf(QStringLiteral("nothing")), -1);

        // A travel's stages by date, and no other travel's.
        QVERIFY(store.AddStage(stageOf(march, at(2006, 4, 9), QStringLiteral("Late"))).ok());
        QVERIFY(store.AddStage(stageOf(april, at(2006, 4, 6), QStringLiteral("April"))).ok());
        QVERIFY(store.AddStage(stageOf(march, at(2006, 4, 6), QStringLiteral("Early"))).ok());
        StageListModel list(us);
        list.fill(store, march);
        QCOMPARE(column(&list, 0), (QStringList{QStringLiteral("Early"), QStringLiteral("Late")}));
        QCOMPARE(list.stage(0).travelKey, march);
        list.fill(store, QStringLiteral("20990101000000000"));
        QCOMPARE(list.rowCount(), 0);
    }

    // Dates, titles, the order kept where a date is invalid and the codes that sort nothing
    // are the stage list's test and the travel list view's; here the from column.
    void travelListSortsFromAsTheLocaleDoes()
    {
        TravelListModel model(us);
        const auto checked = tester(&model);
        QList<TravelRecord> travels{travel(QStringLiteral("c"), at(2006, 3, 2)),
                                    travel(QStringLiteral("B"), at(2006, 3, 1)),
                                    travel(QStringLiteral("a"), at(2006, 3, 3))};
        travels[2].from = QStringLiteral("Zagreb");
        travels[0].from = QStringLiteral("\u00C5lesund");
        model.setTravels(travels);
        // An empty from first, then "Alesund" with its ring before "Zagreb".
        model.sortByCode(TravelListModel::From);
        QCOMPARE(column(&model).join(QString()), QStringLiteral("Bca"));
    }

    void travelDetailRows()
    {
        TravelDetailModel model(us);
        const auto checked = tester(&model);
        TravelRecord paris = travel(QStringLiteral("Paris"), at(2006, 3, 31, 18));
        paris.seatNo = QStringLiteral("12A");
        paris.ticketNo = QStringLiteral("T-99");
        paris.notes = QStringLiteral("First line\r\n\r\nSecond line");
        model.setTravel(paris);
        QCOMPARE(model.rowCount(), 15);
        const auto cell = [&model](int row, int column) {
            return model.index(row, column).data().toString();
        };
        QCOMPARE(cell(1, 1), QStringLiteral("Paris"));
        QCOMPARE(cell(5, 1), QStringLiteral("3/31/06"));
        QCOMPARE(cell(10, 1), QStringLiteral("12A"));
        QCOMPARE(cell(11, 1), QStringLiteral("T-99"));
        QCOMPARE(cell(13, 1), QStringLiteral("First line"));
        QCOMPARE(cell(14, 0), QString());
        QCOMPARE(cell(14, 1), QStringLiteral("Second line"));
        // The title is the heading the delegate draws.
        QVERIFY(model.index(1, 1).data(DetailSheetStyle::HeadingRole).toBool());

        // Empty notes leave the notes row with nothing in it.
        paris.notes.clear();
        model.setTravel(paris);
        QCOMPARE(model.rowCount(), 14);
        QCOMPARE(cell(13, 1), QString());
    }

    void stageListRowsAndTips()
    {
        StageListModel model(us);
        const auto checked = tester(&model);
        model.setStages(QStringLiteral("T"),
                        {stage(QStringLiteral("Belem"), at(2006, 3, 7), QStringLiteral("Lisbon")),
                         stage(QStringLiteral("Alfama"), at(2006, 3, 6))});
        // Filled by date.
        QCOMPARE(column(&model, StageListModel::Date),
                 (QStringList{QStringLiteral("3/6/06"), QStringLiteral("3/7/06")}));
        QCOMPARE(column(&model, StageListModel::Place),
                 (QStringList{QString(), QStringLiteral("Lisbon")}));
        // The report's tip is the title wherever the pointer is; the icon modes' tip
        // leaves out a place that is empty.
        QCOMPARE(model.index(1, StageListModel::Place).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Belem"));
        QCOMPARE(model.index(1, 0).data(ModelRole::IconModeToolTip).toString(),
                 QStringLiteral("Belem\n3/7/06\nLisbon"));
        QCOMPARE(model.index(0, 0).data(ModelRole::IconModeToolTip).toString(),
                 QStringLiteral("Alfama\n3/6/06"));
        QCOMPARE(model.index(0, 0).data(ModelRole::Key).toString(), QStringLiteral("Alfama-key"));
        QVERIFY(!model.index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(!model.index(0, StageListModel::Date).data(Qt::DecorationRole).isValid());
    }

    void stageListSortCodes()
    {
        StageListModel model(us);
        const auto checked = tester(&model);
        model.setStages(QStringLiteral("T"),
                        {stage(QStringLiteral("zeta"), at(2006, 3, 9), QStringLiteral("a")),
                         stage(QStringLiteral("undated"), invalidDate(), QStringLiteral("b")),
                         stage(QStringLiteral("Alpha"), at(2006, 3, 2), QStringLiteral("C"))});
        const QStringList ascending{QStringLiteral("Alpha"), QStringLiteral("undated"),
                                    QStringLiteral("zeta")};
        const QStringList descending{ascending[2], ascending[1], ascending[0]};
        // By date: the undated stage keeps its place, the others sort around it.
        QCOMPARE(column(&model, 0), ascending);
        QPersistentModelIndex zeta = model.index(2, 0);
        model.sortByCode(4); // date descending
        QCOMPARE(column(&model, 0), descending);
        QCOMPARE(zeta.row(), 0);
        model.sortByCode(0); // titles as the locale orders them, not by code points
        QCOMPARE(column(&model, 0), ascending);
        model.sortByCode(5);
        QCOMPARE(column(&model, 2),
                 (QStringList{QStringLiteral("C"), QStringLiteral("b"), QStringLiteral("a")}));
        model.sortByCode(6); // no such code: the order stays
        model.sortByCode(-1);
        QCOMPARE(column(&model, 2),
                 (QStringList{QStringLiteral("C"), QStringLiteral("b"), QStringLiteral("a")}));
    }

    void stageDetailRowsAndNotes()
    {
        StageDetailModel model(us);
        const auto checked = tester(&model);
        model.setStage(stage(QStringLiteral("Alfama"), at(2006, 3, 6), QStringLiteral("Old town")),
                       {});
        // A stage without notes still shows the "Notes" row; no appointment section.
        QCOMPARE(model.detailRowCount(), 6);
        QVERIFY(!model.hasAppointmentSection());
        QCOMPARE(column(&model, StageDetailModel::Value), (QStringList{{},
                                                                       QStringLiteral("Alfama"),
                                                                       {},
                                                                       QStringLiteral("3/6/06"),
                                                                       QStringLiteral("Old town"),
                                                                       {}}));
        // The title is the heading the delegate draws.
        QVERIFY(model.index(StageDetailModel::TitleRow, 1)
                    .data(DetailSheetStyle::HeadingRole)
                    .toBool());

        StageRecord s = stage(QStringLiteral("Notes"), at(2006, 3, 6));
        // 51 characters without a blank: 50 in the "Notes" row, 1 in a row of its own
        // with no label; the section starts below the last piece.
        s.notes = QString(51, QLatin1Char('y'));
        model.setStage(s, {appointment(QStringLiteral("Fado"), at(2006, 3, 6, 21))});
        QCOMPARE(model.detailRowCount(), 7);
        QCOMPARE(column(&model, 0).mid(6, 3),
                 (QStringList{QString(), QString(), QStringLiteral("Appointments:")}));
        QCOMPARE(column(&model, 1).mid(5, 2),
                 (QStringList{QString(50, QLatin1Char('y')), QStringLiteral("y")}));
        QCOMPARE(model.firstAppointmentRow(), 9);
        // Lines break at "\r\n"; a line break inside a piece never reaches a row, and an
        // empty line is an empty row.
        s.notes = QStringLiteral("one\r\ntwo\r\n\r\nfour");
        model.setStage(s, {});
        QCOMPARE(column(&model, 1).mid(5),
                 (QStringList{QStringLiteral("one"), QStringLiteral("two"), QString(),
                              QStringLiteral("four")}));
    }

    void theAppointmentSectionComesAndGoes()
    {
        StageDetailModel model(us);
        const auto checked = tester(&model);
        model.setStage(stage(QStringLiteral("Alfama"), at(2006, 3, 6)), {});
        // The first appointment brings the empty row and the heading before it (the model
        // tester checks the rows inserted against the count).
        QCOMPARE(model.addAppointment(appointment(QStringLiteral("Fado"), at(2006, 3, 6, 21, 5, 42),
                                                  QStringLiteral("Tasca"))),
                 8);
        QVERIFY(!model.isAppointmentRow(7));
        QVERIFY(model.isAppointmentRow(8));
        // The date, a blank and the time without seconds.
        QCOMPARE(model.index(8, 0).data().toString(), QStringLiteral("3/6/06 9:05 PM"));
        // An earlier one sorts before it; one without location shows only its subject.
        QCOMPARE(model.addAppointment(appointment(QStringLiteral("Tram"), at(2006, 3, 6, 8))), 8);
        QCOMPARE(column(&model, 1).mid(8),
                 (QStringList{QStringLiteral("Tram"), QStringLiteral("Fado at Tasca")}));
        // Changing a date moves its row, and a persistent index follows it.
        QPersistentModelIndex tram = model.index(8, 0);
        QCOMPARE(model.setAppointment(8, appointment(QStringLiteral("Tram"), at(2006, 3, 7))), 9);
        QCOMPARE(tram.row(), 9);
        // Rows outside the appointments change nothing.
        model.removeAppointment(7);
        model.removeAppointment(3);
        QCOMPARE(model.rowCount(), 10);
        // Deleting one leaves the section (the stage views test deletes the last).
        model.removeAppointment(8);
        QCOMPARE(model.appointment(8).subject, QStringLiteral("Tram"));

        // Appointments whose dates are not valid keep their places among the others.
        model.setStage(stage(QStringLiteral("Alfama"), at(2006, 3, 6)),
                       {appointment(QStringLiteral("late"), at(2006, 3, 9)),
                        appointment(QStringLiteral("undated"), invalidDate()),
                        appointment(QStringLiteral("early"), at(2006, 3, 1))});
        QCOMPARE(column(&model, 1).mid(8),
                 (QStringList{QStringLiteral("early"), QStringLiteral("undated"),
                              QStringLiteral("late")}));
        QCOMPARE(model.index(9, 0).data().toString(), QStringLiteral(" "));
    }

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
        } typing[] = {{"2.50", 0, "1", c, 0, true}, {"2.5", 3, "0", c, 0, true},
                      {"2.5", 1, ".", c, 0, false}, {"2", 0, "-", c, 0, false},
                      {"2.50", 0, "7", c, 4, true}, {"2.50", 1, "", c, 1, true},
                      {"2,5", 3, "0", de, 0, true}, {"2,50", 4, "1", de, 0, false},
                      {"25", 1, ".", de, 0, false}};
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
        QCOMPARE(Accepted(QStringLiteral("1.234,50"), de).value_or(QString()),
                 QStringLiteral("1234,50"));
        for (const char* wrong : {"2,75", "12,34.50", "1,234.505", "-1,234", "1,234x"})
            QVERIFY2(!Accepted(QLatin1String(wrong), us), wrong);
        QVERIFY(!Accepted(QStringLiteral("2.50"), de));
        QCOMPARE(Read(QStringLiteral("2,50"), de), 2.5);
        for (const char* read : {" 3 ", "3.", "3"})
            QCOMPARE(Read(QLatin1String(read), c), 3.0);
        for (const char* zero : {"2,75", ".", ""})
            QCOMPARE(Read(QLatin1String(zero), us), 0.0);
        QCOMPARE(Write(2.5, de), QStringLiteral("2,50"));
        QCOMPARE(Write(0, c), QStringLiteral("0.00"));
    }

    void checkListEditsAddsAndCaption()
    {
        CheckListModel model(us);
        const auto checked = tester(&model);
        // A checked value of 7 from a file counts as done. Open entries are bold, ticked
        // ones normal italic.
        model.setItems({{QStringLiteral("Passport"), 0}, {QStringLiteral("Visa"), 7}});
        QCOMPARE(model.caption(), QStringLiteral("Check List [1/2]"));
        const QPersistentModelIndex passport = model.index(0, 0);
        QFont font = passport.data(Qt::FontRole).value<QFont>();
        QVERIFY(font.bold() && !font.italic());
        font = model.index(1, 0).data(Qt::FontRole).value<QFont>();
        QVERIFY(!font.bold() && font.italic());
        // Blank is refused and the old text stays; a new text is trimmed.
        QVERIFY(!model.setData(passport, QStringLiteral("   "), Qt::EditRole));
        QVERIFY(!model.isModified());
        QVERIFY(model.setData(passport, QStringLiteral("  Zip bags "), Qt::EditRole));
        // A changed text stays where it is; the next added entry sorts every row, as the
        // locale compares them.
        QCOMPARE(column(&model), (QStringList{QStringLiteral("Zip bags"), QStringLiteral("Visa")}));
        QCOMPARE(model.addItem(QStringLiteral("maps")), 0);
        QCOMPARE(passport.row(), 2);
        QCOMPARE(column(&model), (QStringList{QStringLiteral("maps"), QStringLiteral("Visa"),
                                              QStringLiteral("Zip bags")}));
        // The same master entry imported twice gives two rows.
        QCOMPARE(model.addItem(QStringLiteral("Umbrella")), 1);
        QCOMPARE(model.addItem(QStringLiteral("Umbrella")), 2);
        QVERIFY(model.removeItem(0));
        QVERIFY(!model.removeItem(9));
        QCOMPARE(model.caption(), QStringLiteral("Check List [1/4]"));
    }

    void expenseFirstNewMakesThreeRowsAndItsTotalFollowsEdits()
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

        // A price is shown as an amount and edited as a number (the list editor tests
        // follow the total).
        QVERIFY(model.setData(model.index(0, ExpenseModel::Quantity), QStringLiteral("3")));
        QVERIFY(model.setData(model.index(0, ExpenseModel::PricePerUnit), QStringLiteral("2.5")));
        QCOMPARE(model.index(0, ExpenseModel::PricePerUnit).data().toString(),
                 QStringLiteral("$2.50"));
        QCOMPARE(model.index(0, ExpenseModel::PricePerUnit).data(Qt::EditRole).toString(),
                 QStringLiteral("2.50"));
        // Not a number reads as 0; a blank product and an empty unit are refused.
        QVERIFY(model.setData(model.index(0, ExpenseModel::Quantity), QStringLiteral(".")));
        QCOMPARE(model.expense(0).total, 0.0);
        QVERIFY(!model.setData(model.index(0, ExpenseModel::Product), QStringLiteral("  ")));
        QVERIFY(!model.setData(model.index(0, ExpenseModel::Unit), QString()));
        QCOMPARE(model.expense(0).product, QStringLiteral("New Expense"));
    }

    void expenseTickRepaintsTheGrandTotal()
    {
        ExpenseModel model(us);
        const auto checked = tester(&model);
        model.setExpenses({expense(QStringLiteral("Hotel"), 1, 12.5, false),
                           expense(QStringLiteral("Bus"), 2, 1.5, true)});
        // An editor closed as it was opened leaves the list unedited.
        QVERIFY(model.setData(model.index(1, ExpenseModel::Product), QStringLiteral("Hotel")));
        QVERIFY(!model.isModified());
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        const QModelIndex hotel = model.index(1, 0);
        QVERIFY(hotel.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(model.setData(hotel, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(!hotel.data(Qt::FontRole).value<QFont>().bold());
        // The Grand Total row is told to repaint; the separator is no expense.
        QVERIFY(std::any_of(changes.cbegin(), changes.cend(), [](const QList<QVariant>& change) {
            return change.first().toModelIndex().row() == 3;
        }));
        QVERIFY(!model.removeExpense(2));
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

        // The tree's caption sums the same totals. Totals written unrounded elsewhere (the
        // exports test sums them) are summed and saved rounded.
        QTemporaryDir dir;
        TravelDataStore store;
        store.setDisplayFormats(de);
        QVERIFY(openStore(store, dir.path()));
        const RecordKey key = store.AddTravel(TravelRecord(at(2006, 3, 5))).key;
        QVERIFY(store.SaveExpenses(key, model.expenses()).ok());
        QCOMPARE(store.ExpensesCaption(key), model.caption());
        const ExpenseRecord unrounded = expense(QStringLiteral("Ski pass"), 1, 172.876, true);
        model.setExpenses({unrounded, unrounded});
        QCOMPARE(model.grandTotal(), 345.76);
        QVERIFY(store.SaveExpenses(key, {unrounded}).ok());
        QCOMPARE(store.LoadExpenses(key)[0].total, 172.88);
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
        model.sortByCode(ExpenseModel::SortColumnCount + ExpenseModel::PricePerUnit);
        QCOMPARE(products(), QStringLiteral("C|b|a||"));
        QCOMPARE(b.row(), 1);
        model.sortByCode(ExpenseModel::Total);
        QCOMPARE(products(), QStringLiteral("b|a|C||"));
        QCOMPARE(b.row(), 0);
        QCOMPARE(grandTotal.row(), 4);
        QCOMPARE(grandTotal.data().toString(), QStringLiteral("$4.20"));
        // A new expense goes above the separator, whatever the order.
        QCOMPARE(model.addExpense(QStringLiteral("New Expense")), 3);
        QCOMPARE(model.rowKind(4), ExpenseModel::RowKind::Separator);
        // Only expenses are records that the commands modify and delete.
        QVERIFY(model.isRecordRow(3) && !model.isRecordRow(4) && !model.isRecordRow(5));
    }
};

QTEST_MAIN(ModelsTest)
#include "tst_models.moc"
