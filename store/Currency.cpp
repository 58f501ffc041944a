#include "Currency.h"

#include <unicode/ucurr.h>
#include <unicode/uenum.h>

#include <QHash>
#include <QSet>

#include <cmath>

namespace {

// ICU wants the code as UTF-16 with room for its terminator.
struct IcuCode {
    UChar text[4] = {};
    bool ok = false;

    explicit IcuCode(const QString& code)
    {
        if (code.size() != 3)
            return;
        for (int i = 0; i < 3; ++i) {
            if (code[i] < u'A' || code[i] > u'Z')
                return;
            text[i] = UChar(code[i].unicode());
        }
        ok = true;
    }
};

QStringList codesOf(uint32_t kinds)
{
    UErrorCode status = U_ZERO_ERROR;
    UEnumeration* all = ucurr_openISOCurrencies(kinds, &status);
    QStringList codes;
    while (U_SUCCESS(status)) {
        int32_t length = 0;
        const char* code = uenum_next(all, &length, &status);
        if (!code)
            break;
        codes.append(QString::fromLatin1(code, length));
    }
    uenum_close(all);
    codes.sort();
    return codes;
}

QString lookUpName(const QString& code, const QLocale& locale, UCurrNameStyle style)
{
    const IcuCode icu(code);
    if (!icu.ok)
        return code;
    UErrorCode status = U_ZERO_ERROR;
    UBool isChoiceFormat = false;
    int32_t length = 0;
    const QByteArray localeName = locale.name().toLatin1();
    const UChar* name =
        ucurr_getName(icu.text, localeName.constData(), style, &isChoiceFormat, &length, &status);
    if (U_FAILURE(status) || !name)
        return code;
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(name), length);
}

QString nameOf(const QString& code, const QLocale& locale, UCurrNameStyle style)
{
    // ICU looks names up in its resource bundles on every call; a list of thousands of
    // amounts asks for the same few names again and again.
    thread_local QHash<QString, QString> known;
    const QString key = code + QLatin1Char(char('0' + style)) + locale.name();
    if (const auto it = known.constFind(key); it != known.cend())
        return *it;
    QString name = lookUpName(code, locale, style);
    known.insert(key, name);
    return name;
}

} // namespace

namespace Currency {

bool IsIsoCode(const QString& code)
{
    static const QSet<QString> all = [] {
        const QStringList codes = codesOf(UCURR_ALL);
        return QSet<QString>(codes.begin(), codes.end());
    }();
    return all.contains(code);
}

QStringList CurrentCodes()
{
    static const QStringList codes = codesOf(UCURR_COMMON | UCURR_NON_DEPRECATED);
    return codes;
}

QString Name(const QString& code, const QLocale& locale)
{
    return nameOf(code, locale, UCURR_LONG_NAME);
}

QString Symbol(const QString& code, const QLocale& locale)
{
    // The locale's own currency keeps the symbol the locale gives it.
    if (code == LocaleCode(locale) && locale != QLocale::c())
        return locale.currencySymbol(QLocale::CurrencySymbol);
    return nameOf(code, locale, UCURR_SYMBOL_NAME);
}

QString LocaleCode(const QLocale& locale)
{
    const QString code = locale.currencySymbol(QLocale::CurrencyIsoCode);
    return IsIsoCode(code) ? code : QStringLiteral("USD");
}

int Digits(const QString& code)
{
    thread_local QHash<QString, int> known;
    if (const auto it = known.constFind(code); it != known.cend())
        return *it;
    const IcuCode icu(code);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t digits = icu.ok ? ucurr_getDefaultFractionDigits(icu.text, &status) : -1;
    const int kept = U_SUCCESS(status) && digits >= 0 && digits <= 6 ? digits : 2;
    if (icu.ok)
        known.insert(code, kept);
    return kept;
}

std::optional<Decimal> RoundCash(const Decimal& amount, const QString& code)
{
    const IcuCode icu(code);
    if (!icu.ok)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const int32_t digits =
        ucurr_getDefaultFractionDigitsForUsage(icu.text, UCURR_USAGE_CASH, &status);
    const double increment =
        ucurr_getRoundingIncrementForUsage(icu.text, UCURR_USAGE_CASH, &status);
    if (U_FAILURE(status) || digits < 0 || digits > 6)
        return std::nullopt;
    const auto units = amount.rounded(digits);
    // The smallest coin in minor units: 5 for the Swiss franc's 0.05.
    const qint64 coin = std::llround(increment * std::pow(10.0, digits));
    if (!units || coin <= 1)
        return units;
    const auto coins =
        Decimal::fromUnits(units->units(), 0)->dividedBy(*Decimal::fromUnits(coin, 0), 0);
    return Decimal::fromUnits(coins->units() * coin, digits);
}

QString Format(const Decimal& amount, const QString& code, const QLocale& locale)
{
    const int digits = qMax(Digits(code), amount.scale());
    // A double holds every decimal of up to 15 digits, and QLocale prints it back with
    // exactly those digits; a longer amount is shown as it stands.
    if (amount.units() > 999999999999999 || amount.units() < -999999999999999)
        return amount.toString() + QLatin1Char(' ') + code;
    return locale.toCurrencyString(amount.toDouble(), Symbol(code, locale), digits);
}

std::optional<Decimal> Convert(const Decimal& price, const Decimal& rate, const QString& homeCode)
{
    return price.times(rate, Digits(homeCode));
}

std::optional<Decimal> RateBetween(const Decimal& homeAmount, const Decimal& price,
                                   const QString& homeCode)
{
    if (!price.isPositive() || !homeAmount.isPositive())
        return std::nullopt;
    for (int scale = 4; scale <= 12; ++scale) {
        const auto rate = homeAmount.dividedBy(price, scale);
        if (rate && rate->isPositive() && Convert(price, *rate, homeCode) == homeAmount)
            return rate;
    }
    return homeAmount.dividedBy(price, 12);
}

std::optional<Decimal> LineAmount(double quantity, const Decimal& price, const QString& code)
{
    const auto exactQuantity = Decimal::fromDouble(quantity, 6);
    if (!exactQuantity)
        return std::nullopt;
    return exactQuantity->times(price, Digits(code));
}

} // namespace Currency
