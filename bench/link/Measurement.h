// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <vector>

class ReportReader;

struct LinkFigures {
    double cpuPercent = 0;        // the reading thread's CPU time over the window, % of one core
    std::vector<double> delaysMs; // meter queuing a report to the receiving slot running
    int sent = 0;
};

// Plugs a fresh simulated meter and runs `reader` for `window` while the meter sends one
// numbered report a second; the reader is stopped before this returns. Empty, with the
// reason on stderr, when the reader could not start or received nothing.
std::optional<LinkFigures> measure(ReportReader& reader, std::chrono::seconds window);
