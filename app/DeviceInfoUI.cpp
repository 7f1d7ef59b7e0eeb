// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceInfoUI.h"

#include "ui_DeviceInfoUI.h"

#include <QEvent>

namespace {
const char* const initialBackground = "background-color: rgb(54, 131, 59);border-radius:4px;";
const char* const idleBackground = "background-color: rgb(54, 131, 59);";
const char* const errorBackground = "background-color: rgb(68, 68, 68);";
const char* const connectedBackground = "background-color: rgb(16, 157, 56);";
} // namespace

DeviceInfoUI::DeviceInfoUI(QWidget* parent) : QWidget(parent), ui(new Ui::DeviceInfoUI) {
    ui->setupUi(this);
    ui->widget_background->setStyleSheet(QString::fromLatin1(initialBackground));
    // The values come from the device's string descriptors: never interpret them as markup.
    for (QLabel* label : {ui->label_model_value, ui->label_type_value, ui->label_index_value,
                          ui->label_serial_value, ui->label_version_value})
        label->setTextFormat(Qt::PlainText);
}

DeviceInfoUI::~DeviceInfoUI() {
    delete ui;
}

void DeviceInfoUI::setModel(const QString& text) {
    showValue(ui->label_model_value, text);
}
void DeviceInfoUI::setType(const QString& text) {
    showValue(ui->label_type_value, text);
}
void DeviceInfoUI::setIndex(const QString& text) {
    showValue(ui->label_index_value, text);
}
void DeviceInfoUI::setSerial(const QString& text) {
    showValue(ui->label_serial_value, text);
}
void DeviceInfoUI::setVersion(const QString& text) {
    showValue(ui->label_version_value, text);
}

void DeviceInfoUI::showValue(QLabel* label, const QString& text) {
    values[label] = text;
    label->setText(text);
}

void DeviceInfoUI::setConnectState(quint8 state) {
    switch (state) {
    case Idle:
        ui->label_connect_type->setText(tr("空闲"));
        ui->widget_background->setStyleSheet(QString::fromLatin1(idleBackground));
        break;
    case Error:
        ui->label_connect_type->setText(tr("错误"));
        ui->widget_background->setStyleSheet(QString::fromLatin1(errorBackground));
        break;
    case Connected:
        ui->label_connect_type->setText(tr("连接"));
        ui->widget_background->setStyleSheet(QString::fromLatin1(connectedBackground));
        break;
    default:
        break;
    }
}

void DeviceInfoUI::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        // Re-labelling must not turn the meter's model and serial back into placeholders.
        ui->retranslateUi(this);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            it.key()->setText(it.value());
        if (connectState == Error || connectState == Connected)
            setConnectState(connectState);
    }
    QWidget::changeEvent(event);
}
