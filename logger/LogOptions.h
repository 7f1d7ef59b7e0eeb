// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MetricsAddress.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks the recorder to do.
struct LogOptions {
    enum class Format { None, Human, Csv, Jsonl, Influx };
    static constexpr qint64 defaultSyncSecs = 10;

    QString output;          // a file or a folder; empty: the working folder
    bool all = false;        // every meter, each into its own file
    QString meter;           // only the meter with this serial or path
    bool list = false;       // print the meters found and exit
    qint64 durationSecs = 0; // 0: until stopped
    qint64 waitSecs = -1;    // for the first meter; negative: as long as it takes
    int splitDays = 0;       // 0: one file for the whole run
    qint64 syncSecs = defaultSyncSecs;
    Format format = Format::None;
    bool quiet = false;
    std::optional<MetricsAddress> metrics; // serve Prometheus metrics there
};

struct ParsedOptions {
    enum class Outcome { Run, ExitNow };
    Outcome outcome = Outcome::Run;
    int exitCode = 0;
    QString message; // printed before exiting: help or version (stdout), or the error
    LogOptions options;
};

// Parses the arguments (program name first). An unknown option or a malformed value is an
// error with exit code 2; --help and --version exit with 0. Without --format the output
// is human on a terminal (`stdoutIsTerminal`) and nothing otherwise.
ParsedOptions parseLogOptions(const QStringList& arguments, bool stdoutIsTerminal);
