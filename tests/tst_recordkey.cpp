#include "ChronologicalOrder.h"
#include "DateTimeValue.h"
#include "DisplayFormats.h"
#include "PassSort.h"
#include "RecordKey.h"
#include "RecordKeyMaker.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

namespace {

struct Dated {
    int id;
    DateTimeValue date;
};

} // namespace

// Keys, stored date-times and their order, and how dates, times and amounts are shown.
class RecordKeyTest : public QObject {
    Q_OBJECT

private slots:
    void keysNeverWaitForTheClock()
    {
        // A clock that stands still: 3,000 keys of one series run on into the next
        // seconds' keys, 90 a second, each one new, in the key format and in order.
        QDateTime clock(QDate(2006, 3, 5), QTime(9, 1, 21));
        RecordKeyMaker maker;
        maker.setClock([&] { return clock; });
        const QString prefix = QStringLiteral("2006030509012110");
        QSet<QString> stray{prefix + QStringLiteral("2006030509012112")};
        const auto taken = [&](const RecordKey& key) { return stray.contains(key); };
        QStringList keys;
        for (int i = 0; i < 3000; ++i)
            keys.append(maker.next(prefix, 10, taken));
        QCOMPARE(keys[0], prefix + QStringLiteral("2006030509012110"));
        QCOMPARE(keys[2], prefix + QStringLiteral("2006030509012113"));
        QCOMPARE(keys[89], prefix + QStringLiteral("2006030509012210"));
        QCOMPARE(keys.last(), prefix + QStringLiteral("2006030509015440"));
        QStringList sorted = keys;
        sorted.sort();
        QCOMPARE(sorted, keys);
        QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()).size(), keys.size());

        // Other series begin at the clock's own second; counter 1 is a series of its own.
        QCOMPARE(maker.next(QString(), 10, taken), QStringLiteral("2006030509012110"));
        QCOMPARE(maker.next(prefix, 1, taken), prefix + QStringLiteral("2006030509012101"));
        QCOMPARE(MakeRecordKey(100, clock), QStringLiteral("20060305090121100"));
        // A clock that passes the keys made ahead of it starts the series at its second;
        // one that goes back (a daylight-saving change) does not repeat keys.
        clock = clock.addSecs(60);
        QCOMPARE(maker.next(prefix, 10, taken), prefix + QStringLiteral("2006030509022110"));
        clock = clock.addSecs(-3600);
        QCOMPARE(maker.next(prefix, 10, taken), prefix + QStringLiteral("2006030509022111"));
    }

    void unsafeKeys()
    {
        QVERIFY(IsSafeKey(QStringLiteral("2006030509012110")));
        QVERIFY(IsSafeKey(QStringLiteral("trip-1 b")));
        for (const char* bad :
             {"", "  ", "..", "../x", "..\\..\\x", "a/b", "a\\b", "C:x", "a\tb", "a\nb", "x..y"})
            QVERIFY2(!IsSafeKey(QString::fromLatin1(bad)), bad);
        QVERIFY(!IsSafeKey(QString(QChar(0x85))));
    }

    void datesBefore1899CountTheTimeForward()
    {
        const DateTimeValue morning = DateTimeValue::fromDate(QDate(1899, 12, 29), QTime(6, 0));
        QCOMPARE(morning.days, -1.25);
        QCOMPARE(morning.toDateTime(), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
        const DateTimeValue evening = DateTimeValue::fromDate(QDate(1899, 12, 29), QTime(18, 0));
        QCOMPARE(evening.days, -1.75);
        // As raw doubles evening < morning; in time it is later.
        QVERIFY(chronologicallyBefore(morning, evening));
        QVERIFY(!chronologicallyBefore(evening, morning));
        const DateTimeValue dayBefore = DateTimeValue::fromDate(QDate(1899, 12, 28), QTime(23, 0));
        QVERIFY(chronologicallyBefore(dayBefore, morning));
        const DateTimeValue epochNoon = DateTimeValue{0.5, DateTimeValue::Valid};
        QVERIFY(chronologicallyBefore(evening, epochNoon));
        QCOMPARE(DateTimeValue::fromDate(QDate(1850, 7, 1), QTime(12, 30, 15)).toDateTime(),
                 QDateTime(QDate(1850, 7, 1), QTime(12, 30, 15)));
    }

    void valuesRoundToTheSecond()
    {
        const DateTimeValue almostMidnight{38781.0 + 86399.6 / 86400.0, DateTimeValue::Valid};
        QCOMPARE(almostMidnight.toDateTime(), QDateTime(QDate(2006, 3, 6), QTime(0, 0)));
        const DateTimeValue notANumber{std::nan(""), DateTimeValue::Valid};
        QVERIFY(!notANumber.toDateTime().isValid());
        const DateTimeValue huge{1e300, DateTimeValue::Valid};
        QVERIFY(!huge.hasCalendarValue());
    }

    void fastOrderEqualsThePasses()
    {
        QRandomGenerator random(20061205);
        for (int round = 0; round < 300; ++round) {
            QList<Dated> items;
            const int n = int(random.bounded(0, 40));
            for (int i = 0; i < n; ++i) {
                DateTimeValue date{double(random.bounded(-5, 6)) + random.bounded(4) * 0.25,
                                   DateTimeValue::Valid};
                const int roll = int(random.bounded(10));
                if (roll == 0)
                    date.status = DateTimeValue::Invalid;
                else if (roll == 1)
                    date.status = DateTimeValue::Null;
                else if (roll == 2)
                    date.days = std::nan("");
                items.append(Dated{i, date});
            }
            QList<Dated> expected = items;
            PassSort(expected, [](const Dated& d) -> const DateTimeValue& { return d.date; });
            SortChronologically(items,
                                [](const Dated& d) -> const DateTimeValue& { return d.date; });
            for (int i = 0; i < n; ++i)
                QCOMPARE(items[i].id, expected[i].id);
        }
    }

    void amountsAreShownAndRoundedAsTheirCurrency()
    {
        // Plain amounts are in the list captions the store and model tests check.
        const DisplayFormats us(QLocale(QStringLiteral("en_US")));
        QCOMPARE(us.FormatAmount(-3), QStringLiteral("($3.00)"));
        // Wider than ten characters: printed in full.
        QCOMPARE(us.FormatAmount(123456789.125), QStringLiteral("$123,456,789.13"));
        QCOMPARE(us.FormatCurrency(QStringLiteral("   12.50  ")),
                 us.FormatCurrency(QStringLiteral("12.50")));
        QCOMPARE(us.FormatCurrency(QStringLiteral(" n/a ")), QStringLiteral("n/a"));

        // Rounded to the currency's minor unit.
        QCOMPARE(us.CurrencyDigits(), 2);
        QCOMPARE(DisplayFormats(QLocale(QStringLiteral("ja_JP"))).CurrencyDigits(), 0);
        const DisplayFormats kw(QLocale(QStringLiteral("ar_KW")));
        QCOMPARE(kw.CurrencyDigits(), 3);
        QCOMPARE(kw.FormatAmount(kw.RoundAmount(1.2345)), kw.locale().toCurrencyString(1.235));
        // Halves away from zero, also where binary holds the product a hair off the half (the
        // expense model's totals are more of these).
        QCOMPARE(us.RoundAmount(0.125), 0.13);
        QCOMPARE(us.RoundAmount(1.5 * 0.35), 0.53);
        QCOMPARE(us.RoundAmount(-0.125), -0.13);
        QCOMPARE(us.RoundAmount(0.004), 0.0);
        QVERIFY(!std::signbit(us.RoundAmount(-0.004)));
        QCOMPARE(DisplayFormats(QLocale(QStringLiteral("ja_JP"))).RoundAmount(94.5), 95.0);
    }

    void datesAndTimes()
    {
        const DateTimeValue value = DateTimeValue::fromDate(QDate(2006, 3, 5), QTime(21, 1, 59));
        const DisplayFormats us(QLocale(QStringLiteral("en_US")));
        const DisplayFormats de(QLocale(QStringLiteral("de_DE")));
        // The American forms are in the model tests' rows.
        QCOMPARE(de.FormatShortDate(value), QStringLiteral("05.03.06"));
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

QTEST_GUILESS_MAIN(RecordKeyTest)
#include "tst_recordkey.moc"
