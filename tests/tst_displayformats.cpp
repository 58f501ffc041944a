#include "DisplayFormats.h"

#include <QTest>

class DisplayFormatsTest : public QObject {
    Q_OBJECT

private slots:
    void amountsAndCurrency()
    {
        const DisplayFormats us(QLocale(QStringLiteral("en_US")));
        const DisplayFormats de(QLocale(QStringLiteral("de_DE")));
        QCOMPARE(us.FormatAmount(12.5), QStringLiteral("$12.50"));
        QCOMPARE(de.FormatAmount(12.5), QStringLiteral("12,50\u00a0\u20ac"));
        QCOMPARE(us.FormatAmount(0), QStringLiteral("$0.00"));
        QCOMPARE(us.FormatAmount(-3), QStringLiteral("($3.00)"));
        // Wider than ten characters: printed in full.
        QCOMPARE(us.FormatAmount(123456789.125), QStringLiteral("$123,456,789.13"));
        QCOMPARE(us.FormatCurrency(QStringLiteral("   12.50  ")),
                 us.FormatCurrency(QStringLiteral("12.50")));
        QCOMPARE(us.FormatCurrency(QStringLiteral(" n/a ")), QStringLiteral("n/a"));
    }

    void datesAndTimes()
    {
        const DateTimeValue value = DateTimeValue::fromDate(QDate(2006, 3, 5), QTime(21, 1, 59));
        const DisplayFormats us(QLocale(QStringLiteral("en_US")));
        const DisplayFormats de(QLocale(QStringLiteral("de_DE")));
        QCOMPARE(us.FormatShortDate(value), QStringLiteral("3/5/06"));
        QCOMPARE(de.FormatShortDate(value), QStringLiteral("05.03.06"));
        QCOMPARE(us.FormatShortTime(value).remove(QChar(0x202f)).remove(QLatin1Char(' ')),
                 QStringLiteral("9:01PM"));
        QCOMPARE(de.FormatShortTime(value), QStringLiteral("21:01"));
        for (const char* name : {"en_US", "de_DE", "fr_FR", "ja_JP", "fi_FI", "ar_EG"}) {
            const DisplayFormats formats{QLocale(QLatin1String(name))};
            QVERIFY2(!formats.FormatShortTime(value).contains(QLatin1String("59")), name);
        }
        QCOMPARE(us.FormatShortDate(DateTimeValue{38781.0, DateTimeValue::Invalid}), QString());
        QCOMPARE(us.FormatShortTime(DateTimeValue{38781.0, DateTimeValue::Null}), QString());
        QCOMPARE(de.FormatShortDate(DateTimeValue::fromDate(QDate(1899, 12, 29), QTime(6, 0))),
                 QStringLiteral("29.12.99"));
    }
};

QTEST_GUILESS_MAIN(DisplayFormatsTest)
#include "tst_displayformats.moc"
