// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterReading.h"

#include "ReportLayout.h"

#include <QtEndian>

#include <cstring>

bool settingsReportPending = false;

namespace {

using namespace ReportLayout;

// Decoder channel order; also the order of the counts in the measurement report.
constexpr std::array<float MeterReading::*, decodedChannelCount> channelFields{
    &MeterReading::vbus, &MeterReading::ibus,    &MeterReading::power,
    &MeterReading::dp,   &MeterReading::dm,      &MeterReading::cc1,
    &MeterReading::cc2,  &MeterReading::cpuTemp, &MeterReading::ntcTemp};

struct ByteField {
    int offset;
    quint8 MeterReading::*member;
};

struct FloatField {
    int offset;
    float MeterReading::*member;
};

constexpr std::array<ByteField, 6> settingsBytes{{
    {Settings::languageOffset, &MeterReading::language},
    {Settings::workBrightnessOffset, &MeterReading::workBrightness},
    {Settings::standbyBrightnessOffset, &MeterReading::standbyBrightness},
    {Settings::standbyTimeOffset, &MeterReading::standbyTime},
    {Settings::standbyStyleOffset, &MeterReading::standbyStyle},
    {Settings::rotationSwitchOffset, &MeterReading::rotationSwitch},
}};

constexpr std::array<FloatField, 4> settingsFloats{{
    {Settings::voltCalOffset, &MeterReading::voltCalFactor},
    {Settings::currCalOffset, &MeterReading::currCalFactor},
    {Settings::tempCalOffset, &MeterReading::tempCalFactor},
    {Settings::minCurrentOffset, &MeterReading::minCurrent},
}};

void applyMeasurement(MeterReading& reading, const unsigned char* buf) {
    for (int k = 0; k < decodedChannelCount; ++k) {
        const quint32 count = qFromLittleEndian<quint32>(buf + Measurement::firstChannelOffset +
                                                         k * Measurement::channelStride);
        // Divided in double so the full 32-bit count keeps its precision until the float.
        reading.*channelFields[k] = static_cast<float>(count / Measurement::countsPerUnit);
    }
    reading.currentDir = buf[Measurement::directionOffset];
}

void applySettings(MeterReading& reading, const unsigned char* buf) {
    for (const ByteField& field : settingsBytes)
        reading.*field.member = buf[field.offset];
    for (const FloatField& field : settingsFloats) {
        // The bits are the float; a numeric conversion would change the value.
        const quint32 bits = qFromBigEndian<quint32>(buf + field.offset);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        reading.*field.member = value;
    }
}

} // namespace

float MeterReading::channel(int k) const {
    if (k < 0 || k >= decodedChannelCount)
        return 0;
    return this->*channelFields[k];
}

std::array<float, recordedChannelCount> MeterReading::recordedChannels() const {
    std::array<float, recordedChannelCount> values{};
    for (int k = 0; k < recordedChannelCount; ++k)
        values[k] = channel(k);
    return values;
}

MeterReading& currentReading() {
    static MeterReading reading;
    return reading;
}

void decodeReport(const unsigned char* buf, int length) {
    decodeReportInto(currentReading(), settingsReportPending, buf, length);
}

bool isMeasurementReport(const unsigned char* buf, int length) {
    return buf != nullptr && length == reportLength && carriesMarkers(buf, Measurement::markers);
}

bool isSettingsReport(const unsigned char* buf, int length) {
    return buf != nullptr && length == reportLength && carriesMarkers(buf, Settings::markers);
}

void decodeReportInto(MeterReading& reading, bool& pending, const unsigned char* buf, int length) {
    // Shorter reads are not reports; checking here keeps every offset below in bounds.
    if (buf == nullptr || length < reportLength)
        return;
    if (isMeasurementReport(buf, length)) {
        applyMeasurement(reading, buf);
    } else if (carriesMarkers(buf, Settings::markers)) {
        applySettings(reading, buf);
        pending = true;
    }
}
