// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <mutex>

struct hid_device_;
typedef struct hid_device_ hid_device;

// hidapi's library-wide calls (init, exit, enumerate, open) share state inside the
// library and are not safe from two threads at once; the link thread and the dialog
// both make them, so every such call goes through this lock.
namespace HidLibrary {

std::unique_lock<std::mutex> lock();
// Counted: the library is set up by the first init and torn down by the exit that
// matches it, so one of several links going away leaves the others' handles alone.
void init();
void exit();
// Opens the one device at `path` (from an enumeration), so that both handles of the
// program are on the same meter.
hid_device* openPath(const char* path);

} // namespace HidLibrary
