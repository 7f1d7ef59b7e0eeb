// SPDX-License-Identifier: GPL-3.0-or-later
#include "customcoordinates.h"

#include "ui_customcoordinates.h"

#include <QDoubleValidator>
#include <QEvent>

namespace {

constexpr QSize requestedSize(200, 200); // the fixed size of the form wins
constexpr int placementShift = 10;

const char* const switchOnStyle =
    "QPushButton{background-color:rgb(62, 62, 62); color: rgb(217, 102, 255);border:2px groove "
    "green;border-radius:10px;padding:2px 4px;border-style: outset;} "
    "QPushButton:hover{background-color:rgb(62, 62, 62); color: rgb(217, 102, 255);border:2px "
    "groove green;border-radius:10px;padding:2px 4px;border-style: "
    "outset;}QPushButton:pressed{background-color:rgb(0, 255, 0);border-style: inset;}";
const char* const switchOffStyle =
    "QPushButton{background-color: rgb(62, 62, 62);border-radius: 5px;color: rgb(255, 255, "
    "255);border:2px groove gray;border-radius:10px;padding:2px 4px;border-style: outset;} "
    "QPushButton:hover{background-color:rgb(62, 62, 62); color: rgb(217, 102, 255);border:2px "
    "groove green;border-radius:10px;padding:2px 4px;border-style: "
    "outset;}QPushButton:pressed{background-color:rgb(0, 255, 0);border-style: inset;}";

// Numbers as they are stored: C locale, no group separators, no exponent, whatever the
// user's locale, so every accepted text converts back with QString::toFloat.
QDoubleValidator* boundValidator(int channel, QObject* parent) {
    auto* validator = new QDoubleValidator(0.0, CustomRanges::top(channel),
                                           CustomRanges::decimals(channel), parent);
    validator->setNotation(QDoubleValidator::StandardNotation);
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    validator->setLocale(c);
    return validator;
}

} // namespace

customcoordinates::customcoordinates(QWidget* parent)
    : QWidget(parent), ui(new Ui::customcoordinates) {
    ui->setupUi(this);
    setUpRows();
    state.load();
    for (int k = 0; k < recordedChannelCount; ++k) {
        const Row& row = rows[static_cast<size_t>(k)];
        row.min->setValidator(boundValidator(k, row.min));
        row.max->setValidator(boundValidator(k, row.max));
        row.min->setText(CustomRanges::format(k, state.rangeMin[static_cast<size_t>(k)]));
        row.max->setText(CustomRanges::format(k, state.rangeMax[static_cast<size_t>(k)]));
    }
    restoreTexts();
}

customcoordinates::~customcoordinates() {
    delete ui;
}

void customcoordinates::setUpRows() {
    rows = {{{ui->edit_VBUS_Min, ui->edit_VBUS_Max, ui->btn_VBUS},
             {ui->edit_IBUS_Min, ui->edit_IBUS_Max, ui->btn_IBUS},
             {ui->edit_POWER_Min, ui->edit_POWER_Max, ui->btn_POWER},
             {ui->edit_PD_Min, ui->edit_PD_Max, ui->btn_PD},
             {ui->edit_PM_Min, ui->edit_PM_Max, ui->btn_PM},
             {ui->edit_CC1_Min, ui->edit_CC1_Max, ui->btn_CC1},
             {ui->edit_CC2_Min, ui->edit_CC2_Max, ui->btn_CC2},
             {ui->edit_CPU_Min, ui->edit_CPU_Max, ui->btn_CPU}}};
}

QLineEdit* customcoordinates::minEdit(int channel) const {
    return rows[static_cast<size_t>(channel)].min;
}

QLineEdit* customcoordinates::maxEdit(int channel) const {
    return rows[static_cast<size_t>(channel)].max;
}

QPushButton* customcoordinates::switchButton(int channel) const {
    return rows[static_cast<size_t>(channel)].toggle;
}

// editingFinished arrives only for text the validator accepts.
void customcoordinates::storeMin(int channel) {
    state.storeMin(channel, minEdit(channel)->text().toFloat());
    if (state.isOpen[static_cast<size_t>(channel)])
        emit RangChang_signal();
}

void customcoordinates::storeMax(int channel) {
    state.storeMax(channel, maxEdit(channel)->text().toFloat());
    if (state.isOpen[static_cast<size_t>(channel)])
        emit RangChang_signal();
}

void customcoordinates::flip(int channel) {
    state.toggle(channel);
    showSwitch(channel);
    emit RangChang_signal();
}

void customcoordinates::showSwitch(int channel) {
    const bool open = state.isOpen[static_cast<size_t>(channel)];
    QPushButton* button = switchButton(channel);
    button->setText(open ? tr("启用") : tr("关闭"));
    button->setStyleSheet(QString::fromLatin1(open ? switchOnStyle : switchOffStyle));
}

void customcoordinates::toggleOver(const QWidget* window) {
    if (!isHidden()) {
        hide();
        return;
    }
    placeOver(window);
    resize(requestedSize);
    show();
    raise(); // over the curve style table when opened after it
}

void customcoordinates::followWindow(const QWidget* window) {
    if (!isHidden())
        placeOver(window);
}

// A panel inside the window takes the same place, in its parent's coordinates.
void customcoordinates::placeOver(const QWidget* window) {
    const QPoint at(window->x() + (window->width() - width()) / 2 - placementShift,
                    window->y() + (window->height() - height()) / 2 - placementShift);
    move(parentWidget() ? parentWidget()->mapFromGlobal(at) : at);
}

// The form's own re-translation puts "关闭" on every switch and "Form" in the title;
// the switches and the title are put back to what they say.
void customcoordinates::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        restoreTexts();
    }
    QWidget::changeEvent(event);
}

void customcoordinates::restoreTexts() {
    for (int k = 0; k < recordedChannelCount; ++k)
        showSwitch(k);
    setWindowTitle(QCoreApplication::translate("MainDialog", "Custom Axis"));
}
