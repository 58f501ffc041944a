#pragma once

#include "RecordFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// A fuzz input is one byte naming the kind of record file, then the file's bytes.
constexpr int FuzzedKinds = 8;

inline RecordFileKind FuzzedKind(std::uint8_t selector)
{
    return RecordFileKind(selector % FuzzedKinds);
}
