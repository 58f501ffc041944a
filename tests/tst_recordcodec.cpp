#include "RecordCodec.h"
#include "RecordFile.h"
#include "TestSupport.h"

#include <QTest>

namespace {

const DateTimeValue march5 = DateTimeValue::fromDate(QDate(2006, 3, 5), QTime(9, 1, 21));
// status 0, then 38781.3759375 as a little-endian double
const char* const march5Bytes = "00000000 7b14ae07acefe240";

QByteArray travelFileOfDefaultTravel()
{
    QByteArray bytes = hex("10") + QByteArray("2006030509012110");
    bytes += hex("00 00 00 00 00");
    bytes += hex(march5Bytes) + hex(march5Bytes);
    bytes += hex("00 00 00 00 00");
    bytes += hex("00000000");
    return bytes;
}

} // namespace

class RecordCodecTest : public QObject {
    Q_OBJECT

private slots:
    void travelFileOfADefaultTravelIs55Bytes()
    {
        TravelRecord travel(march5);
        travel.key = QStringLiteral("2006030509012110");
        const QByteArray expected = travelFileOfDefaultTravel();
        QCOMPARE(expected.size(), 55);
        QCOMPARE(RecordCodec::encodeTravel(travel), expected);

        ArchiveReader reader(expected);
        TravelRecord read{DateTimeValue{}};
        QVERIFY(RecordCodec::decodeTravel(reader, read));
        QCOMPARE(read, travel);
        QCOMPARE(reader.remaining(), 0);
    }

    void travelFieldsKeepTheirOrder()
    {
        TravelRecord travel(DateTimeValue{-1.25, DateTimeValue::Valid});
        travel.key = QStringLiteral("K");
        travel.title = QStringLiteral("T");
        travel.mode = QStringLiteral("M");
        travel.from = QStringLiteral("F");
        travel.destination = QStringLiteral("D");
        travel.notes = QStringLiteral("N");
        travel.end = DateTimeValue{0.0, DateTimeValue::Invalid};
        travel.priority = QStringLiteral("P");
        travel.status = QStringLiteral("S");
        travel.type = QStringLiteral("Y");
        travel.ticketNo = QStringLiteral("1");
        travel.seatNo = QStringLiteral("2");
        travel.icon = 112;
        const QByteArray expected = hex("014b 0154 014d 0146 0144 014e"
                                        "00000000 000000000000f4bf 01000000 0000000000000000"
                                        "0150 0153 0159 0131 0132 70000000");
        QCOMPARE(RecordCodec::encodeTravel(travel), expected);
        ArchiveReader reader(expected);
        TravelRecord read{DateTimeValue{}};
        QVERIFY(RecordCodec::decodeTravel(reader, read));
        QCOMPARE(read, travel);
    }

    void aDefaultRecordKeepsItsDateTimesToTheBit()
    {
        TravelRecord travel;
        travel.key = QStringLiteral("2006030509012110");
        ArchiveReader reader(RecordCodec::encodeTravel(travel));
        TravelRecord read{DateTimeValue{}};
        QVERIFY(RecordCodec::decodeTravel(reader, read));
        QCOMPARE(read.start, travel.start);
        QCOMPARE(read.end, travel.end);
        QVERIFY(read.start.isValid());
    }

    void stageLayout()
    {
        StageRecord stage(march5);
        stage.key = QStringLiteral("20060305090121102006030509050010");
        stage.travelKey = QStringLiteral("2006030509012110");
        stage.title = QStringLiteral("Lyon");
        stage.place = QStringLiteral("Gare");
        const QByteArray expected = hex("20") + stage.key.toLatin1() + hex("10") +
                                    stage.travelKey.toLatin1() + hex("04") + "Lyon" +
                                    hex(march5Bytes) + hex("04") + "Gare" + hex("00");
        QCOMPARE(RecordCodec::encodeStage(stage), expected);
        ArchiveReader reader(expected);
        StageRecord read{DateTimeValue{}};
        QVERIFY(RecordCodec::decodeStage(reader, read));
        QCOMPARE(read, stage);
    }

    void listLayouts()
    {
        QCOMPARE(RecordCodec::encodeCheckList(RecordCodec::listOf(QList<CheckListItem>{})),
                 hex("00000000"));

        const QByteArray checkList = hex("02000000 0450617373 07000000 00 00000000");
        ArchiveReader checkReader(checkList);
        StoredList<CheckListItem> items;
        QVERIFY(RecordCodec::decodeCheckList(checkReader, items));
        QCOMPARE(items.items.size(), 2);
        QCOMPARE(items.items[0], (CheckListItem{QStringLiteral("Pass"), 7}));
        // Written back value by value, 7 stays 7.
        QCOMPARE(RecordCodec::encodeCheckList(items), checkList);

        const QByteArray expenses = hex("01000000 04466f6f64 0000000000000040 024b67"
                                        "0000000000002940 0000000000003940 01000000");
        ArchiveReader expenseReader(expenses);
        StoredList<ExpenseRecord> lines;
        QVERIFY(RecordCodec::decodeExpenses(expenseReader, lines));
        QCOMPARE(lines.items.value(0),
                 (ExpenseRecord{QStringLiteral("Food"), 2.0, QStringLiteral("Kg"), 12.5, 25.0, 1}));
        QCOMPARE(RecordCodec::encodeExpenses(lines), expenses);

        const QByteArray appointments =
            hex("01000000") + hex(march5Bytes) + hex("054c756e6368 00 0161");
        ArchiveReader appointmentReader(appointments);
        StoredList<AppointmentRecord> list;
        QVERIFY(RecordCodec::decodeAppointments(appointmentReader, list));
        QCOMPARE(list.items.value(0).when, march5);
        QCOMPARE(list.items.value(0).subject, QStringLiteral("Lunch"));
        QCOMPARE(list.items.value(0).notes, QStringLiteral("a"));
        QCOMPARE(RecordCodec::encodeAppointments(list), appointments);
    }

