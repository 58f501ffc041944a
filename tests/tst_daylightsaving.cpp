#include "CliRun.h"
#include "ExportFile.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <ctime>

// A date-time is stored as a wall-clock time without a zone. Where the local clocks
// skip an hour when they go forward, such a time is still a time a user plans for (a
// night train leaving at 02:30), and it shows as stored everywhere.
class DaylightSavingTest : public QObject {
    Q_OBJECT

private slots:
    void gapTimesReadAsStoredEverywhere_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QTime>("time");
        // The clocks go from 02:00 to 03:00, and from 00:00 to 01:00, on these nights.
        QTest::newRow("gap at 02:00")
            << QByteArray("Europe/Berlin") << QDate(2027, 3, 28) << QTime(2, 30);
        QTest::newRow("gap at 00:00")
            << QByteArray("America/Havana") << QDate(2027, 3, 14) << QTime(0, 30);
    }

    void gapTimesReadAsStoredEverywhere()
    {
#ifndef Q_OS_UNIX
        QSKIP("time zones are set through TZ");
#endif
        QFETCH(QByteArray, zone);
        QFETCH(QDate, day);
        QFETCH(QTime, time);
        // For this row only: the next sets its own.
        qputenv("TZ", zone);
#ifdef Q_OS_UNIX
        tzset();
#endif
        if (QDateTime(day, time).isValid())
            QSKIP("this system's zone database has no gap there");

        // As a file holds it.
        const DateTimeValue value{double(QDate(1899, 12, 30).daysTo(day)) +
                                      time.msecsSinceStartOfDay() / 86400000.0,
                                  DateTimeValue::Valid};
        const QString stamp = day.toString(Qt::ISODate) + QLatin1Char(' ') +
                              time.toString(QStringLiteral("HH:mm:ss"));
        const QString shortTime = time.toString(QStringLiteral("HH:mm"));
        const DisplayFormats german(QLocale(QStringLiteral("de_DE")));
        const QString date = german.locale().toString(day, QLocale::ShortFormat);

        // A travel, a stage and an appointment at that moment, and midnight of that day.
        QTemporaryDir dir;
        TestClock clock;
        TravelDataStore store;
        QVERIFY(openStore(store, dir.path(), &clock));
        store.setDisplayFormats(german);
        TravelRecord travel(value);
        travel.title = QStringLiteral("Night train");
        travel.end = DateTimeValue::fromDate(day, QTime(0, 0));
        const RecordKey key = store.AddTravel(travel).key;
        StageRecord stage(value);
        stage.travelKey = key;
        stage.title = QStringLiteral("Platform");
        const RecordKey stageKey = store.AddStage(stage).key;
        AppointmentRecord appointment(value);
        appointment.subject = QStringLiteral("Board");
        QVERIFY(store.SaveAppointments(stageKey, {appointment}).ok());
        QCOMPARE(
            store.TravelsStartingIn(DateTimeValue::fromDate(QDate(day.year(), day.month(), 1))),
            QStringList{key});

        const auto run = [&](const QStringList& arguments) {
            const CliRun ran =
                runCli(QStringList{QStringLiteral("--workdir"), dir.path()} + arguments,
                       CliContext{dir.filePath(QStringLiteral("Images"))});
            return ran.exitCode == 0 ? ran.out : QStringLiteral("failed");
        };
        const QString midnight = day.toString(Qt::ISODate) + QStringLiteral(" 00:00:00");
        QCOMPARE(run({QStringLiteral("list"), QStringLiteral("--month"),
                      day.toString(QStringLiteral("yyyy-MM"))}),
                 key + QLatin1Char('\t') + stamp + QLatin1Char('\t') + midnight +
                     QStringLiteral("\tNight train\n"));
        QCOMPARE(run({QStringLiteral("stages"), key}),
                 stageKey + QLatin1Char('\t') + stamp + QStringLiteral("\tPlatform\n"));

        // The exports' layout is pinned by the export tests; here only the times in it.
        const QString text = QString::fromUtf8(RenderExportFile(store, key, ExportFormat::Text));
        QVERIFY2(text.contains(QStringLiteral("Start Date: %1\r\nEnd Date: %1\r\n").arg(date)),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Platform\r\n%1\r\n").arg(date)));
        QVERIFY(text.contains(QStringLiteral("\tBoard\r\n\t\t%1  %2\t\r\n").arg(date, shortTime)));

        // Floating times as stored; an appointment lasts one hour on the clock.
        const QString compact = day.toString(QStringLiteral("yyyyMMdd"));
        const QString next = day.addDays(1).toString(QStringLiteral("yyyyMMdd"));
        const QString hhmmss = time.toString(QStringLiteral("HHmmss"));
        const QString hourLater = time.addSecs(3600).toString(QStringLiteral("HHmmss"));
        const QDateTime stampUtc(QDate(2026, 12, 6), QTime(8, 0), Qt::UTC);
        const QString ics =
            QString::fromUtf8(RenderExportFile(store, key, ExportFormat::ICalendar, stampUtc));
        QCOMPARE(ics.count(QStringLiteral("DTSTART:%1T%2\r\n").arg(compact, hhmmss)), 2);
        QVERIFY2(ics.contains(QStringLiteral("DTSTART;VALUE=DATE:%1\r\nDTEND;VALUE=DATE:%2\r\n")
                                  .arg(compact, next)),
                 qPrintable(ics));
        QVERIFY(ics.contains(QStringLiteral("DTEND:%1T%2\r\n").arg(compact, hourLater)));

        // Made from the fields, as the dialogs and imports make it.
        QCOMPARE(DateTimeValue::fromDate(day, time), value);
        QCOMPARE(DateTimeValue::fromDateTime(QDateTime(day, time)), value);
    }
};

QTEST_GUILESS_MAIN(DaylightSavingTest)
#include "tst_daylightsaving.moc"
