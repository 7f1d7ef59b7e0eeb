// SPDX-License-Identifier: GPL-3.0-or-later
#include "CustomRanges.h"

#include "Setting.h"
#include "SettingKeys.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int boundDecimals = 2;
constexpr int temperatureDecimals = 1;
constexpr double boundTop = 100.0;
constexpr double powerTop = 1000.0;
constexpr double temperatureTop = 200.0;

static_assert(SettingKey::rangeMin.size() == recordedChannelCount);

float readBound(const SettingKey::ChannelKeys& keys, int channel) {
    const float v = Setting().readValue(SettingKey::channelKey(keys, channel)).toFloat();
    if (!std::isfinite(v))
        return 0.0f;
    return std::clamp(v, 0.0f, static_cast<float>(CustomRanges::top(channel)));
}

} // namespace

void CustomRanges::load() {
    for (int k = 0; k < recordedChannelCount; ++k) {
        const auto i = static_cast<size_t>(k);
        rangeMin[i] = readBound(SettingKey::rangeMin, k);
        rangeMax[i] = readBound(SettingKey::rangeMax, k);
        isOpen[i] = Setting()
                        .readValue(SettingKey::channelKey(SettingKey::rangeOpen, k))
                        .toInt(nullptr, 10) != 0;
    }
}

void CustomRanges::storeMin(int channel, float v) {
    rangeMin[static_cast<size_t>(channel)] = v;
    Setting().writeValue(SettingKey::channelKey(SettingKey::rangeMin, channel), format(channel, v));
}

void CustomRanges::storeMax(int channel, float v) {
    rangeMax[static_cast<size_t>(channel)] = v;
    Setting().writeValue(SettingKey::channelKey(SettingKey::rangeMax, channel), format(channel, v));
}

bool CustomRanges::toggle(int channel) {
    bool& open = isOpen[static_cast<size_t>(channel)];
    open = !open;
    Setting().writeValue(
        SettingKey::channelKey(SettingKey::rangeOpen, channel),
        QString::fromLatin1(open ? SettingValue::switchOn : SettingValue::switchOff));
    return open;
}

int CustomRanges::decimals(int channel) {
    return channel == CPU_TEMP ? temperatureDecimals : boundDecimals;
}

double CustomRanges::top(int channel) {
    if (channel == POWER)
        return powerTop;
    return channel == CPU_TEMP ? temperatureTop : boundTop;
}

QString CustomRanges::format(int channel, float v) {
    return QString::number(static_cast<double>(v), 'f', decimals(channel));
}

bool CustomRanges::applies(int channel) const {
    const auto i = static_cast<size_t>(channel);
    return isOpen[i] && rangeMax[i] > rangeMin[i];
}
