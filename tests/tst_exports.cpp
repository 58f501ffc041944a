#include "ExportFile.h"
#include "HtmlExport.h"
#include "TestSupport.h"
#include "TravelDataStore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <libical/ical.h>

namespace {

const QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

// The HTML fragments, spelled out once more by hand.
const char sectionBanner[] =
    R"(<table border="0" cellpadding="0" cellspacing="0" width="100%" bgcolor="#99CCFF"><tr><td width="100%"><p align="center"><b><font color="#0000FF">)";
const char bannerEnd[] = "</font></b></td></tr></table>";
const char tableHead[] =
    R"(<table border="1" cellpadding="0" cellspacing="0" style="border-collapse: collapse" bordercolor="#003399" width="100%" id="AutoNumber2"><tr><td width="30%" align="center" bgcolor="#31699C"><b><font color="#FFFFFF" size="2">Item</font></b></td><td width="30%" align="center" bgcolor="#31699C"><b><font color="#FFFFFF" size="2">Detail</font></b></td><td width="30%" align="center" bgcolor="#31699C"><b><font color="#FFFFFF" size="2">Total</font></b></td></tr>)";

QString travelPart(const char* title, const char* dates, const char* fromTo, const char* mode,
                   const char* ticket, const char* seat, const char* type, const char* priority,
                   const char* status, const char* notes)
{
    return u8(R"(<table border="0" cellpadding="0" cellspacing="0" style="border-collapse: collapse" width="100%" bgcolor="#99CCFF"><tr><td width="100%"><p align="center"><b>)") +
           u8(title) + u8("</b></td></tr></table><p><b>&nbsp;") + u8(dates) +
           u8("</b></p><p><b>&nbsp;") + u8(fromTo) +
           u8(R"(</b></p><p><b><font color="#0099FF"> &nbsp;Mode of Travel </font>: )") + u8(mode) +
           u8(R"(</b></p><p><b><font color="#0099FF"> &nbsp;Ticket No</font> : )") + u8(ticket) +
           u8(R"(</b></p><p><b><font color="#0099FF"> &nbsp;Seat No</font> : )") + u8(seat) +
           u8(R"(</b></p><p><b><font color="#0099FF"> &nbsp;Type</font> : )") + u8(type) +
           u8(R"(</b></p><p><b><font color="#0099FF"> &nbsp;Priority</font> : )") + u8(priority) +
           u8(R"(</b></p><p><b><font color="#0099FF"> &nbsp;Status</font> : )") + u8(status) +
           u8("</b></p><p><b>&nbsp;&nbsp;&nbsp;&nbsp;") + u8(notes) + u8("</b></p>");
}

QString section(const char* name)
{
    return u8(sectionBanner) + u8(name) + u8(bannerEnd);
}

QString expenseRow(const char* product, const char* quantity, const char* total)
{
    return u8(R"(<tr><td width="33%"><b><font size="2">&nbsp;)") + u8(product) +
           u8(R"(</font></b></td><td width="33%"><b><font size="2">&nbsp;)") + u8(quantity) +
           u8(R"(</font></b></td><td width="34%"><b><p font size="2" align="right">)") + u8(total) +
           u8("</p></font></b></td></tr>");
}

QString grandTotal(const char* sum)
{
    return u8(R"(</table><p align="right"><b><font size="2"><br>Grand Total : <font color="#000099">)") +
           u8(sum) + u8("</font><br>(for purchased items only)</font></b></p>");
}

QString stageBanner(const char* title)
{
    return u8(R"(<table border="0" cellpadding="0" cellspacing="0" width="100%" bgcolor="#D8D8D8"><tr><td width="100%"><p align="center"><b><font color="#0000FF">)") +
           u8(title) + u8(bannerEnd);
}

// The whole HTML export of the travel with everything attached, in en_US.
QString expectedFullHtml()
{
    return u8(R"(<meta charset="utf-8">)") +
           travelPart("Tour &lt;b&gt;&quot;A&amp;B&quot;&lt;/b&gt;", "3/5/06 - 3/12/06",
                      "Paris - Zürich", "Flight", "T1", "12A", "Personal", "High", "Planned",
                      "Bring\r\ncoat") +
           section("Check List") +
           u8(R"(<ul TYPE = "Disc"><li><strike>Passport</strike><li>Visa, stamps<li><strike>Say &quot;hi&quot;</strike></ul>)") +
           section("Expenses") + u8("<br>") + u8(tableHead) +
           expenseRow("<strike>Food</strike>", "2.00", "$12.50") +
           expenseRow("Hotel &quot;Ritz&quot;, room", "3.00", "$300.00") +
           expenseRow("<strike>Taxi</strike>", "1.00", "$1,234.50") + grandTotal("$1,247.00") +
           section("Stages") + u8("<br>") + stageBanner("Old town") +
           u8("3/6/06   Altstadt<br>walk; look, listen</p>") +
           u8(R"(<ul TYPE = "Square"><li><font Color = "#7f007f">Lunch</font><br>3/6/06  12:30 PM at Zeughauskeller<br>book<br>)") +
           u8(R"(<li><font Color = "#7f007f">Someday</font><br>   at <br><br></ul>)") +
           stageBanner("Lake") + u8("3/7/06   <br></p>") + u8(R"(<ul TYPE = "Square"></ul>)");
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
    const QDateTime m_stamp = QDateTime(QDate(2026, 12, 6), QTime(8, 0), Qt::UTC);

    QString render(ExportFormat format, const RecordKey& key, const char* locale)
    {
        m_store.setDisplayFormats(DisplayFormats(QLocale(QLatin1String(locale))));
        return QString::fromUtf8(RenderExportFile(m_store, key, format, m_stamp));
    }

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
        QCOMPARE(m_full, QStringLiteral("2006030509012110"));

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
        StageRecord oldTown(at(2006, 3, 6, 10));
        oldTown.travelKey = m_full;
        oldTown.title = QStringLiteral("Old town");
        oldTown.place = QStringLiteral("Altstadt");
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
        StageRecord lake(at(2006, 3, 7, 9));
        lake.travelKey = m_full;
        lake.title = QStringLiteral("Lake");
        QVERIFY(m_store.AddStage(lake).ok());
        StageRecord elsewhere(at(2006, 3, 7, 9));
        elsewhere.travelKey = m_store.AddTravel(TravelRecord(at(2006, 3, 1, 8))).key;
        elsewhere.title = QStringLiteral("Not this travel");
        QVERIFY(m_store.AddStage(elsewhere).ok());
    }

    void htmlOfATravelWithEverything()
    {
        COMPARE_TEXT(render(ExportFormat::Html, m_full, "en_US"), expectedFullHtml());
    }

    void htmlOfAnEmptyTravel()
    {
        const QString expected =
            u8(R"(<meta charset="utf-8">)") +
            travelPart("", "01.04.06 - 01.04.06", " - ", "", "", "", "", "", "", "") +
            section("Check List") + u8(R"(<ul TYPE = "Disc"></ul>)") + section("Expenses") +
            u8("<br>") + u8(tableHead) + grandTotal("0,00\u00a0€") + section("Stages") + u8("<br>");
        COMPARE_TEXT(render(ExportFormat::Html, m_empty, "de_DE"), expected);
        // A key the store does not hold: a travel part with empty texts.
        QVERIFY(
            render(ExportFormat::Html, QStringLiteral("1999"), "en_US").contains(u8(" - </b>")));
    }

    void textInTwoLocales()
    {
        const QString english =
            u8("Title: Tour <b>\"A&B\"</b>\r\nFrom: Paris\r\nDestination: Zürich\r\n"
               "Start Date: 3/5/06\r\nEnd Date: 3/12/06\r\nMode: Flight\r\nType: Personal\r\n"
               "Priority: High\r\nStatus:\tPlanned\r\nTicket No:\tT1\r\nSeat No: 12A\r\n"
               "Notes: Bring\r\ncoat\r\n\r\n"
               "Check List:\r\n\r\n\tPassport[Done]\r\n\tVisa, stamps\r\n\tSay \"hi\"[Done]\r\n\r\n"
               "Expenses:\r\n\r\nPurchased:\r\n\tFood\r\n\tTaxi\r\n\r\n"
               "Not Purchased:\r\n\tHotel \"Ritz\", room\r\n\r\nGrand Total\t$1,247.00\r\n\r\n"
               "Stages:\r\n\r\n"
               "Old town\r\n3/6/06\r\nAltstadt\r\nwalk; look, listen\r\n\r\n"
               "Appointments:\r\n\r\n\tLunch\r\n\t\t3/6/06  12:30 PM\tZeughauskeller\r\n\r\n"
               "\tSomeday\r\n\t\t  \t\r\n\r\n"
               "Lake\r\n3/7/06\r\n\r\n\r\n\r\nAppointments:\r\n\r\n");
        COMPARE_TEXT(render(ExportFormat::Text, m_full, "en_US"), english);

        const QString german = u8(
            "Title: \r\nFrom: \r\nDestination: \r\nStart Date: 01.04.06\r\nEnd Date: 01.04.06\r\n"
            "Mode: \r\nType: \r\nPriority: \r\nStatus:\t\r\nTicket No:\t\r\nSeat No: \r\n"
            "Notes: \r\n\r\n"
            "Check List:\r\n\r\n\r\n"
            "Expenses:\r\n\r\nPurchased:\r\n\r\nNot Purchased:\r\n\r\nGrand "
            "Total\t0,00\u00a0€\r\n\r\n"
            "Stages:\r\n\r\n");
        COMPARE_TEXT(render(ExportFormat::Text, m_empty, "de_DE"), german);
    }

    void csvFollowsRfc4180()
    {
        QCOMPARE(render(ExportFormat::CheckListCsv, m_full, "en_US"),
                 u8("Check List Item,Check Condition\r\nPassport,Checked\r\n"
                    "\"Visa, stamps\",Not Checked\r\n\"Say \"\"hi\"\"\",Checked\r\n\r\n"));
        QCOMPARE(render(ExportFormat::CheckListCsv, m_empty, "en_US"),
                 u8("Check List Item,Check Condition\r\n\r\n"));
        QCOMPARE(
            render(ExportFormat::ExpensesCsv, m_full, "de_DE"),
            u8("\"Status\",\"Item\",\"Quantity\",\"Unit\",\"Price\",\"Total\"\r\n"
               "\"Purchased\",\"Food\",\"2.00\",\"Kg\",\"6,25\u00a0€\",\"12,50\u00a0€\"\r\n"
               "\"Not Purchased\",\"Hotel \"\"Ritz\"\", room\",\"3.00\",\"Night\","
               "\"100,00\u00a0€\",\"300,00\u00a0€\"\r\n"
               "\"Purchased\",\"Taxi\",\"1.00\",\"\",\"1.234,50\u00a0€\",\"1.234,50\u00a0€\"\r\n"
               "\r\n,,,,\"Grand Total\",\"1.247,00\u00a0€\""));
        QCOMPARE(render(ExportFormat::ExpensesCsv, m_empty, "en_US"),
                 u8("\"Status\",\"Item\",\"Quantity\",\"Unit\",\"Price\",\"Total\"\r\n\r\n"
                    ",,,,\"Grand Total\",\"$0.00\""));
    }

    void calendarParsesWithLibical()
    {
        const QByteArray ics = RenderExportFile(m_store, m_full, ExportFormat::ICalendar, m_stamp);
        QVERIFY(ics.endsWith("END:VCALENDAR\r\n"));
        icalcomponent* calendar = icalparser_parse_string(ics.constData());
        QVERIFY(calendar);
        QMap<QString, icalcomponent*> byUid;
        for (auto kind : {ICAL_VEVENT_COMPONENT, ICAL_VTODO_COMPONENT}) {
            for (icalcomponent* c = icalcomponent_get_first_component(calendar, kind); c;
                 c = icalcomponent_get_next_component(calendar, kind))
                byUid.insert(QString::fromUtf8(icalcomponent_get_uid(c)), c);
        }
        const QString stage = m_oldTown;
        // The travel, two stages and one appointment (the invalid one has no event),
        // then three to-dos.
        QCOMPARE(
            byUid.keys(),
            (QStringList{
                QStringLiteral("appointment-%1-1@voyanta").arg(stage),
                QStringLiteral("checklist-%1-1@voyanta").arg(m_full),
                QStringLiteral("checklist-%1-2@voyanta").arg(m_full),
                QStringLiteral("checklist-%1-3@voyanta").arg(m_full),
                QStringLiteral("stage-%1@voyanta").arg(stage),
                QStringLiteral("stage-%1@voyanta").arg(m_full + QStringLiteral("2006030509012111")),
                QStringLiteral("travel-%1@voyanta").arg(m_full)}));
        icalcomponent* travel = byUid.value(QStringLiteral("travel-%1@voyanta").arg(m_full));
        QCOMPARE(QString::fromUtf8(icalcomponent_get_summary(travel)), u8(R"(Tour <b>"A&B"</b>)"));
        QCOMPARE(QString::fromUtf8(icalcomponent_get_location(travel)), u8("Zürich"));
        QCOMPARE(QString::fromUtf8(icalcomponent_get_description(travel)),
                 u8("From: Paris\nMode: Flight\nType: Personal\nPriority: High\nStatus: Planned\n"
                    "Ticket No: T1\nSeat No: 12A\n\nBring\ncoat"));
        const icaltimetype start = icalcomponent_get_dtstart(travel);
        QCOMPARE(start.hour, 9);
        QVERIFY(!start.zone && !icaltime_is_utc(start)); // no zone: local time
        icalcomponent* oldTown = byUid.value(QStringLiteral("stage-%1@voyanta").arg(stage));
        QVERIFY(icalcomponent_get_dtstart(oldTown).is_date);
        QCOMPARE(QString::fromUtf8(icalcomponent_get_description(oldTown)),
                 QStringLiteral("walk; look, listen"));
        icalcomponent* lunch = byUid.value(QStringLiteral("appointment-%1-1@voyanta").arg(stage));
        QCOMPARE(icaltime_as_ical_string(icalcomponent_get_dtend(lunch)), "20060306T133000");
        icalcomponent* visa = byUid.value(QStringLiteral("checklist-%1-2@voyanta").arg(m_full));
        QCOMPARE(QString::fromUtf8(icalcomponent_get_summary(visa)),
                 QStringLiteral("Visa, stamps"));
        QCOMPARE(icalcomponent_get_status(visa), ICAL_STATUS_NEEDSACTION);
        QVERIFY(ics.contains("SUMMARY:Visa\\, stamps\r\n"));
        QVERIFY(ics.contains("DESCRIPTION:walk\\; look\\, listen\r\n"));
        icalcomponent_free(calendar);

        // The same export again: the same UIDs, so a calendar updates its events.
        QCOMPARE(RenderExportFile(m_store, m_full, ExportFormat::ICalendar, m_stamp), ics);
    }

    void calendarParsesWithPythonIcalendar()
    {
        const QString python = QStringLiteral("/usr/bin/python3");
        if (!QFile::exists(python))
            QSKIP("Debian's python3 is not installed");
        const QString path = m_dir.filePath(QStringLiteral("travel.ics"));
        QVERIFY(
            writeFile(path, RenderExportFile(m_store, m_full, ExportFormat::ICalendar, m_stamp)));
        QProcess process;
        process.start(python, {QStringLiteral("-c"), QStringLiteral(R"(
import sys, icalendar
cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
events = cal.walk('VEVENT')
todos = cal.walk('VTODO')
print(len(events), len(todos))
print(str(todos[1]['SUMMARY']))
print(str(events[0]['DESCRIPTION']).split('\n')[-1])
)"),
                               path});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.readAllStandardError(), QByteArray());
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()),
                 QStringLiteral("4 3\nVisa, stamps\ncoat\n"));
    }
};

QTEST_GUILESS_MAIN(ExportsTest)
#include "tst_exports.moc"
