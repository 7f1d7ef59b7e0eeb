// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QCommandLineParser;

// What the command line asks of the program.
struct CommandLine {
    // Set when the program ends at once: 0 after --help or --version, 2 after a mistake.
    std::optional<int> exitCode;
    // usb-meter FILE.csv: a recording saved earlier, shown at start.
    QString recordingFile;
    // --metrics [ADDRESS:]PORT as given; empty when absent.
    QString metricsAddress;
};

// The options and arguments the program takes, described for the help text.
void describeCommandLine(QCommandLineParser& parser);

// Reads the command line before any window or display exists, so that --help, --version
// and mistakes are answered on the terminal even where no display is reachable.
CommandLine parseCommandLine(int argc, char** argv);
