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

template <typename Visit> void forEachField(Visit&& visit) {
    forEachMeasurementField(visit);
    forEachSettingsField(visit);
}

// Bitwise, so a NaN taken over from a settings report equals itself.
template <typename T> bool sameBits(T a, T b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The name of the first field in which the two readings differ, or an empty string.
inline QString firstDifferentField(const MeterReading& a, const MeterReading& b) {
    QString name;
    forEachField([&](const char* field, auto member) {
        if (name.isEmpty() && !sameBits(a.*member, b.*member))
            name = QString::fromLatin1(field);
    });
    return name;
}

// A reading whose fields all hold different non-zero values, so any write shows.
inline MeterReading distinctReading() {
    MeterReading reading;
    int n = 0;
    forEachField([&](const char*, auto member) {
        using Value = std::remove_reference_t<decltype(reading.*member)>;
        ++n;
        if constexpr (std::is_floating_point_v<Value>)
            reading.*member = Value(n) + Value(0.375); // off the values tests decode
        else
            reading.*member = Value(n);
    });
    return reading;
}

// `to` with the fields of the measurement report taken from `from`.
inline void copyMeasurementFields(const MeterReading& from, MeterReading& to) {
    forEachMeasurementField([&](const char*, auto member) { to.*member = from.*member; });
}

// `to` with the fields of the settings report taken from `from`.
inline void copySettingsFields(const MeterReading& from, MeterReading& to) {
    forEachSettingsField([&](const char*, auto member) { to.*member = from.*member; });
}

} // namespace ReadingFields
