// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>

// Channel order of the decoder; the chart, the curve styles and the sample log use the
// first eight (recordedChannelCount) in this order.
enum Channel : int { VBUS = 0, IBUS, POWER, PD, PM, CC1, CC2, CPU_TEMP, NTC };
inline constexpr int decodedChannelCount = 9;
inline constexpr int recordedChannelCount = 8;

// The program's one current reading: zero at start, overwritten field by field by every
// decoded report. Channel values are in V, A, W and degrees Celsius.
struct MeterReading {
    float vbus = 0, ibus = 0, power = 0, dp = 0, dm = 0, cc1 = 0, cc2 = 0, cpuTemp = 0, ntcTemp = 0;
    quint8 currentDir = 0; // 0 down arrow, 1 up arrow, 2 none

    // The meter's own settings, from the settings report.
    quint8 language = 0; // 0 Chinese, 1 English
    quint8 workBrightness = 0;
    quint8 standbyBrightness = 0;
    quint8 standbyTime = 0;
    quint8 standbyStyle = 0;   // 1, 2 or 3
    quint8 rotationSwitch = 0; // 1 on, 0 off
    float voltCalFactor = 0, currCalFactor = 0, tempCalFactor = 0;
    float minCurrent = 0; // A: 0, 0.01 or 0.02

    // Channel k in decoder order (0..8).
    float channel(int k) const;
    std::array<float, recordedChannelCount> recordedChannels() const;
};

// The process-wide current reading and its "settings report not yet shown" flag.
MeterReading& currentReading();
extern bool settingsReportPending;

// Decodes one input report into currentReading() / settingsReportPending. Safe for any
// bytes: unrecognised or short reports change nothing.
void decodeReport(const unsigned char* buf, int length);
// Whether the report is a measurement (the one that carries channel values).
bool isMeasurementReport(const unsigned char* buf, int length);
// Whether the report is the meter's settings report.
bool isSettingsReport(const unsigned char* buf, int length);
// The same into explicit state, for callers that keep their own.
void decodeReportInto(MeterReading& reading, bool& pending, const unsigned char* buf, int length);
