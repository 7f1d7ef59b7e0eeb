// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CsvRowFormatter.h"
#include "LogOptions.h"
#include "MeterEvents.h"
#include "MeterTally.h"

#include <QByteArray>

// The line a sample gives on standard output in each format, line end included:
// - human: time, meter, V, A, W, temperature and the running mAh and Wh;
// - csv: the row the meter's file gets;
// - jsonl: one JSON object, numbers as numbers, time in RFC 3339 with its offset;
// - influx: one point of InfluxDB's line protocol, the meter as a tag, time in ns.
class SampleLines {
public:
    explicit SampleLines(LogOptions::Format format) : format(format) {}

    QByteArray line(const MeterInfo& meter, const LoggedSample& sample, const MeterTally& tally);

private:
    QByteArray human(const MeterInfo& meter, const LoggedSample& sample, const MeterTally& tally);
    QByteArray csv(const LoggedSample& sample);
    QByteArray jsonl(const MeterInfo& meter, const LoggedSample& sample, const MeterTally& tally);
    QByteArray influx(const MeterInfo& meter, const LoggedSample& sample);

    const LogOptions::Format format;
    CsvRowFormatter rows;
};

// The recorded channels of a sample, as the file holds them.
SampleStore::Values recordedValues(const LoggedSample& sample);
