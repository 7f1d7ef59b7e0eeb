// SPDX-License-Identifier: GPL-3.0-or-later
#include "HidLibrary.h"

#include <hidapi.h>

namespace HidLibrary {

std::unique_lock<std::mutex> lock() {
    static std::mutex libraryMutex;
    return std::unique_lock<std::mutex>(libraryMutex);
}

namespace {
int users = 0; // guarded by lock()
}

void init() {
    const auto held = lock();
    if (users++ == 0)
        hid_init();
}

void exit() {
    const auto held = lock();
    if (users > 0 && --users == 0)
        hid_exit();
}

hid_device* openPath(const char* path) {
    const auto held = lock();
    return hid_open_path(path);
}

} // namespace HidLibrary
