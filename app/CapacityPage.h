// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CapacityMeter.h"
#include "MeterReading.h"

#include <QDateTime>
#include <QObject>

#include <functional>

class CapacityView;

namespace Ui {
class MainDialog;
}

// The battery capacity page (page six): a capacity test over the live readings with its
// own start, pause and reset, independent of the chart's Run/Stop. Its end conditions
// are kept in usb-hid.ini the moment they change.
class CapacityPage : public QObject {
    Q_OBJECT
public:
    // Monotonic milliseconds; the readings are integrated over its time.
    using Clock = std::function<qint64()>;

    CapacityPage(Ui::MainDialog* ui, Clock clock, QObject* parent);

    // Why no readings come: the test shows itself paused for the gap and integrates
    // nothing over it.
    enum class Absence { None, Unplugged, Upgrading };

    // One decoded measurement report.
    void addReading(const MeterReading& reading);
    void meterAway(Absence why);
    void meterBack() { meterAway(Absence::None); }
    void relabel();

    const CapacityMeter& meter() const { return test; }

private:
    void startTest();
    void pauseTest();
    void resetTest();
    void refresh();
    void loadLimits();
    void connectLimits();
    void showTotals();
    void showState();
    QString runningText() const;
    QString endText() const;

    CapacityView* view;
    Clock clock;
    CapacityMeter test;
    QDateTime endedAt;
    Absence absence = Absence::None;
};
