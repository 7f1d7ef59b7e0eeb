// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterReading.h"

#include <QByteArray>
#include <QObject>

#include <functional>
#include <initializer_list>

class QLabel;
class QPushButton;

namespace Ui {
class MainDialog;
}

// The two meter settings pages. Every control updates the page first and then sends its
// frame; the frame only leaves when a meter is open, the page changes regardless.
class SettingsPages : public QObject {
    Q_OBJECT
public:
    using FrameSink = std::function<void(const QByteArray&)>;

    SettingsPages(Ui::MainDialog* ui, FrameSink send, QObject* parent);

    // Option button pressed: it turns green, the rest of its group grey.
    void choose(QPushButton* chosen, std::initializer_list<QPushButton*> group, quint8 code);
    void command(quint8 code);
    void integerSetting(QLabel* label, int position, quint8 code);
    void calibration(QLabel* label, int sliderValue, quint8 code);

    // The meter's reported settings, placed on the page that fits its model. Moving a
    // slider to a new value sends that value back, as a drag would.
    void applyReportedSettings(const MeterReading& reading, const QString& modelWord);
    void showMinCurrent(float minCurrent);

    static void select(QPushButton* chosen, std::initializer_list<QPushButton*> group);

private:
    Ui::MainDialog* ui;
    FrameSink send;
};
