// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"

#include <QString>
#include <QVector>

#include <array>

// The four curve views of the chart and which channel each value axis shows in them.
enum class CurveView { Main, DpDm, Cc, Temperature };

struct AxisBinding {
    int axis;    // 0 left, 1 first right, 2 second right
    int channel; // recorded channel order
    QString unit;
    int precision;
    float defaultTop; // the view opens with [0, defaultTop] unless a custom range is on
};

namespace ChartViews {

inline constexpr int valueAxisCount = 3;

// In axis order.
QVector<AxisBinding> bindings(CurveView view);
// The largest value each channel is assumed to have reached before any sample.
std::array<double, recordedChannelCount> initialPeaks();
// Series names, in channel order.
QString seriesName(int channel);

} // namespace ChartViews
