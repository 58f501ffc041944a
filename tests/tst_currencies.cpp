#include "CsvExport.h"
#include "Currency.h"
#include "CurrencySideFile.h"
#include "ExpenseDelegate.h"
#include "ExpenseListView.h"
#include "ExpenseModel.h"
#include "FolderCheck.h"
#include "ItineraryPdf.h"
#include "ListCtrl.h"
#include "RecordCodec.h"
#include "TravelDocument.h"
#include "TravelTreeView.h"
#include "WindowFixture.h"

#include <QDateEdit>
#include <QJsonArray>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

namespace {

Decimal dec(const char* text)
{
    return Decimal::parse(QString::fromLatin1(text)).value();
}

// An expense of `quantity` units paid at `price` in `code`, converted at `rate` into the
// home currency `home`, purchased.
ExpenseRecord paid(const QString& product, double quantity, const char* price, const QString& code,
                   const char* rate, const QString& home)
{
    ExpenseRecord line{product, quantity, {}, 0, 0, 1};
    line.foreign =
        ForeignPrice{code, dec(price), dec(rate), QDate(2024, 5, 3), ForeignPrice::RateFrom::Typed};
    line.pricePerUnit = Currency::Convert(dec(price), dec(rate), home).value().toDouble();
    line.total = line.pricePerUnit * quantity;
    return line;
}

} // namespace

