#include "CliRun.h"
#include "CommandIds.h"
#include "ImportBookingDlg.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <signal.h>

namespace {

// One of each kind of booking in each form of time the extractor prints: a flight that
// lands the next day in another zone (offsets), a train in UTC with its zone named, a
// hotel with an offset and a zone, a boat in bare UTC, a bus and a taxi floating, an
// event floating in a named zone, a restaurant, and a rental car.
QByteArray everyKind()
{
    return readFile(QStringLiteral(VOYANTA_TEST_DATA "/bookings/every-kind.json"));
}

const char flight[] = R"([{"@type":"FlightReservation","reservationNumber":"XK7Q2P",
 "reservationFor":{"flightNumber":"400","airline":{"iataCode":"LH"},
 "departureAirport":{"iataCode":"FRA"},"departureTime":"2027-03-10T%1:00+01:00",
 "arrivalAirport":{"iataCode":"JFK"},"arrivalTime":"2027-03-10T%2:00-05:00"}}])";

// The boarding pass of that flight: its day alone.
const char boardingPass[] = R"([{"@type":"FlightReservation","reservationNumber":"XK7Q2P",
 "airplaneSeat":"42K","reservationFor":{"departureAirport":{"iataCode":"FRA"},
 "departureDay":"2027-03-10"}}])";

// A flight from Frankfurt at the departure to New York at the arrival (HH:mm).
QByteArray flightAt(const char* departure, const char* arrival)
{
    return QByteArray(flight).replace("%1", departure).replace("%2", arrival);
}

// Shell commands that print the JSON given.
QByteArray cat(const QByteArray& json)
{
    return "cat <<'END'\n" + json + "\nEND\n";
}

} // namespace

class BookingsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir* m_dir = nullptr;
    TestClock m_clock;
    QString m_installed; // where the extractor is looked for first
    int m_timeLimitMs = 20000;
    int m_stubs = 0;

    QString path(const QString& name) const { return m_dir->filePath(name); }

    CliRun cli(const QStringList& arguments)
    {
        CliContext context{path(QStringLiteral("Travel Images")), m_clock.function()};
        context.installedExtractor = m_installed;
        context.extractorTimeLimitMs = m_timeLimitMs;
        return runCli(QStringList{QStringLiteral("--workdir"), m_dir->path()} + arguments, context);
    }

    // An extractor that runs the shell commands given, whatever file it is handed.
    QString stub(const QByteArray& commands)
    {
        const QString program = path(QStringLiteral("extractor-%1.sh").arg(++m_stubs));
        writeFile(program, "#!/bin/sh\n" + commands + "\n");
        QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
        return program;
    }
    QString printing(const QByteArray& json) { return stub(cat(json)); }
    // An extractor that prints the JSON given for the e-mail and runs the commands given
    // for any other file.
    QString byFile(const QByteArray& mailJson, const QByteArray& others)
    {
        return stub("for last; do :; done\ncase \"$last\" in *.eml) " + cat(mailJson) + ";; *) " +
                    others + ";; esac");
    }
    QString mail() const { return path(QStringLiteral("mail.eml")); }

    CliRun importing(const QStringList& files, const QStringList& arguments = {})
    {
        return cli(QStringList{QStringLiteral("import-booking")} + files + arguments);
    }
    CliRun import(const QString& extractor, const QStringList& arguments = {})
    {
        return importing({mail()},
                         QStringList{QStringLiteral("--extractor"), extractor} + arguments);
    }

    TravelDataStore store()
    {
        TravelDataStore store;
        (void)openStore(store, m_dir->path(), &m_clock);
        return store;
    }

    // The travel's stages by date, each with its appointments, one line each.
    QString itinerary(const RecordKey& travelKey)
    {
        TravelDataStore data = store();
        const auto when = [](const DateTimeValue& value) {
            return value.toWallClock().toString(QStringLiteral("MM-dd HH:mm"));
        };
        QString text;
        for (const RecordKey& key : data.StagesOf(travelKey)) {
            const StageRecord stage = data.GetStage(key);
            text += QStringLiteral("%1 %2 | %3\n").arg(when(stage.date), stage.title, stage.place);
            for (const AppointmentRecord& appointment : data.LoadAppointments(key)) {
                text += QStringLiteral("  %1 %2 @ %3")
                            .arg(when(appointment.when), appointment.subject, appointment.location);
                if (!appointment.notes.isEmpty())
                    text += QStringLiteral(" [%1]").arg(
                        QString(appointment.notes)
                            .replace(QLatin1String("\r\n"), QLatin1String("; ")));
                text += QLatin1Char('\n');
            }
        }
        return text;
    }

