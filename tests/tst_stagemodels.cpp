#include "DetailSheetStyle.h"
#include "ModelRoles.h"
#include "StageDetailModel.h"
#include "StageListModel.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QFont>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

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

// The stage list's and the stage detail's models without a window: what each row shows,
// the orders, and the appointment section coming and going with the working copy.
class StageModelsTest : public QObject {
    Q_OBJECT

private slots:
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
        QCOMPARE(model.rowOf(QStringLiteral("Belem-key")), 1);
        QCOMPARE(model.rowOf(QStringLiteral("none")), -1);
    }

    void stageListSortCodes()
    {
        StageListModel model(us);
        const auto checked = tester(&model);
        StageRecord undated = stage(QStringLiteral("undated"), invalidDate(), QStringLiteral("b"));
        model.setStages(QStringLiteral("T"),
                        {stage(QStringLiteral("zeta"), at(2006, 3, 9), QStringLiteral("a")),
                         undated,
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
        const QCollator collator(us.locale());
        QCOMPARE(StageListModel::compare(undated, model.stage(0), 1, collator), 0);
        QCOMPARE(StageListModel::compare(model.stage(2), model.stage(0), 1, collator), 1);
    }

    void bothModelsFillFromTheStore()
    {
        QTemporaryDir dir;
        TravelDataStore store;
        TestClock clock;
        store.setClock(clock.function());
        store.setWorkingDirectory(dir.path());
        QVERIFY(store.Refresh().ok());
        const RecordKey lisbon = store.AddTravel(TravelRecord(at(2006, 3, 5))).key;
        const RecordKey rome = store.AddTravel(TravelRecord(at(2006, 3, 5))).key;
        RecordKey early;
        for (const auto& [travel, title] :
             {std::pair{lisbon, QStringLiteral("Late")}, std::pair{rome, QStringLiteral("Rome")},
              std::pair{lisbon, QStringLiteral("Early")}}) {
            StageRecord s = stage(title, at(2006, 3, title == QLatin1String("Late") ? 9 : 6));
            s.travelKey = travel;
            early = store.AddStage(s).key;
        }
        StageListModel list(us);
        list.fill(store, lisbon);
        QCOMPARE(column(&list, 0), (QStringList{QStringLiteral("Early"), QStringLiteral("Late")}));
        QCOMPARE(list.stage(0).travelKey, lisbon);
        list.fill(store, QStringLiteral("20990101000000000"));
        QCOMPARE(list.rowCount(), 0);

        QVERIFY(store
                    .SaveAppointments(early, {appointment(QStringLiteral("b"), at(2006, 3, 8)),
                                              appointment(QStringLiteral("a"), at(2006, 3, 7))})
                    .ok());
        StageDetailModel detail(us);
        detail.fill(store, early);
        QCOMPARE(detail.stageKey(), early);
        QCOMPARE(column(&detail, 1).mid(8),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    }

    void stageDetailRows()
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
    }

    void stageDetailNotesPieces()
    {
        StageDetailModel model(us);
        StageRecord s = stage(QStringLiteral("Notes"), at(2006, 3, 6));
        // Exactly 50 characters stay one row.
        s.notes = QString(50, QLatin1Char('x'));
        model.setStage(s, {});
        QCOMPARE(model.rowCount(), 6);
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
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        // The first appointment brings the empty row and the heading before it.
        QCOMPARE(model.addAppointment(appointment(QStringLiteral("Fado"), at(2006, 3, 6, 21, 5, 42),
                                                  QStringLiteral("Tasca"))),
                 8);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted[0][1].toInt(), 6);
        QCOMPARE(inserted[0][2].toInt(), 8);
        QVERIFY(!model.isAppointmentRow(7));
        QVERIFY(model.isAppointmentRow(8));
        // The date, a blank and the time without seconds; the subject "at" the location.
        QCOMPARE(model.index(8, 0).data().toString(), QStringLiteral("3/6/06 9:05 PM"));
        QCOMPARE(model.index(8, 1).data().toString(), QStringLiteral("Fado at Tasca"));
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
        // Deleting one leaves the section; deleting the last takes its two rows too.
        model.removeAppointment(8);
        QCOMPARE(model.appointment(8).subject, QStringLiteral("Tram"));
        model.removeAppointment(8);
        QCOMPARE(model.rowCount(), 6);
        QVERIFY(!model.hasAppointmentSection());
        QVERIFY(model.appointments().isEmpty());

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
};

QTEST_MAIN(StageModelsTest)
#include "tst_stagemodels.moc"
