// SPDX-License-Identifier: GPL-3.0-or-later
#include "AxisScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace AxisScales {

namespace {
bool finite(double v) {
    return std::isfinite(v);
}

AxisScale scale(const QString& unit, int precision, float min, float max) {
    return AxisScale{min, max, labels(unit, labelCount, precision, min, max)};
}
} // namespace

QVector<AxisLabel> labels(const QString& unit, int count, int precision, float min, float max) {
    QVector<AxisLabel> out;
    if (count <= 0)
        return out;
    const float step = (max - min) / static_cast<float>(count);
    out.reserve(count + 1);
    for (int i = 0; i <= count; ++i) {
        const float v = static_cast<float>(i) * step + min;
        out.append({QString::number(static_cast<double>(v), 'f', precision) + unit, v});
    }
    return out;
}

AxisScale defaultScale(const QString& unit, int precision, float top) {
    return scale(unit, precision, 0.0f, top);
}

std::optional<AxisScale> autoScale(const QString& unit, int precision, float value) {
    const double top = std::ceil(1.0 + static_cast<double>(value));
    if (!finite(top) || top > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return scale(unit, precision, 0.0f, static_cast<float>(top));
}

std::optional<AxisScale> customScale(const QString& unit, int precision, float min, float max) {
    if (!finite(min) || !finite(max) || !(max > min))
        return std::nullopt;
    return scale(unit, precision, min, max);
}

std::optional<double> grownTop(double axisTop, double channelPeak, float value) {
    const double v = static_cast<double>(value);
    const bool valueCounts = finite(v);
    if (!(valueCounts && v > axisTop) && !(channelPeak > axisTop))
        return std::nullopt;
    return valueCounts ? std::max(v, channelPeak) : channelPeak;
}

} // namespace AxisScales
