// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SampleStore.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class MainDialog;
class MeterMetrics;

// Feeds the metrics endpoint from the window: the meter the window holds, and every
// sample it records.
class WindowMetrics : public QObject {
    Q_OBJECT
public:
    WindowMetrics(MeterMetrics& metrics, const MainDialog& dialog);

private:
    void meterConnected();
    void meterLost();
    void sampleRecorded(qint64, const SampleStore::Values& values);

    MeterMetrics& metrics;
    const MainDialog& dialog;
    // The meter last announced as connected; empty while none is.
    QString serial;
    QElapsedTimer clock;
};