private slots:
    void initTestCase()
    {
        // A zone of odd offset: no time may pass through this computer's zone.
        qputenv("TZ", "Asia/Kathmandu");
    }

    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        m_clock = TestClock{};
        m_installed = path(QStringLiteral("not-installed"));
        m_timeLimitMs = 20000;
        m_stubs = 0;
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta")).clear();
        QVERIFY(writeFile(mail(), "From: x\n\nbooked\n"));
        QCOMPARE(cli({QStringLiteral("init")}).exitCode, 0);
    }

    void cleanup() { delete m_dir; }

    void everyKindBecomesStagesAtLocalTimes()
    {
        const QString extractor = printing(everyKind());
        const CliRun preview = import(extractor, {QStringLiteral("--dry-run")});
        QCOMPARE(preview.exitCode, 0);
        QCOMPARE(preview.out.count(QLatin1Char('\n')), 9);
        QVERIFY(preview.out.startsWith(
            QStringLiteral("flight\t2027-03-10 22:05\tFrankfurt \u2192 New York JFK\tXK7Q2P\t42K\n"
                           "taxi\t2027-03-11 17:00\tHotel Lobby\tTX1\t\n")));
        QCOMPARE(store().TravelKeys().size(), 0);

        const CliRun run = import(extractor);
        QCOMPARE(run.exitCode, 0);
        const RecordKey key = run.out.section(QLatin1Char('\n'), 0, 0);
        QCOMPARE(run.out.count(QLatin1Char('\n')), 8); // the travel and seven stages
        const TravelRecord travel = store().GetTravel(key);
        // The mode is the default list's word, the status the nearest to "booked".
        QCOMPARE(
            QStringList({travel.title, travel.mode, travel.status, travel.ticketNo, travel.seatNo}),
            QStringLiteral("Trip to New York JFK|Flight|Planned|XK7Q2P|42K").split(u'|'));
        QCOMPARE(travel.start, at(2027, 3, 10, 22, 5));
        QCOMPARE(travel.end, at(2027, 3, 22, 11));
        COMPARE_TEXT(
            itinerary(key),
            QStringLiteral("03-10 22:05 LH 400 Frankfurt \u2192 New York JFK | Frankfurt\n"
                           "  03-10 22:05 Departure @ Frankfurt\n"
                           "  03-11 00:55 Arrival @ New York JFK [00:55 local time, UTC\u22125]\n"
                           "03-11 17:00 Taxi Yellow | Hotel Lobby\n"
                           "  03-11 17:00 Taxi Yellow @ Hotel Lobby [Booking: TX1 (taxi Yellow)]\n"
                           "  03-11 18:00 Table at Diner @ 1 Main St, New York [Booking: F1 "
                           "(restaurant Diner)]\n"
                           "  03-11 20:00 Concert @ Carnegie Hall [Booking: EV1 (event Concert); "
                           "20:00 local time, UTC\u22125]\n"
                           "03-12 09:00 Rental car: CarCo Compact | JFK Rental\n"
                           "  03-12 09:00 Pick-up @ JFK Rental\n"
                           "  03-14 09:00 Drop-off @ Newark Rental\n"
                           "03-15 08:00 N1 Newark \u2192 Boston | Newark\n"
                           "  03-15 08:00 Departure @ Newark\n"
                           "  03-15 12:30 Arrival @ Boston\n"
                           "03-16 12:00 Ferry Boston Pier \u2192 Provincetown | Boston Pier\n"
                           "  03-16 12:00 Departure @ Boston Pier [12:00 local time, UTC]\n"
                           "03-20 09:13 ICE 73 Basel \u2192 Z\u00fcrich | Basel\n"
                           "  03-20 09:13 Departure @ Basel\n"
                           "  03-20 10:10 Arrival @ Z\u00fcrich\n"
                           "03-20 15:00 Seeblick | Seestrasse 1, Z\u00fcrich\n"
                           "  03-20 15:00 Check-in @ Seeblick\n"
                           "  03-22 11:00 Check-out @ Seeblick\n"));
        QCOMPARE(store().GetStage(store().StagesOf(key).first()).notes,
                 QStringLiteral("Booking: XK7Q2P (flight from FRA)\r\nSeat: 42K\r\nPassenger: Ada "
                                "Example"));
    }

    // Importing a booking again changes the records it made: a rebooked flight moves,
    // and what the user added stays.
    void importingAgainChangesWhatItMade()
    {
        const CliRun first = import(printing(flightAt("10:05", "12:50")));
        QCOMPARE(first.exitCode, 0);
        const RecordKey key = first.out.section(QLatin1Char('\n'), 0, 0);
        TravelDataStore data = store();
        const RecordKey stageKey = data.StagesOf(key).first();
        StageRecord stage = data.GetStage(stageKey);
        stage.notes += QStringLiteral("\r\nWindow seat asked for");
        QVERIFY(data.SaveStage(stage).ok());
        QList<AppointmentRecord> appointments = data.LoadAppointments(stageKey);
        AppointmentRecord lounge(at(2027, 3, 10, 8));
        lounge.subject = QStringLiteral("Lounge");
        appointments.append(lounge);
        QVERIFY(data.SaveAppointments(stageKey, appointments).ok());
        m_clock.advance();

        const CliRun again = import(printing(flightAt("14:30", "17:15")));
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(again.out, key + QLatin1Char('\n') + stageKey + QLatin1Char('\n'));
        QCOMPARE(store().TravelKeys(), QList<RecordKey>{key});
        COMPARE_TEXT(
            itinerary(key),
            QStringLiteral("03-10 14:30 LH 400 FRA \u2192 JFK | FRA\n"
                           "  03-10 08:00 Lounge @ \n"
                           "  03-10 14:30 Departure @ FRA\n"
                           "  03-10 17:15 Arrival @ JFK [17:15 local time, UTC\u22125]\n"));
        // A table booked for that day joins the flight's stage.
        QCOMPARE(
            import(printing(R"([{"@type":"FoodEstablishmentReservation","reservationNumber":"F1",
            "startTime":"2027-03-10T20:00:00","reservationFor":{"name":"Diner"}}])"),
                   {QStringLiteral("--travel"), key})
                .exitCode,
            0);
        QVERIFY(itinerary(key).endsWith(QStringLiteral("  03-10 20:00 Table at Diner @ Diner "
                                                       "[Booking: F1 (restaurant Diner)]\n")));
        QCOMPARE(store().StagesOf(key), QList<RecordKey>{stageKey});
        // A boarding pass of the flight gives its day alone: the times stay, its seat is added.
        QCOMPARE(import(printing(boardingPass)).exitCode, 0);
        QCOMPARE(itinerary(key).count(QLatin1String("14:30")), 2);
        QCOMPARE(store().GetStage(stageKey).notes,
                 QStringLiteral("Booking: XK7Q2P (flight from FRA)\r\nSeat: 42K\r\nWindow seat "
                                "asked for"));

        // Into a travel named: its own stage, found there again the next time.
        const RecordKey otherKey = data.AddTravel(TravelRecord(at(2027, 3, 1))).key;
        for (int i = 0; i < 2; ++i)
            QCOMPARE(import(printing(everyKind()), {QStringLiteral("--travel"), otherKey}).exitCode,
                     0);
        QCOMPARE(store().StagesOf(otherKey).size(), 7);
        QCOMPARE(store().StagesOf(key).size(), 1);
        QCOMPARE(store().TravelKeys().size(), 2);
    }

    // A boarding pass imported with its confirmation only adds its seat.
    void aBoardingPassJoinsItsFlight()
    {
        QVERIFY(writeFile(path(QStringLiteral("pass.txt")), "M1EXAMPLE/ADA"));
        const CliRun run = importing(
            {path(QStringLiteral("pass.txt")), mail()},
            {QStringLiteral("--extractor"), byFile(flightAt("10:05", "12:50"), cat(boardingPass))});
        QCOMPARE(run.exitCode, 0);
        const TravelRecord travel = store().GetTravel(run.out.section(QLatin1Char('\n'), 0, 0));
        QCOMPARE(travel.start, at(2027, 3, 10, 10, 5));
        QCOMPARE(travel.seatNo, QStringLiteral("42K"));
        QCOMPARE(store().StagesOf(travel.key).size(), 1);
    }

    void failuresImportNothing_data()
    {
        QTest::addColumn<QByteArray>("commands");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing found")
            << QByteArray("echo '[ ]'") << 1 << QStringLiteral("No booking found in ");
        QTest::newRow("no reservation") << QByteArray("echo '[{\"@type\":\"Flight\"}]'") << 1
                                        << QStringLiteral("No booking found in ");
        QTest::newRow("not JSON") << QByteArray("echo 'Segmentation'") << 3
                                  << QStringLiteral("printed something other than JSON");
        QTest::newRow("failed") << QByteArray("echo 'cannot open' >&2; exit 4") << 3
                                << QStringLiteral("failed (exit status 4): cannot open");
        QTest::newRow("killed") << QByteArray("kill -9 $$") << 3 << QStringLiteral("crashed");
        QTest::newRow("too slow") << QByteArray("exec sleep 30") << 3
                                  << QStringLiteral("took longer than 0.3 s");
    }

    void failuresImportNothing()
    {
        QFETCH(QByteArray, commands);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        m_timeLimitMs = 300;
        QVERIFY(writeFile(path(QStringLiteral("ticket.pdf")), "%PDF-1.4"));
        const auto before = folderFingerprint(path(QStringLiteral("Voyanta Files")));
        // The file that works comes first: it is not imported either.
        const CliRun run =
            importing({mail(), path(QStringLiteral("ticket.pdf"))},
                      {QStringLiteral("--extractor"), byFile(everyKind(), commands)});
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message) && run.err.contains(QLatin1String("ticket.pdf")),
                 qPrintable(run.err));
        QCOMPARE(folderFingerprint(path(QStringLiteral("Voyanta Files"))), before);
    }

    void filesAreCheckedAndTheExtractorLookedFor()
    {
        const QString marker = path(QStringLiteral("ran"));
        const QString touching = stub("touch '" + marker.toUtf8() + "'; echo '[]'");
        QFile large(path(QStringLiteral("large.pdf")));
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(64 * 1024 * 1024 + 1));
        large.close();
        for (const QString& file :
             {large.fileName(), m_dir->path(), path(QStringLiteral("none"))}) {
            const CliRun refused = importing({file}, {QStringLiteral("--extractor"), touching});
            QCOMPARE(refused.exitCode, 2);
            QVERIFY(refused.err.contains(QDir::toNativeSeparators(file)));
        }
        QVERIFY(!QFile::exists(marker));

        const QByteArray searchPath = qgetenv("PATH");
        qputenv("PATH", m_dir->path().toUtf8());
        const CliRun missing = importing({mail()});
        QCOMPARE(missing.exitCode, 5);
        QVERIFY(
            missing.err.contains(QLatin1String("install the Debian package libkpimitinerary-bin")));
        qputenv("PATH", searchPath);
        QCOMPARE(import(path(QStringLiteral("nowhere"))).exitCode, 5);

        // The profile names one when none is installed; the one given wins.
        QSettings(QStringLiteral("Pellingham"), QStringLiteral("Voyanta"))
            .setValue(QStringLiteral("Bookings/Extractor"), printing(flightAt("10:05", "12:50")));
        const CliRun fromProfile = importing({mail()}, {QStringLiteral("--dry-run")});
        QCOMPARE(fromProfile.exitCode, 0);
        QCOMPARE(fromProfile.out.section(QLatin1Char('\t'), 0, 0), QStringLiteral("flight"));
        QCOMPARE(import(touching).exitCode, 1);
        QVERIFY(QFile::exists(marker));
        m_installed = touching;
        QCOMPARE(importing({mail()}).exitCode, 1);
    }

    // The extractor itself, on documents of each kind it reads.
    void theInstalledExtractorReadsDocuments_data()
    {
        const QByteArray html =
            readFile(QStringLiteral(VOYANTA_TEST_DATA "/bookings/confirmation.html"));
        const QString stages =
            QStringLiteral("03-10 10:05 LH 400 Frankfurt \u2192 New York JFK | Frankfurt\n"
                           "  03-10 10:05 Departure @ Frankfurt\n"
                           "  03-10 12:50 Arrival @ New York JFK [12:50 local time, UTC\u22125]\n"
                           "03-20 09:13 ICE 73 Basel SBB \u2192 Z\u00fcrich HB | Basel SBB\n"
                           "  03-20 09:13 Departure @ Basel SBB\n"
                           "  03-20 10:10 Arrival @ Z\u00fcrich HB\n"
                           "03-20 15:00 Hotel Seeblick | Seestrasse 1, Z\u00fcrich, CH\n"
                           "  03-20 15:00 Check-in @ Hotel Seeblick\n"
                           "  03-22 11:00 Check-out @ Hotel Seeblick\n");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("stages");
        QTest::newRow("web page") << QStringLiteral("confirmation.html") << html << stages;
        QTest::newRow("e-mail") << QStringLiteral("confirmation.eml")
                                << "From: bookings@example.com\r\nSubject: Your booking\r\n"
                                   "Date: Mon, 11 Jan 2027 10:00:00 +0100\r\nMIME-Version: 1.0\r\n"
                                   "Content-Type: text/html; charset=utf-8\r\n\r\n" +
                                       html
                                << stages;
        // The day of the year (069) is read in the year the test's clock gives.
        QTest::newRow("boarding pass")
            << QStringLiteral("pass.txt")
            << QByteArray("M1EXAMPLE/ADA         EXK7Q2P FRAJFKLH 0400 069Y042K0123 100")
            << QStringLiteral("03-10 00:00 LH 400 FRA \u2192 JFK | FRA\n"
                              "  03-10 00:00 Departure @ FRA [The booking gives no time]\n");
    }

    void theInstalledExtractorReadsDocuments()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, stages);
        m_installed = BookingExtractor::InstalledPath();
        if (BookingExtractor::Find({}).isEmpty())
            QSKIP("the booking extractor is not installed (scripts/install-deps.sh installs it)");
        QVERIFY(writeFile(path(name), content));
        const CliRun run = importing({path(name)});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const RecordKey key = run.out.section(QLatin1Char('\n'), 0, 0);
        COMPARE_TEXT(itinerary(key), stages);
        QCOMPARE(store().GetTravel(key).ticketNo, QStringLiteral("XK7Q2P"));
    }

    // The window's dialog reads in the background: Escape stops the extractor, the dialog
    // says why nothing came, or shows what came of all files in the order of their times.
    void theDialogReadsWithoutHoldingUpTheWindow()
    {
        const auto okEnabled = [](const CImportBookingDlg& dialog) {
            return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
        };
        const QString pidFile = path(QStringLiteral("pid"));
        BookingExtractor::Settings settings;
        settings.program = stub("echo $$ > '" + pidFile.toUtf8() + "'; exec sleep 30");
        CImportBookingDlg slow({mail()}, settings, QString());
        QVERIFY(slow.isReading());
        QTRY_VERIFY(readFile(pidFile).endsWith('\n'));
        QTest::keyClick(&slow, Qt::Key_Escape);
        QVERIFY(!slow.isReading());
        QCOMPARE(::kill(readFile(pidFile).trimmed().toInt(), 0), -1); // stopped, not left behind

        settings.program = stub("echo 'cannot open' >&2; exit 4");
        CImportBookingDlg failing({mail()}, settings, QString());
        QTRY_VERIFY(!failing.isReading());
        QVERIFY(failing.status()->text().endsWith(QLatin1String("exit status 4): cannot open")));
        QVERIFY(!okEnabled(failing));

        QVERIFY(writeFile(path(QStringLiteral("ticket.pdf")), "%PDF-1.4"));
        settings.program = byFile(everyKind(), cat(flightAt("10:05", "12:50")));
        CImportBookingDlg reading({mail(), path(QStringLiteral("ticket.pdf"))}, settings,
                                  QStringLiteral("Spring"));
        QVERIFY(!okEnabled(reading));
        QTRY_VERIFY(!reading.isReading());
        QCOMPARE(reading.preview()->topLevelItemCount(), 10);
        QCOMPARE(reading.preview()->topLevelItem(0)->text(1), QStringLiteral("2027-03-10 10:05"));
        QCOMPARE(reading.preview()->topLevelItem(1)->text(2),
                 QStringLiteral("Frankfurt \u2192 New York JFK"));
        QVERIFY(okEnabled(reading));
        QVERIFY(reading.intoSelectedTravel());
        control<QRadioButton>(&reading, Control::IntoNewTravel)->click();
        QVERIFY(!reading.intoSelectedTravel());
    }

    // Travel, Import Booking: into a new travel; then two files dropped together, which
    // the user sends to a new travel, not the one selected: into the same one again; then
    // into the travel selected.
    void theWindowImportsABooking()
    {
        if (BookingExtractor::Find({}).isEmpty())
            QSKIP("the booking extractor is not installed (scripts/install-deps.sh installs it)");
        WindowFixture run;
        const RecordKey other =
            addTitledTravel(*run.seed(), at(2027, 3, 2), QStringLiteral("Other"));
        CMainFrame* frame = run.startOnFolder(QDate(2027, 1, 1)); // not the bookings' month
        QVERIFY(frame);
        const QByteArray html =
            readFile(QStringLiteral(VOYANTA_TEST_DATA "/bookings/confirmation.html"));
        const QString file = run.dir.filePath(QStringLiteral("confirmation.html"));
        const QString mail = run.dir.filePath(QStringLiteral("confirmation.eml"));
        QVERIFY(writeFile(file, html));
        QVERIFY(writeFile(mail, "Subject: Booked\r\nContent-Type: text/html\r\n\r\n" + html));
        int shown = 0; // bookings the dialog listed
        const auto importInto = [&](Control target) {
            run.prompter.dialogs = {[target, &shown](QDialog* dialog) {
                auto* import = static_cast<CImportBookingDlg*>(dialog);
                control<QRadioButton>(import, target)->click();
                if (QTest::qWaitFor([&] { return !import->isReading(); }))
                    import->accept();
                shown = import->preview()->topLevelItemCount();
                return import->result();
            }};
        };
        const auto stagesOf = [&](const RecordKey& key) { return run.store.StagesOf(key).size(); };

        importInto(Control::IntoNewTravel);
        run.prompter.openNames = {file};
        frame->action(Cmd::ImportBooking)->trigger();
        QCOMPARE(run.store.TravelKeys().size(), 2);
        const RecordKey travelKey = frame->tree()->selection().travelKey;
        QVERIFY(travelKey != other);
        QCOMPARE(frame->tree()->selection().child, TreeChild::Stages);
        QCOMPARE(stagesOf(travelKey), 3);

        frame->tree()->selectPath(other, TreeChild::None, {});
        importInto(Control::IntoNewTravel);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file), QUrl::fromLocalFile(mail)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(frame, &drop);
        QTRY_VERIFY(run.prompter.dialogs.isEmpty());
        QCOMPARE(shown, 6);
        QCOMPARE(stagesOf(travelKey), 3);
        QCOMPARE(stagesOf(other), 0);

        frame->tree()->selectPath(other, TreeChild::None, {});
        importInto(Control::IntoSelectedTravel);
        run.prompter.openNames = {file};
        frame->action(Cmd::ImportBooking)->trigger();
        QCOMPARE(stagesOf(other), 3);
        QCOMPARE(run.store.TravelKeys().size(), 2);
        QVERIFY2(run.prompter.unexpected.isEmpty(), qPrintable(run.prompter.unexpected.join(u',')));
    }
};

QTEST_MAIN(BookingsTest)
#include "tst_bookings.moc"
