// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskWrites.h"

#include <fstream>
#include <string>

std::optional<int64_t> storageWriteBytes() {
    std::ifstream io("/proc/self/io");
    std::string key;
    int64_t value = 0;
    while (io >> key >> value) {
        if (key == "write_bytes:")
            return value;
    }
    return std::nullopt;
}
