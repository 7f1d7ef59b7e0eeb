// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

struct ProbeFigures {
    double shownMs = 0;    // from just before the spawn to the child's "shown" line
    double peakRssMiB = 0; // the child's peak resident set
};

// Starts `probe` with `workDir` as its working directory and times it until it prints
// "shown"; then waits for it to exit. Empty, with the reason on stderr, when the probe
// could not start, died, never said "shown" or exited with a failure.
std::optional<ProbeFigures> runProbe(const std::string& probe, const std::string& workDir);
