// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleLines.h"

#include "CsvLayout.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include <array>
#include <cstdlib>

namespace {

constexpr qint64 msPerSec = 1000;
constexpr qint64 nsPerMs = 1000 * 1000;
constexpr int ntcDecimals = 1;
constexpr int totalDecimals = 3;

// Field names of the decoded channels in jsonl and influx, in decoder order.
constexpr std::array<const char*, decodedChannelCount> fieldNames{
    "vbus", "ibus", "power", "dp", "dm", "cc1", "cc2", "cpu_temp", "ntc_temp"};

int decimalsOf(int channel) {
    return channel < recordedChannelCount ? CsvLayout::decimals[size_t(channel)] : ntcDecimals;
}

// A channel with the decimals the file gives it: JSON and line protocol get the same
// figures as the CSV row.
QByteArray number(float value, int decimals) {
    std::array<char, 64> text;
    return QByteArray(text.data(), int(writeFixed(text.data(), value, decimals) - text.data()));
}

// Line protocol: commas, spaces and equals signs in a tag value are escaped.
QByteArray tagValue(const QString& text) {
    QByteArray escaped;
    for (const char c : text.toUtf8()) {
        if (c == ',' || c == ' ' || c == '=' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped.isEmpty() ? QByteArray("unknown") : escaped;
}

// A string with JSON's escapes: the one element of a compact array, without the brackets.
QByteArray jsonString(const QString& text) {
    return QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
}

QDateTime localTime(const LoggedSample& sample) {
    return QDateTime::fromSecsSinceEpoch(sample.epochMs / msPerSec);
}

// RFC 3339 with the local offset spelled out, +00:00 included: "2024-03-05T14:07:09+01:00".
QByteArray rfc3339(const QDateTime& local) {
    const int offsetMinutes = local.offsetFromUtc() / 60;
    const int size = std::abs(offsetMinutes);
    return (local.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")) +
            QStringLiteral("%1%2:%3")
                .arg(offsetMinutes < 0 ? '-' : '+')
                .arg(size / 60, 2, 10, QLatin1Char('0'))
                .arg(size % 60, 2, 10, QLatin1Char('0')))
        .toUtf8();
}

} // namespace

SampleStore::Values recordedValues(const LoggedSample& sample) {
    SampleStore::Values values{};
    std::copy_n(sample.channels.begin(), values.size(), values.begin());
    return values;
}

QByteArray SampleLines::line(const MeterInfo& meter, const LoggedSample& sample,
                             const MeterTally& tally) {
    switch (format) {
    case LogOptions::Format::Human:
        return human(meter, sample, tally);
    case LogOptions::Format::Csv:
        return csv(sample);
    case LogOptions::Format::Jsonl:
        return jsonl(meter, sample, tally);
    case LogOptions::Format::Influx:
        return influx(meter, sample);
    case LogOptions::Format::None:
        break;
    }
    return {};
}

QByteArray SampleLines::human(const MeterInfo& meter, const LoggedSample& sample,
                              const MeterTally& tally) {
    const auto& c = sample.channels;
    return QStringLiteral("%1  %2  %3 V  %4 A  %5 W  %6 °C  %7 mAh  %8 Wh\n")
        .arg(localTime(sample).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), meter.key)
        .arg(double(c[VBUS]), 0, 'f', 3)
        .arg(double(c[IBUS]), 0, 'f', 3)
        .arg(double(c[POWER]), 0, 'f', 3)
        .arg(double(c[CPU_TEMP]), 0, 'f', 1)
        .arg(tally.milliampHours(), 0, 'f', totalDecimals)
        .arg(tally.wattHours(), 0, 'f', totalDecimals)
        .toUtf8();
}

QByteArray SampleLines::csv(const LoggedSample& sample) {
    std::array<char, CsvRowFormatter::maxRowBytes> row;
    const char* end = rows.writeRow(row.data(), sample.epochMs / msPerSec, recordedValues(sample));
    return QByteArray(row.data(), int(end - row.data()));
}

QByteArray SampleLines::jsonl(const MeterInfo& meter, const LoggedSample& sample,
                              const MeterTally& tally) {
    QByteArray line = "{\"time\":\"" + rfc3339(localTime(sample)) + '"';
    line += ",\"meter\":" + jsonString(meter.key);
    for (int k = 0; k < decodedChannelCount; ++k)
        line += QByteArray(",\"") + fieldNames[size_t(k)] +
                "\":" + number(sample.channels[size_t(k)], decimalsOf(k));
    line += ",\"mah\":" + QByteArray::number(tally.milliampHours(), 'f', totalDecimals);
    line += ",\"wh\":" + QByteArray::number(tally.wattHours(), 'f', totalDecimals);
    return line + "}\n";
}

QByteArray SampleLines::influx(const MeterInfo& meter, const LoggedSample& sample) {
    QByteArray line = "usb_meter,meter=" + tagValue(meter.key);
    for (int k = 0; k < decodedChannelCount; ++k)
        line += (k == 0 ? ' ' : ',') + QByteArray(fieldNames[size_t(k)]) + '=' +
                number(sample.channels[size_t(k)], decimalsOf(k));
    return line + ' ' + QByteArray::number(sample.epochMs / msPerSec * msPerSec * nsPerMs) + '\n';
}
