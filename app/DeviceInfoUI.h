// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QWidget>

class QLabel;

namespace Ui {
class DeviceInfoUI;
}

// One card of the device list: model, manufacturer, serial prefix, version, state.
class DeviceInfoUI : public QWidget {
    Q_OBJECT
public:
    enum State : quint8 { Idle = 0, Error = 1, Connected = 2 };

    explicit DeviceInfoUI(QWidget* parent = nullptr);
    ~DeviceInfoUI() override;

    void setModel(const QString& text);
    void setType(const QString& text);
    void setIndex(const QString& text);
    void setSerial(const QString& text);
    void setVersion(const QString& text);
    // Renders a state (text and background); values other than 0..2 change nothing.
    void setConnectState(quint8 state);

    quint8 connectState = Idle;

protected:
    void changeEvent(QEvent* event) override;

private:
    void showValue(QLabel* label, const QString& text);

    Ui::DeviceInfoUI* ui;
    // Values shown on the card, put back after a language change re-labels the form.
    QHash<QLabel*, QString> values;
};
