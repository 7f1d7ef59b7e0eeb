// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Acquisition.h"
#include "MeterReading.h"

#include <QObject>

namespace Ui {
class MainDialog;
}

// The live dashboard page: large numbers, gauges, line voltages, temperature, arrow, and
// the live values mirrored on the meter settings page.
class Dashboard : public QObject {
    Q_OBJECT
public:
    Dashboard(Ui::MainDialog* ui, QObject* parent);

    void showCaption(const QString& modelWord, const QString& serialPrefix);
    void showReading(const MeterReading& reading);
    // Run/Stop shows what pressing it does; a run paused by an unplug has a look of its
    // own, since Run would start a fresh run instead of waiting for the meter.
    void showRunState(Acquisition::RunState state);
    static QString awaitingMeterText();
    // Puts back the hint the form's retranslation empties.
    void relabel();

private:
    void showDirection(quint8 direction);
    void showGauges(const MeterReading& reading);

    Ui::MainDialog* ui;
    bool floatingInput = false; // the last reading had an open input's induced voltage
};
