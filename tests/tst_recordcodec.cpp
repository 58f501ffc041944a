#include "Archive.h"
#include "CodePage.h"
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

// What a decoder reads from bytes into the value given; a failed read fails the test.
template <typename Value, typename Decode>
Value decoded(const QByteArray& bytes, Decode decode, Value value = Value())
{
    ArchiveReader reader(bytes);
    if (!decode(reader, value))
        QTest::qFail("the bytes do not decode", __FILE__, __LINE__);
    return value;
}

} // namespace

// The record files' bytes: the archive primitives and code page under them, and each kind
// of record against bytes written by hand.
class RecordCodecTest : public QObject {
    Q_OBJECT

private slots:
    void travelFieldsKeepTheirOrder()
    {
        // A record made without a date starts now, and valid; here, one on the 5th of March
        // with nothing but its key.
        QVERIFY(TravelRecord().start.isValid());
        TravelRecord plain(march5);
        plain.key = QStringLiteral("2006030509012110");
        QCOMPARE(RecordCodec::encodeTravel(plain), travelFileOfDefaultTravel());
        QCOMPARE(decoded(travelFileOfDefaultTravel(), RecordCodec::decodeTravel,
                         TravelRecord{DateTimeValue{}}),
                 plain);

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
        QCOMPARE(decoded(expected, RecordCodec::decodeTravel, TravelRecord{DateTimeValue{}}),
                 travel);
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
        QCOMPARE(decoded(expected, RecordCodec::decodeStage, StageRecord{DateTimeValue{}}), stage);
    }

    void listLayouts()
    {
        const QByteArray checkList = hex("02000000 0450617373 07000000 00 00000000");
        const auto items =
            decoded<StoredList<CheckListItem>>(checkList, RecordCodec::decodeCheckList);
        QCOMPARE(items.items.size(), 2);
        QCOMPARE(items.items[0], (CheckListItem{QStringLiteral("Pass"), 7}));
        // Written back value by value, 7 stays 7.
        QCOMPARE(RecordCodec::encodeCheckList(items), checkList);

        const QByteArray expenses = hex("01000000 04466f6f64 0000000000000040 024b67"
                                        "0000000000002940 0000000000003940 01000000");
        const auto lines =
            decoded<StoredList<ExpenseRecord>>(expenses, RecordCodec::decodeExpenses);
        QCOMPARE(lines.items.value(0),
                 (ExpenseRecord{QStringLiteral("Food"), 2.0, QStringLiteral("Kg"), 12.5, 25.0, 1}));
        QCOMPARE(RecordCodec::encodeExpenses(lines), expenses);

        const QByteArray appointments =
            hex("01000000") + hex(march5Bytes) + hex("054c756e6368 00 0161");
        const auto list =
            decoded<StoredList<AppointmentRecord>>(appointments, RecordCodec::decodeAppointments);
        QCOMPARE(list.items.value(0).when, march5);
        QCOMPARE(list.items.value(0).subject, QStringLiteral("Lunch"));
        QCOMPARE(list.items.value(0).notes, QStringLiteral("a"));
        QCOMPARE(RecordCodec::encodeAppointments(list), appointments);
    }

    void negativeCountsAreEmptyLists()
    {
        QVERIFY(decoded(hex("f6ffffff"), RecordCodec::decodePreferenceList,
                        QStringList{QStringLiteral("stale")})
                    .isEmpty());

        // A copy keeps the stored count as it was.
        QCOMPARE(RecordCodec::encodeCheckList(decoded<StoredList<CheckListItem>>(
                     hex("ffffffff"), RecordCodec::decodeCheckList)),
                 hex("ffffffff"));
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

        const auto read =
            decoded<QList<StoredImageCategory>>(expected, RecordCodec::decodeImageCategories);
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
        // The hostile folder test's check names a bad file of every kind by its extension.
        QCOMPARE(RecordFileKindOf(QStringLiteral("/x/CheckList1.CHK")), RecordFileKind::CheckList);
        QCOMPARE(RecordFileKindOf(QStringLiteral("Preferences.alm")), RecordFileKind::Marker);
        QVERIFY(!RecordFileKindOf(QStringLiteral("notes.txt")));
    }

