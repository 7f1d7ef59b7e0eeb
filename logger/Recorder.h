// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LogOptions.h"
#include "MeterEvents.h"
#include "MeterFile.h"
#include "MeterTally.h"
#include "SampleLines.h"

#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

// Writes what the meters send: each sample as a row of its meter's file the moment it
// arrives, a line on standard output in the chosen format, and notes on standard error
// when a meter comes and goes. Files are put on the disk every sync period. Memory stays
// the same however long it runs: per meter, an open file and a few totals.
class Recorder : public QObject {
    Q_OBJECT
public:
    Recorder(const LogOptions& options, const OutputPlan& plan, MeterEvents& events);

    // Syncs and closes every file and prints the summary of each meter.
    void finish();
    bool anyMeterSeen() const { return !meters.empty(); }

signals:
    // A file could not be written; the message names it. Rows before it stay valid.
    void writeFailed(const QString& message);

private:
    struct Meter {
        Meter(const OutputPlan& plan, const QString& key, int splitDays)
            : file(plan, key, splitDays) {}
        MeterFile file;
        MeterTally tally;
        int rejectedReports = 0;
        bool everConnected = false;
    };

    Meter& meterFor(const MeterInfo& info);
    void onConnected(const MeterInfo& info);
    void onDisconnected(const MeterInfo& info);
    void onSample(const MeterInfo& info, const LoggedSample& sample);
    void syncAll();
    void fail(const QString& message);
    void note(const QString& text) const;
    void printSummary(const QString& key, const Meter& meter) const;

    const LogOptions options;
    const OutputPlan plan;
    SampleLines lines;
    std::map<QString, std::unique_ptr<Meter>> meters;
    QTimer syncTimer;
    bool failed = false;
};
