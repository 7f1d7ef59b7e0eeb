// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"

#include <QtGlobal>

#include <array>

// The layout of the recording's CSV file: four header lines, then one row of nine fields
// per record. Every line ends with CR LF whatever the platform; the text is UTF-8 without
// a byte-order mark.
namespace CsvLayout {

// The header pieces go through the translation lookup one by one in this context, so a
// catalogue may replace them (ours keeps them as they are).
inline constexpr char translationContext[] = "QObject";
inline constexpr char banner[] = "----------------VARNIK USB_Tester Software----------------\n";
inline constexpr char modelBanner[] =
    "--------------------------R48M----------------------------\n";
inline constexpr std::array<const char*, 3 + 9> headerPieces{
    banner,      modelBanner, banner,   "DATE,",   "VBUS(V),", "IBUS(A),",
    "POWER(W),", "PD(V),",    "PM(V),", "CC1(V),", "CC2(V),",  "CPU_TEMP(℃),\n"};
inline constexpr int headerLines = 4;

inline constexpr char lineEnd[] = "\r\n";
inline constexpr char separator = ',';
inline constexpr int fieldCount = 1 + recordedChannelCount;

// Decimals of each recorded channel, in channel order.
inline constexpr std::array<int, recordedChannelCount> decimals{6, 6, 6, 3, 3, 3, 3, 1};

// Local time of the record, "2024-03-05_14:07:09".
inline constexpr char timestampFormat[] = "yyyy-MM-dd_hh:mm:ss";
inline constexpr int timestampLength = 19;
// "yyyy-MM-dd_hh:mm:", the part shared by the records of one minute.
inline constexpr int minutePrefixLength = 17;

} // namespace CsvLayout
