// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

// A day of recording pushed through the recorder as fast as it goes: `meters` meters, one
// sample a second each for 86,400 simulated seconds, into files in `folder` split at
// midnight. Returns the process's resident memory in kB at the start and after each
// quarter of the day.
std::vector<long> simulateDay(const QString& folder, int meters);

// VmRSS of this process in kB, or -1.
long residentKb();
