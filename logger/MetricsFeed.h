// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class MeterEvents;
class MeterMetrics;

// Feeds the metrics endpoint from the recorder: every meter's connections, samples,
// rejected reports and disconnections, labelled with the key the recorder knows it by.
class MetricsFeed : public QObject {
    Q_OBJECT
public:
    MetricsFeed(MeterEvents& events, MeterMetrics& metrics);
};
