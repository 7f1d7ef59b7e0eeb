// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartViews.h"

namespace ChartViews {

namespace {
const QString volts = QStringLiteral("V");
} // namespace

QVector<AxisBinding> bindings(CurveView view) {
    switch (view) {
    case CurveView::DpDm:
        return {{0, PD, volts, 2, 5.0f}, {1, PM, volts, 2, 5.0f}};
    case CurveView::Cc:
        return {{0, CC1, volts, 2, 5.0f}, {1, CC2, volts, 2, 5.0f}};
    case CurveView::Temperature:
        return {{0, CPU_TEMP, QStringLiteral("\u2103"), 1, 40.0f}};
    case CurveView::Main:
        break;
    }
    return {{0, VBUS, volts, 2, 20.0f},
            {1, IBUS, QStringLiteral("A"), 2, 10.0f},
            {2, POWER, QStringLiteral("W"), 2, 10.0f}};
}

std::array<double, recordedChannelCount> initialPeaks() {
    return {20, 10, 10, 5, 5, 5, 5, 100};
}

QString seriesName(int channel) {
    static const std::array<const char*, recordedChannelCount> names{
        "VBUS", "IBUS", "Power", "DP", "DM", "CC1", "CC2", "CPU"};
    return QString::fromLatin1(names[static_cast<size_t>(channel)]);
}

} // namespace ChartViews
