// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CustomRanges.h"

#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;

namespace Ui {
class customcoordinates;
}

// The custom axis range panel: per channel a minimum, a maximum and an on/off switch,
// each stored the moment it changes. RangChang_signal announces every change that
// matters to the chart: a switch flipped, or a bound edited while its switch is on.
class customcoordinates : public QWidget {
    Q_OBJECT
public:
    explicit customcoordinates(QWidget* parent = nullptr);
    ~customcoordinates() override;

    const CustomRanges& ranges() const { return state; }
    // Shows the panel centred over the given window (10 px up and left) and above its
    // siblings, or hides it when it is shown.
    void toggleOver(const QWidget* window);
    // The window changed size: a shown panel takes its place over it again.
    void followWindow(const QWidget* window);

    QLineEdit* minEdit(int channel) const;
    QLineEdit* maxEdit(int channel) const;
    QPushButton* switchButton(int channel) const;

signals:
    void RangChang_signal();

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void on_edit_VBUS_Min_editingFinished() { storeMin(VBUS); }
    void on_edit_VBUS_Max_editingFinished() { storeMax(VBUS); }
    void on_edit_IBUS_Min_editingFinished() { storeMin(IBUS); }
    void on_edit_IBUS_Max_editingFinished() { storeMax(IBUS); }
    void on_edit_POWER_Min_editingFinished() { storeMin(POWER); }
    void on_edit_POWER_Max_editingFinished() { storeMax(POWER); }
    void on_edit_PD_Min_editingFinished() { storeMin(PD); }
    void on_edit_PD_Max_editingFinished() { storeMax(PD); }
    void on_edit_PM_Min_editingFinished() { storeMin(PM); }
    void on_edit_PM_Max_editingFinished() { storeMax(PM); }
    void on_edit_CC1_Min_editingFinished() { storeMin(CC1); }
    void on_edit_CC1_Max_editingFinished() { storeMax(CC1); }
    void on_edit_CC2_Min_editingFinished() { storeMin(CC2); }
    void on_edit_CC2_Max_editingFinished() { storeMax(CC2); }
    void on_edit_CPU_Min_editingFinished() { storeMin(CPU_TEMP); }
    void on_edit_CPU_Max_editingFinished() { storeMax(CPU_TEMP); }
    void on_btn_VBUS_clicked() { flip(VBUS); }
    void on_btn_IBUS_clicked() { flip(IBUS); }
    void on_btn_POWER_clicked() { flip(POWER); }
    void on_btn_PD_clicked() { flip(PD); }
    void on_btn_PM_clicked() { flip(PM); }
    void on_btn_CC1_clicked() { flip(CC1); }
    void on_btn_CC2_clicked() { flip(CC2); }
    void on_btn_CPU_clicked() { flip(CPU_TEMP); }
    void on_btn_CLOS_SET_clicked() { hide(); }

private:
    struct Row {
        QLineEdit* min;
        QLineEdit* max;
        QPushButton* toggle;
    };

    void setUpRows();
    void storeMin(int channel);
    void storeMax(int channel);
    void flip(int channel);
    void showSwitch(int channel);
    void restoreTexts();
    void placeOver(const QWidget* window);

    Ui::customcoordinates* ui;
    CustomRanges state;
    std::array<Row, recordedChannelCount> rows{};
};
