#include "Archive.h"
#include "CodePage.h"
#include "TestSupport.h"

#include <QTest>

#include <limits>

class ArchiveTest : public QObject {
    Q_OBJECT

private slots:
    void primitivesAreLittleEndian()
    {
        ArchiveWriter writer;
        writer.writeInt32(-2);
        writer.writeDouble(1.5);
        writer.writeDateTime(DateTimeValue{38781.5, DateTimeValue::Null});
        QCOMPARE(writer.data(), hex("feffffff 000000000000f83f 02000000 00000000b0efe240"));

        ArchiveReader reader(writer.data());
        qint32 i = 0;
        double d = 0;
        DateTimeValue dt;
        QVERIFY(reader.readInt32(i) && reader.readDouble(d) && reader.readDateTime(dt));
        QCOMPARE(i, -2);
        QCOMPARE(d, 1.5);
        QCOMPARE(dt.status, qint32(DateTimeValue::Null));
        QCOMPARE(dt.days, 38781.5);
        QCOMPARE(reader.remaining(), 0);
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

    void everyHighByteDecodesAndEncodesOnItsOwn_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        // windows-1252 from 0x80 to 0x9F; its five undefined bytes are the C1 controls of
        // the same number.
        const int table[32] = {
            0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
        };
        for (int i = 0; i < 32; ++i)
            QTest::addRow("%02X", 0x80 + i) << 0x80 + i << table[i];
    }

    void everyHighByteDecodesAndEncodesOnItsOwn()
    {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        const QByteArray alone(1, char(byte));
        QCOMPARE(CodePage::decode(alone), QString(QChar(unicode)));
        QVERIFY(CodePage::canEncode(QString(QChar(unicode))));
        QCOMPARE(CodePage::encode(QString(QChar(unicode))), alone);
        // Amid plain text too, and through the archive's text form.
        const QByteArray amid = QByteArray("a") + alone + "z";
        QCOMPARE(CodePage::decode(amid), QStringLiteral("a%1z").arg(QChar(unicode)));
        ArchiveReader reader(QByteArray(1, char(3)) + amid);
        QString text;
        QVERIFY(reader.readText(text));
        ArchiveWriter writer;
        writer.writeText(text);
        QCOMPARE(writer.data(), QByteArray(1, char(3)) + amid);
    }

    void everyByteRoundTripsAndOtherCharactersHaveNone()
    {
        QByteArray all(256, 0);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString decoded = CodePage::decode(all);
        for (int b = 0; b < 256; ++b) {
            if (b < 0x80 || b >= 0xA0)
                QCOMPARE(decoded.at(b), QChar(b)); // Latin-1
        }
        QVERIFY(CodePage::canEncode(decoded));
        QCOMPARE(CodePage::encode(decoded), all);

        // The C1 controls that windows-1252 gives other characters, characters beyond
        // Latin-1 that it lacks, and the halves of a character outside the BMP.
        for (const char16_t missing :
             {0x0080, 0x0085, 0x009F, 0x0100, 0x0154, 0x20AD, 0x4E00, 0xFFFD, 0xD83D, 0xDE00}) {
            const QString text = QStringLiteral("a%1z").arg(QChar(missing));
            QVERIFY2(!CodePage::canEncode(text), qPrintable(QString::number(missing, 16)));
            QCOMPARE(CodePage::encode(text), QByteArray("a?z"));
        }
        QVERIFY(!CodePage::canEncode(u"Z\u00fcrich \u6771\u4eac"));
    }

    void textsOutsideTheCodePageUseTheUtf16Form()
    {
        ArchiveWriter writer;
        writer.writeText(QString::fromUtf16(u"A\u6771"));
        QCOMPARE(writer.data(), hex("ff feff 02 4100 7167"));

        ArchiveWriter plain;
        plain.writeText(QString::fromUtf16(u"caf\u00e9 \u20ac"));
        QCOMPARE(plain.data(), hex("06 636166e9 20 80"));
    }

    void utf16FormIsRead()
    {
        // Short, word-length and long second prefixes; a text that fits the code page
        // and one that does not.
        QString text;
        ArchiveReader shortForm(hex("ff feff 03 6300 e900 ac20"));
        QVERIFY(shortForm.readText(text));
        QCOMPARE(text, QString::fromUtf16(u"c\u00e9\u20ac"));

        QByteArray wordForm = hex("ff feff ff 0001");
        for (int i = 0; i < 256; ++i)
            wordForm += hex("1a04");
        ArchiveReader wordReader(wordForm);
        QVERIFY(wordReader.readText(text));
        QCOMPARE(text, QString(256, QChar(0x041A)));

        QByteArray longForm = hex("ff feff ff ffff feff0000");
        longForm += QByteArray(65534 * 2, 'a');
        ArchiveReader longReader(longForm);
        QVERIFY(longReader.readText(text));
        QCOMPARE(text.size(), 65534);
        QCOMPARE(longReader.remaining(), 0);

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

        ArchiveReader shortInt(hex("0100"));
        QVERIFY(!shortInt.readInt32(i));
        QCOMPARE(shortInt.error()->cause, QStringLiteral("truncated at byte 0"));

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

        ArchiveReader negative(hex("00000080"));
        QVERIFY(negative.readCount(count, 5));
        QCOMPARE(count, std::numeric_limits<qint32>::min());
        QCOMPARE(negative.capacity(5), 0);
    }
};

QTEST_GUILESS_MAIN(ArchiveTest)
#include "tst_archive.moc"
