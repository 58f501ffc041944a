#include "DisplayFormats.h"

#include <QTest>

#include <cmath>

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

    void amountsRoundToTheCurrencysMinorUnit()
    {
        const DisplayFormats us(QLocale(QStringLiteral("en_US")));
        QCOMPARE(us.CurrencyDigits(), 2);
        QCOMPARE(DisplayFormats(QLocale(QStringLiteral("ja_JP"))).CurrencyDigits(), 0);
        const DisplayFormats kw(QLocale(QStringLiteral("ar_KW")));
        QCOMPARE(kw.CurrencyDigits(), 3);
        QCOMPARE(kw.FormatAmount(kw.RoundAmount(1.2345)), kw.locale().toCurrencyString(1.235));
        // Halves away from zero, also where binary holds the product a hair off the half.
        QCOMPARE(us.RoundAmount(1.5 * 115.25), 172.88);
        QCOMPARE(us.RoundAmount(0.125), 0.13);
        QCOMPARE(us.RoundAmount(1.5 * 0.35), 0.53);
        QCOMPARE(us.RoundAmount(-0.125), -0.13);
        QCOMPARE(us.RoundAmount(12.34 * 24.9), 307.27);
        QCOMPARE(us.RoundAmount(0.004), 0.0);
        QVERIFY(!std::signbit(us.RoundAmount(-0.004)));
        QCOMPARE(DisplayFormats(QLocale(QStringLiteral("ja_JP"))).RoundAmount(94.5), 95.0);
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
