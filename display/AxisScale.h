// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>

#include <optional>

// What a labelled value axis shows: its range and one label per tick value. The chart's
// value axes are category axes whose labels are made here, without any widget.
struct AxisLabel {
    QString text;
    double value;
};

struct AxisScale {
    double min = 0;
    double max = 0;
    QVector<AxisLabel> labels;
};

namespace AxisScales {

inline constexpr int labelCount = 10;

// count + 1 labels from min to max, both included: v = i * step + min with the step
// rounded to single precision, each written with `precision` decimals and the unit.
QVector<AxisLabel> labels(const QString& unit, int count, int precision, float min, float max);
// [0, top], the range a view opens with.
AxisScale defaultScale(const QString& unit, int precision, float top);
// [0, ceil(1 + value)]: the next whole number above the value. Empty for a value that is
// not finite, so no axis is ever given an endless range.
std::optional<AxisScale> autoScale(const QString& unit, int precision, float value);
// [min, max] as the user set it; empty unless both are finite and max > min.
std::optional<AxisScale> customScale(const QString& unit, int precision, float min, float max);

// The top an axis grows to when the value or the channel's peak passes its current top:
// the larger of the two, a value that is not finite counting as absent. Empty when the
// axis can stay as it is.
std::optional<double> grownTop(double axisTop, double channelPeak, float value);

} // namespace AxisScales
