// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CsvTimestamp.h"
#include "SampleStore.h"

// Formats records as CSV rows into a caller's buffer, byte for byte what
// QString::number(value, 'f', decimals) and the local-time text would give, without
// building a string per field.
class CsvRowFormatter {
public:
    // Room one row may need: a time stamp and eight floats of up to 39 integer digits.
    static constexpr int maxRowBytes = 512;

    // Writes the row of one record, line end included, at out; returns its end.
    char* writeRow(char* out, qint64 epochSecs, const SampleStore::Values& values);

private:
    CsvTimestamp timestamp;
};

inline constexpr int maxFixedDecimals = 6;

// A float widened to double in fixed point with `decimals` (0 to maxFixedDecimals) decimals, as
// QString::number(double(value), 'f', decimals) writes it: halves round away from zero,
// zero has no sign, NaN is "nan", infinities are "inf" and "-inf". Needs 48 bytes at most.
char* writeFixed(char* out, float value, int decimals);
