#include "ExportFile.h"
#include "TestSupport.h"
#include "TravelDataStore.h"
#include "WholeTravel.h"

#include <QTemporaryDir>
#include <QTest>

#include <libical/ical.h>

namespace {

const QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

// Every text field of a record with markup, quotes, a line break and characters
// outside ASCII, told apart by the field's name.
QString hostile(const char* field)
{
    return QString::fromUtf8(field) + u8(R"( <b>"q" & 'a'</b>, x)") + u8("\r\nZürich €東京");
}

} // namespace

class ExportsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    TravelDataStore m_store;
    TestClock m_clock;
    RecordKey m_full;
    RecordKey m_empty;
    RecordKey m_oldTown;
    RecordKey m_hostile;
    const QDateTime m_stamp = QDateTime(QDate(2026, 12, 6), QTime(8, 0), Qt::UTC);

private slots:
    void initTestCase()
    {
        m_store.setWorkingDirectory(m_dir.path());
        m_store.setClock(m_clock.function());
        QVERIFY(m_store.Refresh().ok());

        TravelRecord travel(at(2006, 3, 5, 9));
        travel.title = u8(R"(Tour <b>"A&B"</b>)");
        travel.mode = QStringLiteral("Flight");
        travel.from = QStringLiteral("Paris");
        travel.destination = u8("Zürich");
        travel.notes = QStringLiteral("Bring\r\ncoat");
        travel.end = at(2006, 3, 12, 18, 30);
        travel.priority = QStringLiteral("High");
        travel.status = QStringLiteral("Planned");
        travel.type = QStringLiteral("Personal");
        travel.ticketNo = QStringLiteral("T1");
        travel.seatNo = QStringLiteral("12A");
        m_full = m_store.AddTravel(travel).key;
        m_empty = m_store.AddTravel(TravelRecord(at(2006, 4, 1, 8))).key;

        QVERIFY(m_store
                    .SaveCheckList(m_full, {{QStringLiteral("Passport"), 1},
                                            {QStringLiteral("Visa, stamps"), 0},
                                            {u8(R"(Say "hi")"), 1}})
                    .ok());
        QVERIFY(
            m_store
                .SaveExpenses(
                    m_full, {{QStringLiteral("Food"), 2, QStringLiteral("Kg"), 6.25, 12.5, 1},
                             {u8(R"(Hotel "Ritz", room)"), 3, QStringLiteral("Night"), 100, 300, 0},
                             {QStringLiteral("Taxi"), 1, QString(), 1234.5, 1234.5, 1}})
                .ok());
        StageRecord oldTown = stageOf(m_full, at(2006, 3, 6, 10), QStringLiteral("Old town"),
                                      QStringLiteral("Altstadt"));
        oldTown.notes = QStringLiteral("walk; look, listen");
        m_oldTown = m_store.AddStage(oldTown).key;
        AppointmentRecord lunch(at(2006, 3, 6, 12, 30));
        lunch.subject = QStringLiteral("Lunch");
        lunch.location = QStringLiteral("Zeughauskeller");
        lunch.notes = QStringLiteral("book");
        AppointmentRecord invalid(at(2006, 3, 6, 20));
        invalid.when.status = DateTimeValue::Invalid;
        invalid.subject = QStringLiteral("Someday");
        QVERIFY(m_store.SaveAppointments(m_oldTown, {lunch, invalid}).ok());
        StageRecord lake = stageOf(m_full, at(2006, 3, 7, 9), QStringLiteral("Lake"));
        QVERIFY(m_store.AddStage(lake).ok());
        StageRecord elsewhere = stageOf(m_store.AddTravel(TravelRecord(at(2006, 3, 1, 8))).key,
                                        at(2006, 3, 7, 9), QStringLiteral("Not this travel"));
        QVERIFY(m_store.AddStage(elsewhere).ok());

        TravelRecord nasty(at(2006, 5, 1, 7, 45));
        nasty.end = at(2006, 5, 3, 22, 15);
        for (auto [field, name] : {std::pair{&TravelRecord::title, "Title"},
                                   {&TravelRecord::mode, "Mode"},
                                   {&TravelRecord::from, "From"},
                                   {&TravelRecord::destination, "Destination"},
                                   {&TravelRecord::notes, "Notes"},
                                   {&TravelRecord::priority, "Priority"},
                                   {&TravelRecord::status, "Status"},
                                   {&TravelRecord::type, "Type"},
                                   {&TravelRecord::ticketNo, "Ticket"},
                                   {&TravelRecord::seatNo, "Seat"}})
            nasty.*field = hostile(name);
        m_hostile = m_store.AddTravel(nasty).key;
        StageRecord stage =
            stageOf(m_hostile, at(2006, 5, 2, 9), hostile("Stage"), hostile("Place"));
        stage.notes = hostile("Stage notes");
        const RecordKey stageKey = m_store.AddStage(stage).key;
        AppointmentRecord meeting(at(2006, 5, 2, 23, 30));
        meeting.subject = hostile("Subject");
        meeting.location = hostile("Location");
        meeting.notes = hostile("Appointment notes");
        QVERIFY(m_store.SaveAppointments(stageKey, {meeting}).ok());
        QVERIFY(m_store
                    .SaveCheckList(m_hostile, {{hostile("Done"), 1},
                                               {hostile("Open"), 0},
                                               {QStringLiteral("Two\nlines"), 0}})
                    .ok());
        QVERIFY(m_store
                    .SaveExpenses(m_hostile, {{hostile("Bought"), 1.5, hostile("Unit"), 2, 3, 1},
                                              {hostile("Wanted"), 2, hostile("Box"), 4, 8, 0}})
                    .ok());
    }

    void everyExportIsItsGoldenFile_data()
    {
        QTest::addColumn<QString>("travel");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("file");
        const auto add = [](const char* travel, ExportFormat format, const char* locale,
                            const char* file) {
            QTest::newRow(file) << QString::fromLatin1(travel) << int(format)
                                << QString::fromLatin1(locale) << QString::fromLatin1(file);
        };
        add("full", ExportFormat::Html, "en_US", "full-en_US.html");
        add("full", ExportFormat::Text, "en_US", "full-en_US.txt");
        add("full", ExportFormat::CheckListCsv, "en_US", "full-en_US-checklist.csv");
        add("full", ExportFormat::ExpensesCsv, "de_DE", "full-de_DE-expenses.csv");
        add("full", ExportFormat::ICalendar, "en_US", "full.ics");
        add("empty", ExportFormat::Html, "de_DE", "empty-de_DE.html");
        add("empty", ExportFormat::Text, "de_DE", "empty-de_DE.txt");
        add("empty", ExportFormat::CheckListCsv, "en_US", "empty-en_US-checklist.csv");
        add("empty", ExportFormat::ExpensesCsv, "en_US", "empty-en_US-expenses.csv");
        add("hostile", ExportFormat::Html, "en_US", "hostile-en_US.html");
        add("hostile", ExportFormat::Text, "en_US", "hostile-en_US.txt");
        add("hostile", ExportFormat::CheckListCsv, "en_US", "hostile-en_US-checklist.csv");
        add("hostile", ExportFormat::ExpensesCsv, "en_US", "hostile-en_US-expenses.csv");
        add("hostile", ExportFormat::ICalendar, "en_US", "hostile.ics");
    }

    void everyExportIsItsGoldenFile()
    {
        QFETCH(QString, travel);
        QFETCH(int, format);
        QFETCH(QString, locale);
        QFETCH(QString, file);
        const RecordKey key = travel == QLatin1String("full")    ? m_full
                              : travel == QLatin1String("empty") ? m_empty
                                                                 : m_hostile;
        m_store.setDisplayFormats(DisplayFormats(QLocale(locale)));
        const QByteArray actual = RenderExportFile(m_store, key, ExportFormat(format), m_stamp);
        // The expected export under tests/data/exports, byte for byte.
        const QString golden = QStringLiteral(VOYANTA_TEST_DATA "/exports/") + file;
        if (qEnvironmentVariableIsSet("VOYANTA_WRITE_GOLDEN")) // after a deliberate change
            QVERIFY(writeFile(golden, actual));
        const QByteArray expected = readFile(golden);
        QVERIFY2(!expected.isEmpty(), qPrintable(file));
        COMPARE_TEXT(QString::fromUtf8(actual), QString::fromUtf8(expected));
        QCOMPARE(actual, expected);
    }

    void aTravelTheStoreDoesNotHoldRendersEmptyTexts()
    {
        m_store.setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("en_US"))));
        const QString html = QString::fromUtf8(
            RenderExportFile(m_store, QStringLiteral("1999"), ExportFormat::Html, m_stamp));
        QVERIFY(html.contains(u8("<p><b>&nbsp; - </b></p>")));
        QVERIFY(html.contains(u8("Grand Total : <font color=\"#000099\">$0.00</font>")));
    }

    // The golden files pin the calendars byte for byte; here a real parser reads them back.
    void calendarParsesWithLibical()
    {
        const QByteArray ics = RenderExportFile(m_store, m_full, ExportFormat::ICalendar, m_stamp);
        icalcomponent* calendar = icalparser_parse_string(ics.constData());
        QVERIFY(calendar);
        // The travel, two stages and one appointment (the invalid one has no event), then
        // three to-dos.
        QCOMPARE(icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT), 4);
        QCOMPARE(icalcomponent_count_components(calendar, ICAL_VTODO_COMPONENT), 3);
        icalcomponent_free(calendar);

        // Markup, quotes, commas, line breaks and any script read back as written.
        const QByteArray hostileIcs =
            RenderExportFile(m_store, m_hostile, ExportFormat::ICalendar, m_stamp);
        calendar = icalparser_parse_string(hostileIcs.constData());
        QVERIFY(calendar);
        icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
        QCOMPARE(QString::fromUtf8(icalcomponent_get_summary(event)),
                 hostile("Title").replace(u8("\r\n"), u8("\n")));
        icalcomponent_free(calendar);
    }

    void theGatheredTravelKeepsTheStoresStageOrderForHtmlAndText()
    {
        // A stage made later but dated earlier: the calendar and the gathered travel go by
        // date; the HTML and text exports keep the order the store keeps.
        const RecordKey key = m_store.AddTravel(TravelRecord(at(2006, 6, 1))).key;
        for (const auto& [day, title] : {std::pair{3, "Later"}, {2, "Earlier"}}) {
            StageRecord stage = stageOf(key, at(2006, 6, day), QLatin1String(title));
            QVERIFY(m_store.AddStage(stage).ok());
        }

        const WholeTravel whole = GatherTravel(m_store, key);
        QCOMPARE(whole.stages.size(), 2);
        QCOMPARE(whole.stages[0].stage.title, QStringLiteral("Earlier"));
        const DisplayFormats formats(QLocale(QStringLiteral("en_US")));
        for (ExportFormat format : {ExportFormat::Html, ExportFormat::Text}) {
            const QString text = QString::fromUtf8(RenderExportFile(whole, formats, format));
            QVERIFY(text.indexOf(QLatin1String("Later")) < text.indexOf(QLatin1String("Earlier")));
        }
        const QString ics =
            QString::fromUtf8(RenderExportFile(whole, formats, ExportFormat::ICalendar, m_stamp));
        QVERIFY(ics.indexOf(QLatin1String("SUMMARY:Earlier")) <
                ics.indexOf(QLatin1String("SUMMARY:Later")));
    }

    void grandTotalsAreTheSumOfTheRowsShown()
    {
        // Totals worked out but not rounded: each export shows and sums them rounded.
        WholeTravel whole;
        whole.travel = TravelRecord(at(2006, 6, 1));
        for (const auto& [quantity, price] :
             {std::pair{0.5, 189.5}, {1.5, 115.25}, {4.0, 3.45}, {12.34, 24.9}})
            whole.expenses.append({QStringLiteral("x"), quantity, {}, price, quantity * price, 1});
        const DisplayFormats de(QLocale(QStringLiteral("de_DE")));
        for (ExportFormat format :
             {ExportFormat::Html, ExportFormat::Text, ExportFormat::ExpensesCsv}) {
            const QString text = QString::fromUtf8(RenderExportFile(whole, de, format));
            QVERIFY2(text.contains(u8("588,70\u00a0€")), qPrintable(text));
            QVERIFY(format == ExportFormat::Text || text.contains(u8("172,88\u00a0€")));
        }
        QCOMPARE(ExpensesCaption(whole.expenses, de), u8("Expenses [4/4] - 588,70\u00a0€"));
        // A home currency with three decimals keeps them in the Grand Total of every export.
        DisplayFormats dinar(QLocale(QStringLiteral("en_US")));
        dinar.setCurrency(QStringLiteral("KWD"));
        for (ExportFormat format : {ExportFormat::Html, ExportFormat::Text}) {
            const QString text = QString::fromUtf8(RenderExportFile(whole, dinar, format));
            QVERIFY2(text.contains(QLatin1String("588.691")), qPrintable(text));
        }
    }
};

QTEST_GUILESS_MAIN(ExportsTest)
#include "tst_exports.moc"