    void negativeCountsAreEmptyLists()
    {
        ArchiveReader reader(hex("f6ffffff"));
        QStringList items{QStringLiteral("stale")};
        QVERIFY(RecordCodec::decodePreferenceList(reader, items));
        QVERIFY(items.isEmpty());

        // A copy keeps the stored count as it was.
        ArchiveReader checkReader(hex("ffffffff"));
        StoredList<CheckListItem> list;
        QVERIFY(RecordCodec::decodeCheckList(checkReader, list));
        QCOMPARE(RecordCodec::encodeCheckList(list), hex("ffffffff"));
    }

    void imageCategoriesLeaveRemovedLinksOut()
    {
        ImageLink first{QStringLiteral("/a.jpg"), QStringLiteral("A"), {}, 0};
        ImageLink second{QStringLiteral("/b.jpg"), QStringLiteral("B"), {}, 1};
        ImageLink third{QStringLiteral("/c.jpg"), QStringLiteral("C"), {}, 0};
        third.further[4] = QStringLiteral("x");
        StoredImageCategory category{{QStringLiteral("Sea"), {}, 3}, {first, second, third}};
        const QByteArray expected = hex("01000000 03536561 0000000000 02000000"
                                        "062f612e6a7067 0141 0000000000"
                                        "062f632e6a7067 0143 00000000 0178");
        QCOMPARE(RecordCodec::encodeImageCategories({category}), expected);

        ArchiveReader reader(expected);
        QList<StoredImageCategory> read;
        QVERIFY(RecordCodec::decodeImageCategories(reader, read));
        QCOMPARE(read.size(), 1);
        QCOMPARE(read[0].category.imageCount, 2);
        QCOMPARE(read[0].links, (QList<ImageLink>{first, third}));
    }

    void everyCutOfEveryKindIsTruncatedNeverARecord_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("whole");
        // Files written by hand, each ending in the field its kind ends in: a text where
        // the layout allows one, so that cuts fall inside a last text too.
        QTest::newRow(".tra") << int(RecordFileKind::Travel) << travelFileOfDefaultTravel();
        QTest::newRow(".stg") << int(RecordFileKind::Stage)
                              << hex("0131 0132 055469747265") + hex(march5Bytes) +
                                     hex("0550617269 73 0a") + "last notes";
        QTest::newRow(".apt") << int(RecordFileKind::Appointments)
                              << hex("02000000") + hex(march5Bytes) + hex("0141 00 00") +
                                     hex(march5Bytes) + hex("0142 014c 05") + "notes";
        QTest::newRow(".chk") << int(RecordFileKind::CheckList)
                              << hex("02000000 0450617373 01000000 0456697361 00000000");
        QTest::newRow(".exp") << int(RecordFileKind::Expenses)
                              << hex("01000000 04466f6f64 0000000000000040 024b67"
                                     "0000000000002940 0000000000003940 01000000");
        QTest::newRow(".prf") << int(RecordFileKind::Preference)
                              << hex("03000000 03427573 ff0001") + QByteArray(256, 'c') +
                                     hex("ff feff 03 4100 e900 7167");
        QTest::newRow(".alm") << int(RecordFileKind::Marker) << hex("01000000");
        QTest::newRow(".img") << int(RecordFileKind::ImageCategories)
                              << hex("01000000 03536561 0000000000 01000000"
                                     "062f612e6a7067 0141 00000000 036c6173");
    }

    void everyCutOfEveryKindIsTruncatedNeverARecord()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, whole);
        const DecodedFile decoded = DecodeRecordFile(RecordFileKind(kind), whole);
        QVERIFY(!decoded.error);
        QCOMPARE(decoded.used, whole.size());
        for (qsizetype size = 0; size < whole.size(); ++size) {
            const DecodedFile cut = DecodeRecordFile(RecordFileKind(kind), whole.left(size));
            QVERIFY2(cut.error.has_value(), qPrintable(QString::number(size)));
            QVERIFY(cut.error->cause.startsWith(QLatin1String("truncated at byte")));
            QVERIFY(cut.error->offset <= size);
        }
        // Bytes after the last field are no part of the record.
        const DecodedFile longer = DecodeRecordFile(RecordFileKind(kind), whole + "xyz");
        QVERIFY(!longer.error);
        QCOMPARE(longer.used, whole.size());
        QCOMPARE(longer.size, whole.size() + 3);
    }

    void fileKindsFollowTheExtension()
    {
        QCOMPARE(RecordFileKindOf(QStringLiteral("Travel1.tra")), RecordFileKind::Travel);
        QCOMPARE(RecordFileKindOf(QStringLiteral("/x/CheckList1.CHK")), RecordFileKind::CheckList);
        QCOMPARE(RecordFileKindOf(QStringLiteral("Preferences.alm")), RecordFileKind::Marker);
        QCOMPARE(RecordFileKindOf(QStringLiteral("Images1.img")), RecordFileKind::ImageCategories);
        QVERIFY(!RecordFileKindOf(QStringLiteral("notes.txt")));
    }
};

QTEST_GUILESS_MAIN(RecordCodecTest)
#include "tst_recordcodec.moc"
