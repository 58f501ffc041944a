#pragma once

#include "Decimal.h"

#include <QDate>
#include <QString>

// What an expense cost in the currency it was paid in. Its home price (the expense
// record's pricePerUnit) is this price at this rate, rounded once; the rate is frozen
// when the expense is entered and never worked out again.
struct ForeignPrice {
    // Where the rate came from: typed, or worked out from the home amount the bank
    // charged.
    enum class RateFrom { Typed, Charged };

    QString currency; // ISO 4217 code
    Decimal price;    // per unit, as paid
    Decimal rate;     // units of the home currency for one unit of this one; 0: none yet
    QDate rateDate;   // the day the rate is for
    RateFrom rateFrom = RateFrom::Typed;

    bool operator==(const ForeignPrice&) const = default;
};
