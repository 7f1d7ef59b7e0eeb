// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"

#include <QString>

#include <cstring>
#include <type_traits>

// Every field of MeterReading, grouped by the report that writes it, for tests that must
// see exactly which fields a decode touched.
namespace ReadingFields {

template <typename Visit> void forEachMeasurementField(Visit&& visit) {
    visit("vbus", &MeterReading::vbus);
    visit("ibus", &MeterReading::ibus);
    visit("power", &MeterReading::power);
    visit("dp", &MeterReading::dp);
    visit("dm", &MeterReading::dm);
    visit("cc1", &MeterReading::cc1);
    visit("cc2", &MeterReading::cc2);
    visit("cpuTemp", &MeterReading::cpuTemp);
    visit("ntcTemp", &MeterReading::ntcTemp);
    visit("currentDir", &MeterReading::currentDir);
}

template <typename Visit> void forEachSettingsField(Visit&& visit) {
    visit("language", &MeterReading::language);
    visit("workBrightness", &MeterReading::workBrightness);
    visit("standbyBrightness", &MeterReading::standbyBrightness);
    visit("standbyTime", &MeterReading::standbyTime);
    visit("standbyStyle", &MeterReading::standbyStyle);
    visit("rotationSwitch", &MeterReading::rotationSwitch);
    visit("voltCalFactor", &MeterReading::voltCalFactor);
    visit("currCalFactor", &MeterReading::currCalFactor);
    visit("tempCalFactor", &MeterReading::tempCalFactor);
    visit("minCurrent", &MeterReading::minCurrent);
}

// The name of the first field in which the two readings differ, or an empty string.
// Bitwise, so a NaN taken over from a settings report equals itself.
inline QString firstDifferentField(const MeterReading& a, const MeterReading& b) {
    QString name;
    const auto compare = [&](const char* field, auto member) {
        if (name.isEmpty() && std::memcmp(&(a.*member), &(b.*member), sizeof(a.*member)) != 0)
            name = QString::fromLatin1(field);
    };
    forEachMeasurementField(compare);
    forEachSettingsField(compare);
    return name;
}

// A reading whose fields all hold different non-zero values, so any write shows.
inline MeterReading distinctReading() {
    MeterReading reading;
    int n = 0;
    const auto assign = [&](const char*, auto member) {
        using Value = std::remove_reference_t<decltype(reading.*member)>;
        reading.*member = Value(++n) + Value(std::is_floating_point_v<Value> ? 0.375 : 0);
    };
    forEachMeasurementField(assign);
    forEachSettingsField(assign);
    return reading;
}

// `to` with the fields of the measurement (or settings) report taken from `from`.
inline void copyOwnFields(const MeterReading& from, MeterReading& to, bool settings) {
    const auto copy = [&](const char*, auto member) { to.*member = from.*member; };
    if (settings)
        forEachSettingsField(copy);
    else
        forEachMeasurementField(copy);
}

} // namespace ReadingFields