    void textPrefixBoundaries_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("empty") << 0 << hex("00");
        QTest::newRow("254") << 254 << hex("fe");
        QTest::newRow("255") << 255 << hex("ff ff00");
        QTest::newRow("65533") << 65533 << hex("ff fdff");
        QTest::newRow("65534") << 65534 << hex("ff ffff feff0000");
        QTest::newRow("70000") << 70000 << hex("ff ffff 70110100");
    }

    void textPrefixBoundaries()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, prefix);
        const QString text(length, QLatin1Char('x'));
        ArchiveWriter writer;
        writer.writeText(text);
        QCOMPARE(writer.data().left(prefix.size()), prefix);
        QCOMPARE(writer.data().size(), prefix.size() + length);
        QCOMPARE(writer.data().mid(prefix.size()), QByteArray(length, 'x'));

        ArchiveReader reader(writer.data());
        QString read;
        QVERIFY(reader.readText(read));
        QCOMPARE(read, text);
        QCOMPARE(reader.remaining(), 0);
    }

    void everyByteRoundTripsAndOtherCharactersHaveNone()
    {
        // Latin-1, but for windows-1252 from 0x80 to 0x9F, whose five undefined bytes are
        // the C1 controls of the same number.
        const char16_t high[32] = {
            0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
        };
        QByteArray all(256, 0);
        QString expected;
        for (int b = 0; b < 256; ++b) {
            all[b] = char(b);
            expected += QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
        }
        QCOMPARE(CodePage::decode(all), expected);
        QVERIFY(CodePage::canEncode(expected));
        QCOMPARE(CodePage::encode(expected), all);

        // The C1 controls that windows-1252 gives other characters, characters beyond
        // Latin-1 that it lacks, and the halves of a character outside the BMP.
        for (const char16_t missing :
             {0x0080, 0x0085, 0x009F, 0x0100, 0x0154, 0x20AD, 0x4E00, 0xFFFD, 0xD83D, 0xDE00}) {
            const QString text = QStringLiteral("a%1z").arg(QChar(missing));
            QVERIFY2(!CodePage::canEncode(text), qPrintable(QString::number(missing, 16)));
            QCOMPARE(CodePage::encode(text), QByteArray("a?z"));
        }
    }

    void textsOutsideTheCodePageUseTheUtf16Form()
    {
        ArchiveWriter writer;
        writer.writeText(QString::fromUtf16(u"A\u6771"));
        QCOMPARE(writer.data(), hex("ff feff 02 4100 7167"));

        // Read with the second prefix, which is read as the first (the prefix boundaries
        // test reads its longer forms); a text that fits the code page and one that does not.
        QString text;
        ArchiveReader shortForm(hex("ff feff 03 6300 e900 ac20"));
        QVERIFY(shortForm.readText(text));
        QCOMPARE(text, QString::fromUtf16(u"c\u00e9\u20ac"));

        // The UTF-16 marker twice is malformed, not a deeper nesting.
        ArchiveReader twice(hex("ff feff ff feff 01 4100"));
        QVERIFY(!twice.readText(text));
        QVERIFY(twice.error()->cause.contains(QLatin1String("malformed")));
    }

    void truncationIsReportedWithItsOffsetAndSticks()
    {
        ArchiveReader reader(hex("01000000 0561 62"));
        qint32 i = 0;
        QString text;
        QVERIFY(reader.readInt32(i));
        QVERIFY(!reader.readText(text));
        QCOMPARE(reader.error()->offset, 4);
        QCOMPARE(reader.error()->cause,
                 QStringLiteral("truncated at byte 4: a text of 5 bytes runs past the end"));
        // Nothing more is read after the first failure, even where the bytes would do.
        QVERIFY(!reader.readInt32(i));
        QCOMPARE(reader.error()->offset, 4);

        // A 4-byte length far beyond the data: no allocation, just an error.
        ArchiveReader hugeText(hex("ff ffff ffffff7f 41"));
        QVERIFY(!hugeText.readText(text));
        ArchiveReader hugeUtf16(hex("ff feff ff ffff ffffffff 41"));
        QVERIFY(!hugeUtf16.readText(text));
    }

    void countsAreCheckedAgainstTheBytesLeft()
    {
        // A huge count in a short file: the elements that are there can still be read,
        // nothing is reserved beyond the data, and the failure names the count.
        QByteArray file = hex("ffffff7f");
        file += hex("0141 0142 0143");
        ArchiveReader reader(file);
        qint32 count = 0;
        QVERIFY(reader.readCount(count, 2));
        QCOMPARE(count, 2147483647);
        QCOMPARE(reader.capacity(2), 3);
        QString text;
        for (int i = 0; i < 3; ++i)
            QVERIFY(reader.readText(text));
        QVERIFY(!reader.readText(text));
        QCOMPARE(reader.error()->cause,
                 QStringLiteral("truncated at byte 10; the count of 2147483647 at byte 0 is more "
                                "than the 6 bytes after it can hold"));
    }
};

QTEST_GUILESS_MAIN(RecordCodecTest)
#include "tst_recordcodec.moc"
