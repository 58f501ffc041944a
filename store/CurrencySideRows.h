#pragma once

#include "CurrencySideFile.h"

// The side file as written since version 3, in the primitives of the record files (all
// little-endian): int32 magic "VCUR", int32 version, text home currency, then the
// entries and the entries set aside, each an int32 count and that many rows of
//   int32 position, text product, int64+int32 home unit price (units, scale),
//   text currency, int64+int32 price, int64+int32 rate, int32 rate day (Julian day,
//   0: none), int32 rate from (0 typed, 1 worked out from the amount charged), text note.
// A travel of thousands of foreign expenses reads without parsing text.
namespace CurrencySideRows {

constexpr qint32 Magic = 0x52554356; // "VCUR" in the file's byte order
constexpr qint32 Version = 3;

QByteArray Encode(const CurrencySideFile& file);
// Nothing, with the cause, for bytes that are not a whole side file of this version.
std::optional<CurrencySideFile> Decode(const QByteArray& bytes, QString* cause);

} // namespace CurrencySideRows
