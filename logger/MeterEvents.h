// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"

#include <QObject>
#include <QString>

#include <array>

// Who a recorded meter is. `key` tells meters apart for the whole run: the USB serial
// string, or the path when the serial is empty or shared with another meter.
struct MeterInfo {
    QString key;
    QString serial;
    QString path;
    QString product;
};

// One decoded measurement report, stamped when it arrived: wall clock for the records,
// a clock that never steps for integrating over time.
struct LoggedSample {
    qint64 epochMs = 0;
    qint64 monotonicMs = 0;
    std::array<float, decodedChannelCount> channels{};
};

// The one place where the recorder says what its meters do. The files, the standard
// output and any other consumer (an exporter of metrics, say) attach here and never
// reach into the links. Every signal is emitted on the main thread.
class MeterEvents : public QObject {
    Q_OBJECT
signals:
    void meterConnected(const MeterInfo& meter);
    void meterDisconnected(const MeterInfo& meter);
    void sampleDecoded(const MeterInfo& meter, const LoggedSample& sample);
    // A full report that is neither a measurement nor the meter's settings.
    void reportRejected(const MeterInfo& meter);
    // The meter is listed but its device node refuses us; once per plug-in.
    void accessDenied(const MeterInfo& meter);
};
