// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterMetrics.h"

#include <prometheus/metric_family.h>

#include <QString>

#include <optional>

// The value a scrape would show for `meter` under the family `name` (a counter's family
// name carries its _total); nothing when the series is absent.
inline std::optional<double> collected(const MeterMetrics& metrics, const char* name,
                                       const QString& meter) {
    for (const prometheus::MetricFamily& family : metrics.Collect()) {
        if (family.name != name)
            continue;
        for (const prometheus::ClientMetric& series : family.metric)
            if (series.label.at(0).value == meter.toStdString())
                return family.type == prometheus::MetricType::Counter ? series.counter.value
                                                                      : series.gauge.value;
    }
    return std::nullopt;
}
