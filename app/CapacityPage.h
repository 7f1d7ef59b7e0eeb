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

    // One decoded report.
    void addReading(const MeterReading& reading);
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
    QString endText() const;

    CapacityView* view;
    Clock clock;
    CapacityMeter test;
    QDateTime endedAt;
};
