#pragma once

#include "RecordFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// A fuzz input is one byte naming the kind of record file, then the file's bytes.
constexpr int FuzzedKinds = 8;
// The selector of a travel's currency side file.
constexpr std::uint8_t FuzzedSideFile = 0xff;

inline RecordFileKind FuzzedKind(std::uint8_t selector)
{
    return RecordFileKind(selector % FuzzedKinds);
}
