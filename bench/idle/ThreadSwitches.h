// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <set>

// Voluntary context switches of this process's threads, read from
// /proc/self/task/<tid>/status: each one is the thread going to sleep, so their count
// over a stretch of time is how often the thread woke up.
namespace ThreadSwitches {

std::set<int> threadIds();
// Switches so far of each thread in `tids` that still exists.
std::map<int, long long> voluntary(const std::set<int>& tids);

} // namespace ThreadSwitches
