#pragma once

#include "CurrencySideFile.h"

// The side file as written since version 3: CBOR (RFC 8949), a map of
//   "voyantaCurrencies": 3, "home": code, "fields": [names],
//   "entries": [rows], "setAside": [rows]
// where a row is an array of the fields in RowField order, amounts as integer units with
// their scale and the rate's day as a Julian day (0: none), so that a travel of
// thousands of foreign expenses reads without parsing text.
namespace CurrencySideRows {

constexpr int Version = 3;

enum RowField {
    Position,
    Product,
    HomeUnits,
    HomeScale,
    Code,
    PriceUnits,
    PriceScale,
    RateUnits,
    RateScale,
    RateDay,
    RateFrom, // 0 typed, 1 worked out from the amount charged
    Note,
    FieldCount
};

QByteArray Encode(const CurrencySideFile& file);
// Nothing, with the cause, for bytes that are not a whole side file of this version.
std::optional<CurrencySideFile> Decode(const QByteArray& bytes, QString* cause);

} // namespace CurrencySideRows
