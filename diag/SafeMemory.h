// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// Reads memory of the own process that may not be mapped, without faulting: the kernel
// copies it (process_vm_readv on the own pid) and reports an unreadable address as an error
// instead of a signal. Async-signal-safe.
namespace SafeMemory {

constexpr std::size_t maxRead = 64;

// Copies up to `count` (at most maxRead) bytes from `address` into `target` and returns how
// many leading bytes were readable: 0 when the first one is not.
std::size_t read(void* target, std::uintptr_t address, std::size_t count);

template <typename T> bool readValue(T& target, std::uintptr_t address) {
    return read(&target, address, sizeof target) == sizeof target;
}

} // namespace SafeMemory
