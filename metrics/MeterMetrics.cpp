// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterMetrics.h"

#include <prometheus/metric_family.h>

#include <charconv>
#include <iterator>
#include <limits>

namespace {

using prometheus::ClientMetric;
using prometheus::MetricFamily;
using prometheus::MetricType;

constexpr double coulombsPerMilliampHour = 3.6;
constexpr double joulesPerWattHour = 3600.0;
constexpr double msPerSecond = 1000.0;

struct ChannelGauge {
    const char* name;
    const char* help;
    Channel channel;
};

constexpr ChannelGauge channelGauges[] = {
    {"usb_meter_bus_voltage_volts", "Bus voltage (VBUS).", VBUS},
    {"usb_meter_bus_current_amperes", "Bus current.", IBUS},
    {"usb_meter_power_watts", "Power drawn through the meter.", POWER},
    {"usb_meter_data_plus_volts", "Voltage on the D+ line.", PD},
    {"usb_meter_data_minus_volts", "Voltage on the D- line.", PM},
    {"usb_meter_cc1_volts", "Voltage on the CC1 line.", CC1},
    {"usb_meter_cc2_volts", "Voltage on the CC2 line.", CC2},
    {"usb_meter_temperature_celsius", "Temperature of the meter.", CPU_TEMP},
};

MetricFamily family(const char* name, const char* help, MetricType type) {
    MetricFamily f;
    f.name = name;
    f.help = help;
    f.type = type;
    return f;
}

void addSeries(MetricFamily& family, const std::string& serial, const std::string& model,
               double value) {
    ClientMetric metric;
    metric.label = {{"meter", serial}, {"model", model}};
    if (family.type == MetricType::Counter)
        metric.counter.value = value;
    else
        metric.gauge.value = value;
    family.metric.push_back(std::move(metric));
}

// The float the meter sent, as the shortest decimal that reads back as that float: the
// exposition prints 16 digits, too few to carry the float's exact double (5.07 would
// show as 5.070000171661377 or not read back at all).
double shortestDecimal(float value) {
    char text[32];
    const auto written = std::to_chars(std::begin(text), std::end(text), value);
    double decimal = value;
    std::from_chars(text, written.ptr, decimal);
    return decimal;
}

CapacityMeter runningCapacity() {
    CapacityMeter capacity;
    CapacityMeter::Limits neverEnds;
    neverEnds.endCurrentAmps = -std::numeric_limits<double>::infinity();
    capacity.setLimits(neverEnds);
    capacity.start();
    return capacity;
}

} // namespace

MeterMetrics::Meter& MeterMetrics::meterFor(const QString& serial) {
    const auto [it, added] = meters.try_emplace(serial.toStdString());
    if (added)
        it->second.capacity = runningCapacity();
    return it->second;
}

void MeterMetrics::meterConnected(const QString& serial, const QString& model) {
    std::lock_guard<std::mutex> lock(mutex);
    Meter& meter = meterFor(serial);
    meter.model = model.toStdString();
    meter.up = true;
    meter.haveSample = false;
}

void MeterMetrics::sampleRecorded(const QString& serial, const Values& values, qint64 epochMs,
                                  qint64 monotonicMs) {
    std::lock_guard<std::mutex> lock(mutex);
    Meter& meter = meterFor(serial);
    meter.up = true;
    meter.haveSample = true;
    meter.values = values;
    meter.lastSampleSecs = static_cast<double>(epochMs) / msPerSecond;
    meter.samples += 1;
    meter.capacity.addReading(monotonicMs, values[VBUS], values[IBUS], values[POWER]);
}

void MeterMetrics::reportRejected(const QString& serial) {
    std::lock_guard<std::mutex> lock(mutex);
    meterFor(serial).rejected += 1;
}

void MeterMetrics::meterLost(const QString& serial) {
    std::lock_guard<std::mutex> lock(mutex);
    Meter& meter = meterFor(serial);
    meter.up = false;
    meter.haveSample = false;
}

std::vector<MetricFamily> MeterMetrics::Collect() const {
    MetricFamily up = family("usb_meter_up", "1 while the meter is connected, 0 while it is away.",
                             MetricType::Gauge);
    std::vector<MetricFamily> gauges;
    for (const ChannelGauge& gauge : channelGauges)
        gauges.push_back(family(gauge.name, gauge.help, MetricType::Gauge));
    MetricFamily lastSample =
        family("usb_meter_last_sample_timestamp_seconds",
               "Time of the last recorded sample, seconds since the epoch.", MetricType::Gauge);
    MetricFamily charge =
        family("usb_meter_charge_coulombs_total",
               "Charge through the meter since the recorder started.", MetricType::Counter);
    MetricFamily energy =
        family("usb_meter_energy_joules_total",
               "Energy through the meter since the recorder started.", MetricType::Counter);
    MetricFamily samples =
        family("usb_meter_samples_total", "Samples recorded since start.", MetricType::Counter);
    MetricFamily rejected =
        family("usb_meter_rejected_reports_total",
               "Reports from the meter rejected as malformed since start.", MetricType::Counter);

    std::lock_guard<std::mutex> lock(mutex);
    for (const auto& [serial, meter] : meters) {
        addSeries(up, serial, meter.model, meter.up ? 1 : 0);
        if (!meter.up)
            continue;
        const CapacityMeter::Totals totals = meter.capacity.totals();
        addSeries(charge, serial, meter.model, totals.milliampHours * coulombsPerMilliampHour);
        addSeries(energy, serial, meter.model, totals.wattHours * joulesPerWattHour);
        addSeries(samples, serial, meter.model, meter.samples);
        addSeries(rejected, serial, meter.model, meter.rejected);
        if (!meter.haveSample)
            continue;
        for (std::size_t k = 0; k < gauges.size(); ++k)
            addSeries(gauges[k], serial, meter.model,
                      shortestDecimal(meter.values[channelGauges[k].channel]));
        addSeries(lastSample, serial, meter.model, meter.lastSampleSecs);
    }
    std::vector<MetricFamily> all{std::move(up)};
    for (MetricFamily& gauge : gauges)
        all.push_back(std::move(gauge));
    for (MetricFamily* f : {&lastSample, &charge, &energy, &samples, &rejected})
        all.push_back(std::move(*f));
    return all;
}
