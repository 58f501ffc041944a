#include "ListHeaderCtrl.h"
#include "ListLayout.h"
#include "MainFrame.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "TravelDataStore.h"
#include "TravelDetailListView.h"
#include "TravelListView.h"
#include "TravelTreeView.h"
#include "VoyantaApp.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QDateEdit>
#include <QListWidget>
#include <QMenu>
#include <QSettings>
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

QStringList titles(const QList<TravelRecord>& travels)
{
    QStringList result;
    for (const TravelRecord& t : travels)
        result.append(t.title);
    return result;
}

} // namespace

class ListViewsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> m_run;
    CMainFrame* m_frame = nullptr;
    RecordKey m_paris;

    CTravelListView* travelList() const
    {
        return qobject_cast<CTravelListView*>(m_frame->upperView());
    }

private slots:
    void init()
    {
        m_run = std::make_unique<WindowFixture>();
        {
            TravelDataStore data;
            data.setWorkingDirectory(m_run->dir.path());
            QVERIFY(data.Refresh().ok());
            TravelRecord paris = travel(QStringLiteral("Paris"), at(2006, 3, 31, 18));
            paris.end = at(2006, 4, 2);
            paris.from = QStringLiteral("Berlin");
            paris.destination = QStringLiteral("Paris");
            paris.notes = QStringLiteral("First line\r\n\r\nSecond line");
            m_paris = data.AddTravel(paris).key;
            QTest::qWait(1000);
            QVERIFY(data.AddTravel(travel(QStringLiteral("athens"), at(2006, 3, 10))).ok());
        }
        m_run->app.setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("en_US"))));
        m_frame = m_run->startOnFolder(QDate(2006, 3, 1));
        QVERIFY(m_frame);
    }

    void cleanup()
    {
        QVERIFY(m_run->prompter.unexpected.isEmpty());
        m_run.reset();
    }

    void layoutRules()
    {
        QCOMPARE(ListLayout::TravelListColumnWidths(700), (QList<int>{200, 150, 150, 100, 100}));
        QCOMPARE(ListLayout::NotesPieces(QStringLiteral("First line\r\n\r\nSecond line")),
                 (QStringList{QStringLiteral("First line"), QStringLiteral("Second line")}));
        QCOMPARE(ListLayout::NotesPieces(QString(120, QLatin1Char('x'))),
                 (QStringList{QString(50, QLatin1Char('x')), QString(50, QLatin1Char('x')),
                              QString(20, QLatin1Char('x'))}));
        // Twenty words of five letters: breaks at the last blank that fits.
        const QString words = QStringList(20, QStringLiteral("abcde")).join(QLatin1Char(' '));
        const QStringList pieces = ListLayout::NotesPieces(words);
        QCOMPARE(pieces.size(), 3);
        QCOMPARE(pieces[0], QStringList(8, QStringLiteral("abcde")).join(QLatin1Char(' ')));
        for (const QString& piece : pieces)
            QVERIFY(piece.size() <= 50);
        QCOMPARE(pieces.join(QLatin1Char(' ')), words);
        // Exactly 50 characters followed by a blank: the blank starts the next piece.
        const QString fifty = QString(50, QLatin1Char('y')) + QStringLiteral(" tail");
        QCOMPARE(ListLayout::NotesPieces(fifty),
                 (QStringList{QString(50, QLatin1Char('y')), QStringLiteral(" tail")}));
        QVERIFY(ListLayout::NotesPieces(QString()).isEmpty());

        const DisplayFormats us(QLocale(QStringLiteral("en_US")));
        TravelRecord bare = travel(QStringLiteral("Bare"), at(2006, 3, 1));
        QCOMPARE(ListLayout::TravelTooltip(bare, 1, us).split(QLatin1Char('\n')).size(), 3);
        QCOMPARE(ListLayout::TravelTooltip(bare, 3, us), QStringLiteral("Bare"));
        bare.from = QStringLiteral("Oslo");
        QCOMPARE(ListLayout::TravelTooltip(bare, 0, us),
                 QStringLiteral("Bare\nOslo\n\n3/1/06\n3/1/06"));
    }

    void sortingWithAnInvalidStart()
    {
        QList<TravelRecord> travels{travel(QStringLiteral("c"), at(2006, 3, 3)),
                                    travel(QStringLiteral("x"), at(2006, 3, 1)),
                                    travel(QStringLiteral("a"), at(2006, 3, 2))};
        travels[1].start.status = DateTimeValue::Invalid;
        ListLayout::SortTravels(travels, 3, QLocale(QStringLiteral("en_US")));
        QCOMPARE(titles(travels),
                 (QStringList{QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("c")}));
        ListLayout::SortTravels(travels, 8, QLocale(QStringLiteral("en_US")));
        QCOMPARE(titles(travels),
                 (QStringList{QStringLiteral("c"), QStringLiteral("x"), QStringLiteral("a")}));
        ListLayout::SortTravels(travels, 0, QLocale(QStringLiteral("en_US")));
        QCOMPARE(titles(travels),
                 (QStringList{QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("x")}));
        ListLayout::SortTravels(travels, 12, QLocale(QStringLiteral("en_US")));
        QCOMPARE(titles(travels),
                 (QStringList{QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("x")}));
    }

    void theHeaderSortsAndShowsItsSets()
    {
        CTravelListView* list = travelList();
        QVERIFY(list);
        QCOMPARE(titles(list->rows()),
                 (QStringList{QStringLiteral("athens"), QStringLiteral("Paris")}));
        CListHeaderCtrl* header = list->header();
        QCOMPARE(header->imageSet(0), 1); // marked at fill
        QSignalSpy sorts(header, &CListHeaderCtrl::sortRequested);
        const auto clickColumn = [&](int column) {
            const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        };
        clickColumn(3);
        QCOMPARE(header->imageSet(3), 1);
        QCOMPARE(header->imageSet(0), 0);
        clickColumn(3);
        QCOMPARE(header->imageSet(3), 2);
        QCOMPARE(header->imageIndex(3), 13);
        QCOMPARE(titles(list->rows()),
                 (QStringList{QStringLiteral("Paris"), QStringLiteral("athens")}));
        clickColumn(3);
        QCOMPARE(header->imageSet(3), 1);
        QCOMPARE(sorts.size(), 3);
        QCOMPARE(sorts[0].first().toInt(), 3);
        QCOMPARE(sorts[1].first().toInt(), 8);
        QCOMPARE(sorts[2].first().toInt(), 3);
        // Right of the last column: nothing.
        list->resize(900, 300);
        for (int column = 0; column < 5; ++column)
            list->list()->setColumnWidth(column, 60);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(850, 5));
        QCOMPARE(sorts.size(), 3);
        QCOMPARE(header->imageSet(3), 1);
    }

    void theTravelListFollowsTheMouse()
    {
        CTravelListView* list = travelList();
        m_frame->resize(1200, 800);
        QApplication::processEvents();
        // Paris starts on 31 March and ends in April: March only.
        QVERIFY(list->rows().size() == 2);
        m_frame->monthPicker()->setDate(QDate(2006, 4, 5));
        QVERIFY(travelList()->rows().isEmpty());
        m_frame->monthPicker()->setDate(QDate(2006, 3, 5));
        list = travelList();
        QCOMPARE(list->markedRow(), 0);

        QTreeWidget* rows = list->list();
        const QRect second = rows->visualItemRect(rows->topLevelItem(1));
        QSignalSpy menus(list, &CUpperView::contextMenuRequested);
        QTest::mouseClick(rows->viewport(), Qt::RightButton, {}, second.center());
        QTRY_COMPARE(menus.size(), 1);
        QCOMPARE(menus[0].first().toInt(), 5);
        QCOMPARE(list->markedRow(), 1);
        QCOMPARE(m_frame->imagesView() != nullptr, true);
        m_frame->contextMenu(5)->hide();
        // Below the last row: the "New" menu, and the mark stays.
        QTest::mouseClick(rows->viewport(), Qt::RightButton, {},
                          QPoint(20, rows->viewport()->height() - 5));
        QTRY_COMPARE(menus.size(), 2);
        QCOMPARE(menus[1].first().toInt(), 6);
        QCOMPARE(list->markedRow(), 1);
        m_frame->contextMenu(6)->hide();

        // A double click on no row does nothing; on a row it opens the travel.
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                          QPoint(20, rows->viewport()->height() - 5));
        QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {},
                           QPoint(20, rows->viewport()->height() - 5));
        QApplication::processEvents();
        QCOMPARE(m_frame->upperView()->kind(), 1);
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, second.center());
        QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, second.center());
        QTRY_COMPARE(m_frame->upperView()->kind(), 2);
        QCOMPARE(m_frame->tree()->currentItem(), m_frame->tree()->travelNode(m_paris));
    }

    void displayModesAndTips()
    {
        CTravelListView* list = travelList();
        m_frame->action(32790)->trigger(); // Icon: small icons
        QCOMPARE(list->displayMode(), 0);
        QVERIFY(list->iconList()->isVisibleTo(list));
        m_frame->action(59409)->trigger(); // Large Icon
        QCOMPARE(list->iconList()->iconSize(), QSize(32, 32));
        QCOMPARE(list->iconList()->item(1)->toolTip(),
                 QStringLiteral("Paris\nBerlin\nParis\n3/31/06\n4/2/06"));
        m_frame->action(32793)->trigger(); // Report
        QCOMPARE(list->list()->topLevelItem(1)->toolTip(0), QStringLiteral("Paris"));
        QVERIFY(!list->iconList()->isVisibleTo(list));
    }

    void theTravelDetailSheet()
    {
        m_frame->tree()->selectPath(m_paris, 0, RecordKey());
        auto* detail = qobject_cast<CTravelDetailListView*>(m_frame->upperView());
        QVERIFY(detail);
        QTreeWidget* rows = detail->list();
        QCOMPARE(rows->topLevelItemCount(), 15);
        QCOMPARE(rows->topLevelItem(1)->text(1), QStringLiteral("Paris"));
        QCOMPARE(rows->topLevelItem(13)->text(0), QStringLiteral("Notes "));
        QCOMPARE(rows->topLevelItem(13)->text(1), QStringLiteral("First line"));
        QCOMPARE(rows->topLevelItem(14)->text(1), QStringLiteral("Second line"));
        QCOMPARE(rows->topLevelItem(10)->text(0), QStringLiteral("Seat No "));
        QCOMPARE(rows->topLevelItem(5)->text(0), QStringLiteral("Start Date"));

        QCOMPARE(CTravelDetailListView::shortcutAt(500 - 154, 500), 0); // bounds are exclusive
        QCOMPARE(CTravelDetailListView::shortcutAt(500 - 153, 500), 1);
        QCOMPARE(CTravelDetailListView::shortcutAt(500 - 125, 500), 2);
        QCOMPARE(CTravelDetailListView::shortcutAt(500 - 116, 500), 0); // the gap after the second
        QCOMPARE(CTravelDetailListView::shortcutAt(500 - 100, 500), 3);

        // A right click changes nothing: the grey row stays where it was.
        const QRect row5 = rows->visualItemRect(rows->topLevelItem(5));
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, row5.center());
        QCOMPARE(rows->currentItem(), rows->topLevelItem(5));
        QTest::mouseClick(rows->viewport(), Qt::RightButton, {},
                          rows->visualItemRect(rows->topLevelItem(8)).center());
        QCOMPARE(rows->currentItem(), rows->topLevelItem(5));

        // The second icon opens the expense node; two pixels right of it, nothing.
        const auto clickFromRight = [rows](int offset) {
            const QRect cell = rows->visualRect(rows->model()->index(0, 1));
            QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                              QPoint(cell.right() - offset, cell.center().y()));
        };
        clickFromRight(116);
        QApplication::processEvents();
        QCOMPARE(m_frame->upperView(), detail);
        clickFromRight(126);
        QTRY_COMPARE(m_frame->upperView()->kind(), 4);
        QCOMPARE(m_frame->tree()->currentItem()->parent(), m_frame->tree()->travelNode(m_paris));
    }
};

QTEST_MAIN(ListViewsTest)
#include "tst_listviews.moc"
