// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchSize.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

// The start shared by the link benchmarks: a --seconds option and a fresh working
// directory, because the link thread keeps its report id in usb-hid.ini there.
namespace LinkBenchSetup {

// The --seconds value, or -1 (after saying so) when it is not a positive whole number.
inline int seconds(const QCoreApplication& app, const char* program, const QString& help,
                   int defaultSeconds) {
    defaultSeconds = benchSize(defaultSeconds, 1);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption option("seconds", help.arg(defaultSeconds), "N",
                                    QString::number(defaultSeconds));
    parser.addOption(option);
    parser.process(app);
    bool valid = false;
    const int value = parser.value(option).toInt(&valid);
    if (valid && value > 0)
        return value;
    std::fprintf(stderr, "%s: --seconds takes a positive whole number\n", program);
    return -1;
}

inline bool enterWorkDir(const QTemporaryDir& dir, const char* program) {
    if (dir.isValid() && QDir::setCurrent(dir.path()))
        return true;
    std::fprintf(stderr, "%s: no temporary working directory\n", program);
    return false;
}

// Line-buffered output (each figure shows as soon as it is known, even through a pipe),
// the --seconds value and `workDir` entered; -1 when one of them failed.
inline int start(const QCoreApplication& app, const QTemporaryDir& workDir, const char* program,
                 const QString& help, int defaultSeconds) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int value = seconds(app, program, help, defaultSeconds);
    return value > 0 && enterWorkDir(workDir, program) ? value : -1;
}

} // namespace LinkBenchSetup
