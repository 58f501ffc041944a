#include "IconListCtrl.h"
#include "ImagesView.h"
#include "ListCtrl.h"
#include "ListHeaderCtrl.h"
#include "ModelRoles.h"
#include "TravelDetailListView.h"
#include "TravelDetailModel.h"
#include "TravelListModel.h"
#include "TravelListView.h"
#include "Watermark.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QWheelEvent>

// The wiring of the travel list and the travel detail in the real window: header
// clicks, mouse, menus, display modes. Their rows and orders are the models' tests.
class ListViewsTest : public WindowTest {
    Q_OBJECT

private:
    RecordKey m_paris;

    CTravelListView* travelList() const { return upper<CTravelListView>(); }

private slots:
    void init()
    {
        seedRun([this](TravelDataStore* data) {
            TravelRecord paris(at(2006, 3, 31, 18));
            paris.title = QStringLiteral("Paris");
            paris.end = at(2006, 4, 2);
            paris.from = QStringLiteral("Berlin");
            paris.destination = QStringLiteral("Paris");
            paris.notes = QStringLiteral("First line\r\n\r\nSecond line");
            m_paris = data->AddTravel(paris).key;
            QVERIFY(!addTitledTravel(*data, at(2006, 3, 10), QStringLiteral("athens")).isEmpty());
        });
        m_run->app.setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("en_US"))));
        startWindow(QDate(2006, 3, 1));
    }

    void cleanup() { endRun(); }

    void theHeaderSortsAndShowsItsSets()
    {
        CTravelListView* list = travelList();
        QVERIFY(list);
        list->markRow(1); // Paris
        CListHeaderCtrl* header = list->header();
        QCOMPARE(header->imageSet(0), 1); // marked at fill
        QSignalSpy sorts(header, &CListHeaderCtrl::sortRequested);
        list->resize(900, 300);
        clickSection(header, 3);
        QCOMPARE(header->imageSet(0), 0);
        clickSection(header, 3);
        QCOMPARE(header->imageSet(3), 2);
        // The marked row follows the sort.
        QCOMPARE(column(list->model()),
                 (QStringList{QStringLiteral("Paris"), QStringLiteral("athens")}));
        QCOMPARE(list->markedRow(), 0);
        QCOMPARE(list->shownTravel(), m_paris);
        clickSection(header, 3);
        QCOMPARE(header->imageSet(3), 1);
        QCOMPARE(sorts.size(), 3);
        QCOMPARE(sorts[1].first().toInt(), 8);
        // Right of the last column: nothing.
        list->report()->setColumnWidthRule([](int) { return QList<int>{60, 60, 60, 60, 60}; });
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(850, 5));
        QCOMPARE(sorts.size(), 3);
        // A new fill shows the first column sorted in its first order again.
        m_frame->monthPicker()->setDate(QDate(2006, 3, 2));
        QCOMPARE(travelList()->header()->imageSet(0), 1);
        QCOMPARE(travelList()->header()->imageSet(3), 0);
    }

    void theTravelListFollowsTheMouse()
    {
        m_frame->monthPicker()->setDate(QDate(2006, 3, 5));
        CTravelListView* list = travelList();
        QCOMPARE(list->markedRow(), 0);

        CListCtrl* rows = list->report();
        const QRect second = rows->visualRect(list->model()->index(1, 0));
        QSignalSpy menus(list, &CUpperView::contextMenuRequested);
        QTest::mouseClick(rows->viewport(), Qt::RightButton, {}, second.center());
        QTRY_COMPARE(menus.size(), 1);
        QCOMPARE(menus[0].first().value<PopupMenu>(), PopupMenu::ModDel);
        QCOMPARE(list->markedRow(), 1);
        m_frame->popupMenu(PopupMenu::ModDel)->hide();
        // Below the last row: the "New" menu, and the mark stays.
        QTest::mouseClick(rows->viewport(), Qt::RightButton, {},
                          QPoint(20, rows->viewport()->height() - 5));
        QTRY_COMPARE(menus.size(), 2);
        QCOMPARE(menus[1].first().value<PopupMenu>(), PopupMenu::New);
        QCOMPARE(list->markedRow(), 1);
        m_frame->popupMenu(PopupMenu::New)->hide();

        // A double click on no row does nothing; on a row it opens the travel.
        QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {},
                           QPoint(20, rows->viewport()->height() - 5));
        QApplication::processEvents();
        QCOMPARE(m_frame->upperView()->kind(), ViewKind::TravelList);
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, second.center());
        QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, second.center());
        QTRY_COMPARE(m_frame->upperView()->kind(), ViewKind::TravelDetail);
        QCOMPARE(m_frame->tree()->currentIndex(), m_frame->tree()->travelNode(m_paris));
    }

    void displayModesShareRowsAndMark()
    {
        CTravelListView* list = travelList();
        list->markRow(1);
        // Small icons; the switch of modes and their shared mark are the stage list's tests.
        m_frame->action(Cmd::ViewIcon)->trigger();
        QCOMPARE(list->icons()->iconSize(), QSize(16, 16));
        // A click in the icons marks the row for the commands too.
        const QRect first = list->icons()->visualRect(list->model()->index(0, 0));
        QTest::mouseClick(list->icons()->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(list->markedRow(), 0);
        QCOMPARE(m_frame->imagesView()->travelKey(), list->model()->travel(0).key);
        m_frame->action(Cmd::ViewReport)->trigger();
        QCOMPARE(list->report()->currentIndex().row(), 0);
    }

    void theWatermarkStaysWhileTheRowsScroll()
    {
        CListCtrl list;
        QStandardItemModel rows(60, 1);
        list.setModel(&rows);
        QPixmap picture(40, 40);
        picture.fill(Qt::red);
        list.setWatermark(picture);
        list.resize(300, 240);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QPoint place = list.viewport()->mapTo(&list, QPoint(0, 0)) +
                             WatermarkPosition(list.viewport()->rect(), picture.size());
        // A turn of the wheel moves the rows, not the picture: what the window shows then
        // has it whole in its place and no copy of it above.
        const QPoint inside(list.viewport()->width() / 2, list.viewport()->height() / 2);
        QWheelEvent wheel(inside, list.viewport()->mapToGlobal(inside), {}, {0, -120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list.viewport(), &wheel);
        QVERIFY(list.verticalScrollBar()->value() > 0);
        QCoreApplication::processEvents();
        const QImage shown = list.screen()->grabWindow(list.winId()).toImage();
        QCOMPARE(shown.pixelColor(place + QPoint(20, 20)), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(place + QPoint(39, 39)), QColor(Qt::red));
        for (int above = 1; above <= 40; ++above)
            QVERIFY(shown.pixelColor(place + QPoint(20, -above)) != QColor(Qt::red));
    }

    void theTravelDetailSheet()
    {
        m_frame->tree()->selectPath(m_paris, TreeChild::None, RecordKey());
        auto* detail = upper<CTravelDetailListView>();
        QVERIFY(detail);
        CListCtrl* rows = detail->list();

        // A right click changes nothing: the grey row stays where it was.
        const QRect row5 = rows->visualRect(detail->model()->index(5, 0));
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, row5.center());
        QCOMPARE(rows->markedRow(), 5);
        QTest::mouseClick(rows->viewport(), Qt::RightButton, {}, cellCentre(rows, 8));
        QCOMPARE(rows->markedRow(), 5);

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
        QTRY_COMPARE(m_frame->upperView()->kind(), ViewKind::ExpenseList);
        QCOMPARE(m_frame->tree()->currentIndex().parent(), m_frame->tree()->travelNode(m_paris));
    }
};

QTEST_MAIN(ListViewsTest)
#include "tst_listviews.moc"
