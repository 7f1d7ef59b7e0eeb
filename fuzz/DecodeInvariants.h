#pragma once

#include "MeterReading.h"

#include <QString>

enum class ReportKind { None, Measurement, Settings };

// Which report the length and marker bytes describe; nullptr and short reads are None.
ReportKind reportKindOf(const unsigned char* buf, int length);

// Decodes buf into a copy of (before, pendingBefore) and checks that
// - an unrecognised report changes nothing,
// - a recognised report writes all of its own fields and no other, independently of the
//   state it is decoded into, and only a settings report raises the pending flag,
// - measurement channels stay within 0 .. 2^32-1 millionths,
// - decoding the same report again changes nothing further.
// Returns what broke, or an empty string.
QString decodeViolation(const MeterReading& before, bool pendingBefore, const unsigned char* buf,
                        int length);
