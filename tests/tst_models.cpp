#include "DetailSheetStyle.h"
#include "ListRules.h"
#include "ModelRoles.h"
#include "TestSupport.h"
#include "TravelDataStore.h"
#include "TravelDetailModel.h"
#include "TravelListModel.h"

#include <QFont>
#include <QPersistentModelIndex>
#include <QTemporaryDir>
#include <QTest>

namespace {

TravelRecord travel(const QString& title, const DateTimeValue& start)
{
    TravelRecord t(start);
    t.title = title;
    t.end = start;
    return t;
}

const DisplayFormats us(QLocale(QStringLiteral("en_US")));

} // namespace

// The list models without a window: what each row shows, the orders of the sort codes,
// and the rules the views and printing share.
class ModelsTest : public QObject {
    Q_OBJECT

private slots:
    void notesPieces()
    {
        using ListRules::NotesPieces;
        QCOMPARE(NotesPieces(QStringLiteral("First line\r\n\r\nSecond line")),
                 (QStringList{QStringLiteral("First line"), QStringLiteral("Second line")}));
        QCOMPARE(NotesPieces(QString(120, QLatin1Char('x'))),
                 (QStringList{QString(50, QLatin1Char('x')), QString(50, QLatin1Char('x')),
                              QString(20, QLatin1Char('x'))}));
        QCOMPARE(NotesPieces(QString(50, QLatin1Char('x'))),
                 QStringList{QString(50, QLatin1Char('x'))});
        QCOMPARE(NotesPieces(QString(51, QLatin1Char('x'))),
                 (QStringList{QString(50, QLatin1Char('x')), QStringLiteral("x")}));
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

    void aSortKeepsRowsThatCannotBeCompared()
    {
        // 3 and 1 sort around the 9 that stays in the middle.
        const QList<int> values{3, 9, 1};
        const QList<int> order = ListRules::SortedOrder(
            values, [](int v) { return v != 9; }, [](int a, int b) { return a < b; });
        QCOMPARE(order, (QList<int>{2, 1, 0}));
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
        QCOMPARE(parisName.data(Qt::ToolTipRole).toString(), QStringLiteral("Paris"));
        QCOMPARE(parisName.data(ModelRole::IconModeToolTip).toString(),
                 QStringLiteral("Paris\nBerlin\nParis\n3/31/06\n4/2/06"));
        // Without from and destination the tip has three lines.
        QCOMPARE(model.index(0, 0).data(ModelRole::IconModeToolTip).toString(),
                 QStringLiteral("Bare\n3/1/06\n3/1/06"));
        QCOMPARE(parisName.data(ModelRole::Key).toString(), paris.key);
        QVERIFY(!parisName.data(Qt::DecorationRole).value<QIcon>().isNull());
    }

    void travelListFillsOneMonth()
    {
        QTemporaryDir dir;
        TravelDataStore store;
        TestClock clock;
        store.setClock(clock.function());
        store.setWorkingDirectory(dir.path());
        QVERIFY(store.Refresh().ok());
        // Listed by its start: the end in April does not list it there.
        QVERIFY(store.AddTravel(travel(QStringLiteral("March"), at(2006, 3, 31, 23))).ok());
        QVERIFY(store.AddTravel(travel(QStringLiteral("Other year"), at(2007, 3, 2))).ok());
        QVERIFY(store.AddTravel(travel(QStringLiteral("April"), at(2006, 4, 1, 0))).ok());
        TravelListModel model(us);
        model.fill(store, QDate(2006, 3, 15));
        QCOMPARE(column(&model), QStringList{QStringLiteral("March")});
        model.fill(store, QDate(2006, 4, 1));
        QCOMPARE(column(&model), QStringList{QStringLiteral("April")});
        QCOMPARE(model.rowOf(model.travel(0).key), 0);
        QCOMPARE(model.rowOf(QStringLiteral("nothing")), -1);
    }

    void travelListSortCodes()
    {
        TravelListModel model(us);
        const auto checked = tester(&model);
        QList<TravelRecord> travels{travel(QStringLiteral("c"), at(2006, 3, 2)),
                                    travel(QStringLiteral("B"), at(2006, 3, 1)),
                                    travel(QStringLiteral("a"), at(2006, 3, 3))};
        travels[1].start.status = DateTimeValue::Invalid;
        travels[2].from = QStringLiteral("Zagreb");
        travels[0].from = QStringLiteral("\u00C5lesund");
        model.setTravels(travels);
        const auto order = [&model] { return column(&model).join(QString()); };
        // Titles as the locale compares them, not by character codes.
        QCOMPARE(order(), QStringLiteral("aBc"));
        const QPersistentModelIndex c = model.index(2, 0);
        // By start: the invalid start keeps its place, the others sort around it.
        model.sortByCode(TravelListModel::StartDate);
        QCOMPARE(order(), QStringLiteral("cBa"));
        model.sortByCode(TravelListModel::ColumnCount + TravelListModel::StartDate);
        QCOMPARE(order(), QStringLiteral("aBc"));
        // From: an empty from first, then "Alesund" with its ring before "Zagreb".
        model.sortByCode(TravelListModel::From);
        QCOMPARE(order(), QStringLiteral("Bca"));
        // A code of 10 or more keeps the order; a persistent index follows its travel.
        model.sortByCode(12);
        QCOMPARE(order(), QStringLiteral("Bca"));
        QCOMPARE(c.row(), 1);
        model.sortByCode(TravelListModel::ColumnCount + TravelListModel::Name);
        QCOMPARE(order(), QStringLiteral("cBa"));
        QCOMPARE(c.row(), 0);
        QCOMPARE(c.data().toString(), QStringLiteral("c"));
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
};

QTEST_MAIN(ModelsTest)
#include "tst_models.moc"
