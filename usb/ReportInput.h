// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

struct hid_device_;
typedef struct hid_device_ hid_device;

// Reads every input report already queued on the handle, without waiting, oldest first,
// and hands each full 64-byte report to `handle`. Returns how many full reports were read.
// Draining the queue each tick keeps the display current even when the meter sends more
// than one report between ticks.
int drainReports(hid_device* device, const std::function<void(const unsigned char*)>& handle);
