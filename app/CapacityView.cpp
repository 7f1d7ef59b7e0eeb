// SPDX-License-Identifier: GPL-3.0-or-later
#include "CapacityView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The dashboard's colours: volts green, amperes cyan, watts yellow; large numbers in a
// monospaced bold face.
const char* const pageStyle =
    "QLabel#six_label_charge,QLabel#six_label_energy,QLabel#six_label_elapsed{"
    "font-family:\"DejaVu Sans Mono\",\"Consolas\",\"Courier New\";font-size:40px;"
    "font-weight:bold;}"
    "#six_label_charge,#six_label_charge_name{color:rgb(0, 240, 244);}"
    "#six_label_energy,#six_label_energy_name{color:rgb(255, 217, 25);}"
    "#six_label_elapsed,#six_label_elapsed_name{color:rgb(85, 255, 0);}"
    "#six_label_charge_name,#six_label_energy_name,#six_label_elapsed_name{font-size:15px;"
    "font-weight:bold;}"
    "QLabel[role=\"value\"]{font-family:\"DejaVu Sans Mono\",\"Consolas\",\"Courier New\";"
    "font-size:18px;font-weight:bold;color:rgb(240, 240, 240);}"
    "#six_label_state{font-size:16px;font-weight:bold;color:rgb(255, 170, 0);}";

constexpr double maxEndCurrentAmps = 10.0;
constexpr int maxEndHoldSecs = 24 * 3600;
constexpr double maxCutOffVolts = 50.0;
constexpr int largeNumberWidth = 240;

// The page's texts live in one translation context with those of CapacityPage.
QString trPage(const char* sourceText) {
    return QCoreApplication::translate("CapacityPage", sourceText);
}

QLabel* namedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* valueLabel(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("0.000"), parent);
    label->setProperty("role", QStringLiteral("value"));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

struct DecimalRange {
    int decimals;
    double maximum;
    double step;
    const char* suffix;
};

QDoubleSpinBox* decimalBox(const char* name, const DecimalRange& range, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setDecimals(range.decimals);
    box->setRange(0.0, range.maximum);
    box->setSingleStep(range.step);
    box->setSuffix(QString::fromLatin1(range.suffix));
    return box;
}

} // namespace

CapacityView::CapacityView(QWidget* page, QVBoxLayout* pageLayout, QObject* parent)
    : QObject(parent) {
    auto* body = new QWidget(page);
    body->setObjectName(QStringLiteral("six_body"));
    body->setStyleSheet(QString::fromLatin1(pageStyle));
    auto* layout = new QVBoxLayout(body);
    layout->addStretch(1);
    layout->addWidget(buildTotals());
    layout->addWidget(buildTable());
    state = namedLabel("six_label_state", body);
    layout->addWidget(state);
    layout->addWidget(buildControls());
    layout->addWidget(buildLimits());
    layout->addStretch(2);
    pageLayout->addWidget(body, 1);
    relabel();
}

QWidget* CapacityView::buildTotals() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    chargeName = namedLabel("six_label_charge_name", box);
    energyName = namedLabel("six_label_energy_name", box);
    elapsedName = namedLabel("six_label_elapsed_name", box);
    charge = namedLabel("six_label_charge", box);
    energy = namedLabel("six_label_energy", box);
    elapsed = namedLabel("six_label_elapsed", box);
    QLabel* names[] = {chargeName, energyName, elapsedName};
    QLabel* numbers[] = {charge, energy, elapsed};
    for (int c = 0; c < 3; ++c) {
        numbers[c]->setMinimumWidth(largeNumberWidth);
        grid->addWidget(names[c], 0, c);
        grid->addWidget(numbers[c], 1, c);
    }
    return box;
}

QWidget* CapacityView::buildTable() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    for (int c = 0; c < 3; ++c) {
        columnNames[c] = new QLabel(box);
        columnNames[c]->setAlignment(Qt::AlignCenter);
        grid->addWidget(columnNames[c], 0, c + 1);
    }
    for (int r = 0; r < 2; ++r) {
        rowNames[r] = new QLabel(box);
        grid->addWidget(rowNames[r], r + 1, 0);
        for (int c = 0; c < 3; ++c) {
            values[r][c] = valueLabel(box);
            grid->addWidget(values[r][c], r + 1, c + 1);
        }
    }
    return box;
}

QWidget* CapacityView::buildControls() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    start = new QPushButton(box);
    start->setObjectName(QStringLiteral("six_btn_start"));
    pause = new QPushButton(box);
    pause->setObjectName(QStringLiteral("six_btn_pause"));
    reset = new QPushButton(box);
    reset->setObjectName(QStringLiteral("six_btn_reset"));
    row->addStretch();
    for (QPushButton* b : {start, pause, reset})
        row->addWidget(b);
    row->addStretch();
    return box;
}

QWidget* CapacityView::buildLimits() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    autoEndName = new QLabel(box);
    endCurrentName = new QLabel(box);
    endCurrent = decimalBox("six_spin_endcurrent", {3, maxEndCurrentAmps, 0.01, " A"}, box);
    endHoldName = new QLabel(box);
    endHold = new QSpinBox(box);
    endHold->setObjectName(QStringLiteral("six_spin_endhold"));
    endHold->setRange(1, maxEndHoldSecs);
    endHold->setSuffix(QStringLiteral(" s"));
    cutOffOn = new QCheckBox(box);
    cutOffOn->setObjectName(QStringLiteral("six_check_cutoff"));
    cutOffVolts = decimalBox("six_spin_cutoff", {2, maxCutOffVolts, 0.1, " V"}, box);
    row->addWidget(autoEndName);
    for (QWidget* w : {static_cast<QWidget*>(endCurrentName), static_cast<QWidget*>(endCurrent),
                       static_cast<QWidget*>(endHoldName), static_cast<QWidget*>(endHold),
                       static_cast<QWidget*>(cutOffOn), static_cast<QWidget*>(cutOffVolts)})
        row->addWidget(w);
    row->addStretch();
    return box;
}

void CapacityView::relabel() {
    chargeName->setText(trPage("电量 (mAh)"));
    energyName->setText(trPage("能量 (Wh)"));
    elapsedName->setText(trPage("测试时间"));
    rowNames[0]->setText(trPage("平均"));
    rowNames[1]->setText(trPage("峰值"));
    columnNames[0]->setText(trPage("电压 (V)"));
    columnNames[1]->setText(trPage("电流 (A)"));
    columnNames[2]->setText(trPage("功率 (W)"));
    start->setText(trPage("开始"));
    pause->setText(trPage("暂停"));
    reset->setText(trPage("清零"));
    autoEndName->setText(trPage("自动结束："));
    endCurrentName->setText(trPage("电流低于"));
    endHoldName->setText(trPage("持续"));
    cutOffOn->setText(trPage("电压低于"));
    endCurrent->setToolTip(trPage("电流低于此值持续设定时间后自动结束测试"));
    cutOffOn->setToolTip(trPage("电压低于此值时自动结束测试"));
}