class TestCurrencies : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<TravelDataStore> m_store;
    RecordKey m_travel;
    const QString chf = QStringLiteral("CHF");
    const QString eur = QStringLiteral("EUR");

    QString sideFile(const RecordKey& key) const
    {
        return m_store->dataFolder().filePath(DataFolder::currencyFileName(key));
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        m_store = std::make_unique<TravelDataStore>();
        m_store->setWorkingDirectory(m_dir.path());
        m_store->setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("en_US"))));
        QVERIFY(m_store->Refresh().ok());
        QVERIFY(m_store->SetHomeCurrency(chf).ok());
        m_travel = m_store->AddTravel(TravelRecord()).key;
        QVERIFY(!m_travel.isEmpty());
    }

    void minorUnitsAndCashRounding_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("cash");
        QTest::newRow("JPY") << "JPY" << 0 << "1234.5"
                             << "1234";
        QTest::newRow("KRW") << "KRW" << 0 << "999"
                             << "999";
        QTest::newRow("KWD") << "KWD" << 3 << "1.2345"
                             << "1.234";
        QTest::newRow("BHD") << "BHD" << 3 << "0.5"
                             << "0.500";
        QTest::newRow("TND") << "TND" << 3 << "2"
                             << "2.000";
        QTest::newRow("EUR") << "EUR" << 2 << "12.53"
                             << "12.53";
        QTest::newRow("CHF up") << "CHF" << 2 << "12.53"
                                << "12.55";
        QTest::newRow("CHF down") << "CHF" << 2 << "12.52"
                                  << "12.50";
        QTest::newRow("CHF half") << "CHF" << 2 << "12.525"
                                  << "12.50";
    }
    void minorUnitsAndCashRounding()
    {
        QFETCH(QString, code);
        QFETCH(int, digits);
        QFETCH(QString, amount);
        QFETCH(QString, cash);
        QVERIFY(Currency::IsIsoCode(code));
        QCOMPARE(Currency::Digits(code), digits);
        QCOMPARE(Currency::RoundCash(dec(qPrintable(amount)), code)->toString(), cash);
    }

    void conversionRoundsHalfToEvenOnce_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("expected");
        // 1.005 and 2.675 lie on a half, where a binary double lies just below it.
        QTest::newRow("1.005") << "2.01"
                               << "0.5"
                               << "CHF"
                               << "1.00";
        QTest::newRow("2.675") << "5.35"
                               << "0.5"
                               << "CHF"
                               << "2.68";
        QTest::newRow("taxi") << "12.50"
                              << "0.9424"
                              << "CHF"
                              << "11.78";
        QTest::newRow("into yen") << "12.50"
                                  << "162.3"
                                  << "JPY"
                                  << "2029";
        QTest::newRow("into dinar") << "1000"
                                    << "0.002045"
                                    << "KWD"
                                    << "2.045";
    }
    void conversionRoundsHalfToEvenOnce()
    {
        QFETCH(QString, price);
        QFETCH(QString, rate);
        QFETCH(QString, home);
        QFETCH(QString, expected);
        const auto converted =
            Currency::Convert(dec(qPrintable(price)), dec(qPrintable(rate)), home);
        QCOMPARE(converted->toString(), expected);
        // The rate worked out from the amount charged converts back to it exactly.
        const auto rateBack = Currency::RateBetween(*converted, dec(qPrintable(price)), home);
        QVERIFY(rateBack);
        QCOMPARE(Currency::Convert(dec(qPrintable(price)), *rateBack, home), converted);
    }

    // A double becomes the decimal its text shows, and back the same double.
    void decimalsMeetDoublesAsTheirText()
    {
        for (const auto& [value, scale, text] :
             {std::tuple{0.29, 2, "0.29"}, std::tuple{-0.29, 2, "-0.29"},
              std::tuple{1.005, 2, "1.00"}, std::tuple{2.675, 2, "2.67"},
              std::tuple{4503599627370497.0, 0, "4503599627370497"},
              std::tuple{1234.5678, 6, "1234.567800"}, std::tuple{0.3, 1, "0.3"}}) {
            const auto decimal = Decimal::fromDouble(value, scale);
            QCOMPARE(decimal->toString(), QLatin1String(text));
            // Exactly: QCOMPARE would let doubles differ in their last bits.
            QVERIFY(decimal->toDouble() == QByteArray(text).toDouble());
        }
    }

    void formatsAsTheLocaleWritesMoney_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("expected");
        QTest::newRow("de_DE EUR") << "de_DE"
                                   << "EUR"
                                   << "1234.5" << QStringLiteral("1.234,50\u00a0€");
        QTest::newRow("ja_JP JPY") << "ja_JP"
                                   << "JPY"
                                   << "1235" << QStringLiteral("￥1,235");
        QTest::newRow("ar_KW KWD") << "ar_KW"
                                   << "KWD"
                                   << "1.234" << QStringLiteral("١٫٢٣٤\u00a0د.ك.\u200f");
        QTest::newRow("en_US JPY") << "en_US"
                                   << "JPY"
                                   << "1235" << QStringLiteral("¥1,235");
    }
    void formatsAsTheLocaleWritesMoney()
    {
        QFETCH(QString, locale);
        QFETCH(QString, code);
        QFETCH(QString, amount);
        QFETCH(QString, expected);
        QCOMPARE(Currency::Format(dec(qPrintable(amount)), code, QLocale(locale)), expected);
    }

    void aTotalStaysWhenARateChangesElsewhere()
    {
        QList<ExpenseRecord> lines{paid(QStringLiteral("Taxi"), 2, "12.50", eur, "0.9424", chf)};
        QVERIFY(m_store->SaveExpenses(m_travel, lines).ok());
        QVERIFY(m_store->RememberRate(eur, {dec("1.05"), QDate(2024, 6, 1)}).ok());
        lines = m_store->LoadExpenses(m_travel);
        lines.append(paid(QStringLiteral("Museum"), 1, "10", eur, "1.05", chf));
        QVERIFY(m_store->SaveExpenses(m_travel, lines).ok());

        const QList<ExpenseRecord> loaded = m_store->LoadExpenses(m_travel);
        QCOMPARE(loaded, lines);
        QCOMPARE(loaded[0].foreign->rate, dec("0.9424"));
        const ExpenseCount count = m_store->CountExpenses(m_travel);
        QCOMPARE(count.purchasedSum, 23.56 + 10.50);
        QCOMPARE(count.byCurrency.value(eur).paid, dec("35.00"));
        QCOMPARE(count.byCurrency.value(eur).home, 23.56 + 10.50);
        QCOMPARE(m_store->LastRate(eur)->rate, dec("1.05"));
    }

    void aSideFileThatNoLongerMatchesIsSetAsideAndKept()
    {
        const ExpenseRecord taxi = paid(QStringLiteral("Taxi"), 1, "12.50", eur, "0.9424", chf);
        QVERIFY(m_store->SaveExpenses(m_travel, {taxi}).ok());
        // Another program that does not know the side file puts a line before it.
        ExpenseRecord bread{QStringLiteral("Bread"), 1, {}, 11.78, 11.78, 0};
        ExpenseRecord plainTaxi = taxi;
        plainTaxi.foreign.reset();
        const QString exp = m_store->dataFolder().expensesFile(m_travel);
        QVERIFY(writeFile(exp, RecordCodec::encodeExpenses(
                                   RecordCodec::listOf(QList<ExpenseRecord>{bread, plainTaxi}))));

        const QList<ExpenseRecord> loaded = m_store->LoadExpenses(m_travel);
        QVERIFY(!loaded[0].foreign && !loaded[1].foreign);
        const QList<CurrencyEntry> aside = m_store->SetAsideCurrencies(m_travel);
        QCOMPARE(aside.size(), 1);
        QVERIFY2(aside[0].note.contains(QLatin1String("\"Bread\"")), qPrintable(aside[0].note));
        const QList<LoadProblem> problems = CheckDataFolder(m_store->dataFolder(), QString());
        QCOMPARE(problems.size(), 1);
        QCOMPARE(problems[0].fileName, DataFolder::currencyFileName(m_travel));
        QVERIFY(problems[0].cause.startsWith(QLatin1String("set aside")));

        // Saving keeps the entry aside, where it is never applied to what moved there.
        QVERIFY(m_store->SaveExpenses(m_travel, loaded).ok());
        const auto side = CurrencySide::Decode(readFile(sideFile(m_travel)), nullptr);
        QVERIFY(side && side->entries.isEmpty());
        QCOMPARE(side->setAside.size(), 1);
        QCOMPARE(side->setAside[0].foreign, *taxi.foreign);
    }

    // The side file's bytes, written out by hand; every shorter prefix, a byte too many
    // and a code that is no ISO 4217 code are refused, and the text form of earlier
    // versions is still read.
    void sideFileLayout()
    {
        // Little-endian; fromHex skips the spaces.
        const QByteArray bytes = QByteArray::fromHex("56435552 03000000"  // "VCUR", version 3
                                                     "03 434846"          // home "CHF"
                                                     "01000000"           // one entry:
                                                     "01000000 03 546561" // position 1, "Tea"
                                                     "9a04000000000000 02000000" // 11.78
                                                     "03 455552"                 // "EUR"
                                                     "e204000000000000 02000000" // 12.50
                                                     "d024000000000000 04000000" // 0.9424
                                                     "128b2500"   // 2024-05-03, a Julian day
                                                     "01000000"   // from the amount charged
                                                     "00"         // no note
                                                     "00000000"); // none set aside
        CurrencyEntry tea{1, QStringLiteral("Tea"), *Decimal::parse(u"11.78"),
                          ForeignPrice{QStringLiteral("EUR"), *Decimal::parse(u"12.50"),
                                       *Decimal::parse(u"0.9424"), QDate(2024, 5, 3),
                                       ForeignPrice::RateFrom::Charged},
                          QString()};
        const CurrencySideFile file{QStringLiteral("CHF"), {tea}, {}};
        QCOMPARE(CurrencySide::Encode(file).toHex(), bytes.toHex());
        QString cause;
        const auto read = CurrencySide::Decode(bytes, &cause);
        QVERIFY2(read, qPrintable(cause));
        QCOMPARE(read->entries, file.entries);
        for (qsizetype size = 0; size < bytes.size(); ++size)
            QVERIFY2(!CurrencySide::Decode(bytes.left(size), &cause), qPrintable(cause));
        QVERIFY(!CurrencySide::Decode(bytes + '\0', &cause));
        QByteArray unknownCode = bytes;
        unknownCode.replace("EUR", "EUX");
        QVERIFY(!CurrencySide::Decode(unknownCode, &cause));

        const QByteArray text =
            R"({"voyantaCurrencies":2,"home":"CHF","entries":[[1,"Tea","11.78","EUR","12.50",)"
            R"("0.9424","2024-05-03","charged",""]],"setAside":[]})";
        const auto old = CurrencySide::Decode(text, &cause);
        QVERIFY2(old, qPrintable(cause));
        QCOMPARE(old->entries, file.entries);
    }

    void copyAndDeleteTakeTheSideFileAlong()
    {
        const ExpenseRecord taxi = paid(QStringLiteral("Taxi"), 1, "12.50", eur, "0.9424", chf);
        QVERIFY(m_store->SaveExpenses(m_travel, {taxi}).ok());
        const KeyOutcome copy = m_store->CopyTravel(m_travel);
        QVERIFY(copy.ok());
        QCOMPARE(m_store->LoadExpenses(copy.key), QList<ExpenseRecord>{taxi});
        QVERIFY(m_store->DeleteTravel(m_travel).ok());
        QVERIFY(!QFileInfo::exists(sideFile(m_travel)));
        QVERIFY(QFileInfo::exists(sideFile(copy.key)));
        QVERIFY(CheckDataFolder(m_store->dataFolder(), QString()).isEmpty());
    }

    void showThenImportRoundTrips()
    {
        QList<ExpenseRecord> lines{
            paid(QStringLiteral("Taxi"), 2, "12.50", eur, "0.9424", chf),
            paid(QStringLiteral("Sushi"), 1, "1800", QStringLiteral("JPY"), "0.0061", chf),
            ExpenseRecord{QStringLiteral("Tea"), 1, {}, 4.5, 4.5, 0}};
        QVERIFY(m_store->SaveExpenses(m_travel, lines).ok());
        const QJsonObject shown =
            TravelDocument(GatherTravel(*m_store, m_travel), m_store->displayFormats());
        const QJsonObject first = shown.value(QStringLiteral("expenses")).toArray()[0].toObject();
        QCOMPARE(first.value(QStringLiteral("foreignPrice")).toString(), QStringLiteral("12.50"));
        QCOMPARE(first.value(QStringLiteral("rate")).toString(), QStringLiteral("0.9424"));
        QCOMPARE(first.value(QStringLiteral("rateDate")).toString(), QStringLiteral("2024-05-03"));
        // The itinerary shows the price as paid and what was paid in each currency.
        const QString itinerary =
            ItineraryPdf::BuildDocument(GatherTravel(*m_store, m_travel), m_store->displayFormats())
                ->toPlainText();
        QVERIFY(
            itinerary.contains(ExpenseTotals::ForeignNote(lines[0], m_store->displayFormats())));
        QVERIFY(itinerary.contains(QStringLiteral("Paid in JPY ¥1,800")));
        const ImportResult imported = ImportTravelDocument(*m_store, shown);
        QVERIFY2(imported.badInput.isEmpty(), qPrintable(imported.badInput));
        QCOMPARE(m_store->LoadExpenses(imported.key), m_store->LoadExpenses(m_travel));

        // Refused whole: a code that is not ISO 4217, a rate that is not positive.
        for (const auto& [field, value] : {std::pair{"currency", "EUX"}, std::pair{"rate", "0"},
                                           std::pair{"rate", "-1"}, std::pair{"rate", "abc"}}) {
            QJsonObject bad = shown;
            QJsonArray expenses = bad.value(QStringLiteral("expenses")).toArray();
            QJsonObject line = expenses[0].toObject();
            line.insert(QLatin1String(field), QLatin1String(value));
            expenses[0] = line;
            bad.insert(QStringLiteral("expenses"), expenses);
            const int travels = int(m_store->TravelKeys().size());
            QVERIFY(!ImportTravelDocument(*m_store, bad).badInput.isEmpty());
            QCOMPARE(int(m_store->TravelKeys().size()), travels);
        }
    }

    // Readers of the old columns find them where they were; the currency ones follow them.
    void csvKeepsTheOldColumnsInPlace()
    {
        const QList<ExpenseRecord> lines{
            paid(QStringLiteral("Taxi"), 2, "12.50", eur, "0.9424", chf),
            ExpenseRecord{QStringLiteral("Tea"), 1, {}, 4.5, 4.5, 0}};
        const QStringList rows = RenderExpensesCsv(lines, m_store->displayFormats())
                                     .remove(u'"')
                                     .split(QStringLiteral("\r\n"));
        QCOMPARE(rows[0], QStringLiteral("Status,Item,Quantity,Unit,Price,Total,Currency,Paid/Unit,"
                                         "Paid,Rate,Rate Date"));
        const QStringList taxi = rows[1].split(u',');
        QCOMPARE(taxi.mid(0, 2),
                 QStringList({QStringLiteral("Purchased"), QStringLiteral("Taxi")}));
        QCOMPARE(taxi.mid(6),
                 QStringList({eur, QStringLiteral("12.50"), QStringLiteral("25.00"),
                              QStringLiteral("0.9424"), QStringLiteral("2024-05-03")}));
    }

    // The paid price box takes as many decimals as the line's currency has.
    void thePaidPriceTakesTheDigitsOfItsCurrency()
    {
        ExpenseModel model(m_store->displayFormats());
        model.setExpenses(
            {paid(QStringLiteral("A"), 1, "1.234", QStringLiteral("KWD"), "2.8945", chf),
             paid(QStringLiteral("B"), 1, "1800", QStringLiteral("JPY"), "0.0061", chf),
             paid(QStringLiteral("C"), 1, "12.50", eur, "0.9424", chf)});
        ExpenseDelegate delegate(QLocale(QStringLiteral("de_DE")), {});
        QWidget parent;
        for (const auto& [row, typed, kept] :
             {std::tuple{0, "1,2345", "1,234"}, std::tuple{1, "1800,", "1800"},
              std::tuple{2, "12,505", "12,50"}}) {
            auto* edit = qobject_cast<QLineEdit*>(
                delegate.createEditor(&parent, {}, model.index(row, ExpenseModel::PaidPrice)));
            QVERIFY(edit);
            QTest::keyClicks(edit, QLatin1String(typed));
            QCOMPARE(edit->text(), QLatin1String(kept));
        }
    }

    // An expense entered in euros in a travel whose home currency is the Swiss franc.
    void theExpenseViewShowsSubtotalsPerCurrency()
    {
        WindowFixture run;
        RecordKey travel;
        {
            const std::unique_ptr<TravelDataStore> data = run.seed();
            QVERIFY(data && data->SetHomeCurrency(chf).ok());
            travel = addTitledTravel(*data, at(2006, 3, 20), QStringLiteral("Paris"));
            QVERIFY(data->SaveExpenses(travel,
                                       {ExpenseRecord{QStringLiteral("Hotel"), 1, {}, 100, 100, 1}})
                        .ok());
        }
        run.app.setDisplayFormats(DisplayFormats(QLocale(QStringLiteral("de_CH"))));
        CMainFrame* frame = run.startOnFolder(QDate(2006, 3, 1));
        QVERIFY(frame);
        frame->tree()->selectPath(travel, TreeChild::Expenses, RecordKey());
        auto* view = qobject_cast<CExpenseListView*>(frame->upperView());
        QVERIFY(view);
        ExpenseModel* model = view->model();
        QVERIFY(view->list()->isColumnHidden(ExpenseModel::CurrencyCode));

        const int row = model->addExpense(QStringLiteral("Taxi"));
        const auto set = [&](int column, const QString& text) {
            QVERIFY(model->setData(model->index(row, column), text));
        };
        set(ExpenseModel::Quantity, QStringLiteral("2"));
        set(ExpenseModel::CurrencyCode, eur);
        set(ExpenseModel::Rate, QStringLiteral("0.9424"));
        set(ExpenseModel::PaidPrice, QStringLiteral("12.50"));
        QVERIFY(model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(!view->list()->isColumnHidden(ExpenseModel::CurrencyCode));

        const auto text = [&](int r, int column) {
            return model->index(r, column).data().toString();
        };
        const DisplayFormats& formats = run.store.displayFormats();
        QCOMPARE(text(row, ExpenseModel::PricePerUnit), formats.FormatAmount(11.78));
        // Hotel, Taxi, separator, a subtotal for each currency, Grand Total.
        QCOMPARE(model->rowCount(), 6);
        QCOMPARE(text(3, ExpenseModel::PricePerUnit), QStringLiteral("Paid in CHF"));
        QCOMPARE(text(3, ExpenseModel::Total), formats.FormatAmount(100));
        QCOMPARE(text(4, ExpenseModel::PricePerUnit), QStringLiteral("Paid in EUR"));
        QCOMPARE(text(4, ExpenseModel::PaidPrice),
                 Currency::Format(dec("25.00"), eur, formats.locale()));
        QCOMPARE(text(4, ExpenseModel::Total), formats.FormatAmount(23.56));
        QCOMPARE(text(5, ExpenseModel::Total), formats.FormatAmount(123.56));
        QCOMPARE(text(5, ExpenseModel::PricePerUnit), QStringLiteral("Grand Total"));

        // The day the rate is for is typed in the cell's date box; a home expense has none.
        QVERIFY(!(model->index(0, ExpenseModel::RateDate).flags() & Qt::ItemIsEditable));
        const QModelIndex rateDay = model->index(row, ExpenseModel::RateDate);
        view->list()->setCurrentIndex(rateDay);
        view->list()->edit(rateDay);
        auto* dateBox = view->list()->findChild<QDateEdit*>();
        QVERIFY(dateBox && dateBox->calendarPopup());
        dateBox->setDate(QDate(2006, 3, 21));
        QTest::keyClick(dateBox, Qt::Key_Return);
        QCOMPARE(rateDay.data(Qt::EditRole).toDate(), QDate(2006, 3, 21));

        frame->tree()->selectPath(travel, TreeChild::None, {});
        const ForeignPrice saved = *run.store.LoadExpenses(travel)[1].foreign;
        QCOMPARE(saved.price, dec("12.50"));
        QCOMPARE(saved.rateDate, QDate(2006, 3, 21));
        QCOMPARE(run.store.LastRate(eur)->rate, dec("0.9424"));
        QCOMPARE(run.store.LastRate(eur)->rateDate, QDate(2006, 3, 21));

        // Another program puts a line where the taxi was: the entry is told, not applied.
        QList<ExpenseRecord> moved = run.store.LoadExpenses(travel);
        moved[1].product = QStringLiteral("Bus");
        moved[1].foreign.reset();
        QVERIFY(writeFile(run.store.dataFolder().expensesFile(travel),
                          RecordCodec::encodeExpenses(RecordCodec::listOf(moved))));
        frame->refresh();
        frame->tree()->selectPath(travel, TreeChild::Expenses, RecordKey());
        const QString told = frame->statusBar()->currentMessage();
        QVERIFY2(told.startsWith(u"EUR 12.50 set aside: "), qPrintable(told));
        const auto* reread = qobject_cast<CExpenseListView*>(frame->upperView());
        QVERIFY(reread && !reread->model()->counts().anyForeign);
    }
};

QTEST_MAIN(TestCurrencies)
#include "tst_currencies.moc"
