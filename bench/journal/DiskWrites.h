// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

// Bytes this process has caused to be sent to the storage layer so far (Linux
// /proc/self/io "write_bytes"): what the disk really writes, whole pages included.
// Empty where the kernel does not count it.
std::optional<int64_t> storageWriteBytes();
