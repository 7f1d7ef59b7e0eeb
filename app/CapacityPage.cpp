// SPDX-License-Identifier: GPL-3.0-or-later
#include "CapacityPage.h"

#include "CapacityFormat.h"
#include "CapacityView.h"
#include "Setting.h"
#include "SettingKeys.h"
#include "ui_MainDialog.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>

namespace {

QString readKey(const char* key) {
    return Setting().readValue(QString::fromLatin1(key));
}

void writeKey(const char* key, const QString& value) {
    Setting().writeValue(QString::fromLatin1(key), value);
}

// The stored number when it parses and lies in the control's range, else the default.
double storedNumber(const char* key, double fallback, double low, double high) {
    bool ok = false;
    const double value = readKey(key).toDouble(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

} // namespace

CapacityPage::CapacityPage(Ui::MainDialog* ui, Clock clock, QObject* parent)
    : QObject(parent), view(new CapacityView(ui->page_six, ui->six_pageLayout, this)),
      clock(std::move(clock)) {
    ui->six_label_tips->hide();
    loadLimits();
    connectLimits();
    connect(view->start, &QPushButton::clicked, this, &CapacityPage::startTest);
    connect(view->pause, &QPushButton::clicked, this, &CapacityPage::pauseTest);
    connect(view->reset, &QPushButton::clicked, this, &CapacityPage::resetTest);
    refresh();
}

void CapacityPage::addReading(const MeterReading& reading) {
    if (test.state() != CapacityMeter::State::Running)
        return;
    test.addReading(clock(), reading.vbus, reading.ibus, reading.power);
    if (test.state() == CapacityMeter::State::Ended) {
        endedAt = QDateTime::currentDateTime();
        showState();
    }
    showTotals();
}

void CapacityPage::meterAway(Absence why) {
    absence = why;
    test.gap();
    showState();
}

void CapacityPage::relabel() {
    view->relabel();
    showState();
}

void CapacityPage::startTest() {
    test.start();
    refresh();
}

void CapacityPage::pauseTest() {
    test.pause();
    refresh();
}

void CapacityPage::resetTest() {
    test.reset();
    refresh();
}

void CapacityPage::refresh() {
    showTotals();
    showState();
}

void CapacityPage::loadLimits() {
    const CapacityMeter::Limits defaults;
    CapacityMeter::Limits limits;
    limits.endCurrentAmps = storedNumber(SettingKey::capacityEndCurrent, defaults.endCurrentAmps,
                                         view->endCurrent->minimum(), view->endCurrent->maximum());
    limits.endHoldSecs =
        static_cast<int>(storedNumber(SettingKey::capacityEndHoldSecs, defaults.endHoldSecs,
                                      view->endHold->minimum(), view->endHold->maximum()));
    limits.cutOffEnabled = readKey(SettingKey::capacityCutOffOn) == QLatin1String("1");
    limits.cutOffVolts = storedNumber(SettingKey::capacityCutOffVolts, defaults.cutOffVolts,
                                      view->cutOffVolts->minimum(), view->cutOffVolts->maximum());
    test.setLimits(limits);
    view->endCurrent->setValue(limits.endCurrentAmps);
    view->endHold->setValue(limits.endHoldSecs);
    view->cutOffOn->setChecked(limits.cutOffEnabled);
    view->cutOffVolts->setValue(limits.cutOffVolts);
    view->cutOffVolts->setEnabled(limits.cutOffEnabled);
}

// Each change is stored at once, one key per change.
void CapacityPage::connectLimits() {
    const auto limitsWith = [this](const std::function<void(CapacityMeter::Limits&)>& change) {
        CapacityMeter::Limits limits = test.limits();
        change(limits);
        test.setLimits(limits);
    };
    connect(view->endCurrent, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            [=](double amps) {
                limitsWith([amps](CapacityMeter::Limits& l) { l.endCurrentAmps = amps; });
                writeKey(SettingKey::capacityEndCurrent, QString::number(amps, 'f', 3));
            });
    connect(view->endHold, qOverload<int>(&QSpinBox::valueChanged), this, [=](int secs) {
        limitsWith([secs](CapacityMeter::Limits& l) { l.endHoldSecs = secs; });
        writeKey(SettingKey::capacityEndHoldSecs, QString::number(secs));
    });
    connect(view->cutOffOn, &QCheckBox::toggled, this, [=](bool on) {
        limitsWith([on](CapacityMeter::Limits& l) { l.cutOffEnabled = on; });
        view->cutOffVolts->setEnabled(on);
        writeKey(SettingKey::capacityCutOffOn, QLatin1String(on ? "1" : "0"));
    });
    connect(view->cutOffVolts, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            [=](double volts) {
                limitsWith([volts](CapacityMeter::Limits& l) { l.cutOffVolts = volts; });
                writeKey(SettingKey::capacityCutOffVolts, QString::number(volts, 'f', 2));
            });
}

void CapacityPage::showTotals() {
    const CapacityMeter::Totals t = test.totals();
    view->charge->setText(formatCharge(t.milliampHours));
    view->energy->setText(formatEnergy(t.wattHours));
    view->elapsed->setText(formatElapsed(t.elapsedMs));
    const double shown[2][3] = {{t.averageVolts, t.averageAmps, t.averageWatts},
                                {t.peakVolts, t.peakAmps, t.peakWatts}};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c)
            view->values[r][c]->setText(formatQuantity(shown[r][c]));
    }
}

void CapacityPage::showState() {
    const CapacityMeter::State state = test.state();
    switch (state) {
    case CapacityMeter::State::Idle:
        view->state->setText(tr("未开始"));
        break;
    case CapacityMeter::State::Running:
        view->state->setText(runningText());
        break;
    case CapacityMeter::State::Paused:
        view->state->setText(tr("已暂停"));
        break;
    case CapacityMeter::State::Ended:
        view->state->setText(endText());
        break;
    }
    view->start->setEnabled(state != CapacityMeter::State::Running);
    view->pause->setEnabled(state == CapacityMeter::State::Running);
}

QString CapacityPage::runningText() const {
    switch (absence) {
    case Absence::Unplugged:
        return tr("暂停：仪表未连接");
    case Absence::Upgrading:
        return tr("暂停：固件升级中");
    case Absence::None:
        break;
    }
    return tr("测试中");
}

QString CapacityPage::endText() const {
    const QString at = endedAt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (test.endReason() == CapacityMeter::EndReason::LowVoltage)
        return tr("已结束：电压低于截止电压，%1").arg(at);
    return tr("已结束：电流持续低于结束电流，%1").arg(at);
}
