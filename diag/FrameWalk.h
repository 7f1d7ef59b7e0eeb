// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModuleTable.h"

#include <cstddef>
#include <cstdint>

// The call stack of a faulting thread, from its chain of saved frame pointers (the program is
// built with frame pointers). Every frame is read through SafeMemory, so a corrupt chain ends
// the walk instead of faulting. Async-signal-safe.
namespace FrameWalk {

constexpr std::size_t maxFrames = 64;

// Where the walk begins: the faulting instruction, or, when that is no code at all (a call
// through a null function pointer), the return address that call left on top of the stack.
std::uintptr_t firstAddress(std::uintptr_t pc, std::uintptr_t sp, const ModuleTable& modules);

// Fills `out` with up to `capacity` return addresses, starting with `first` in the frame at
// `framePointer`. Stops at an unreadable frame, an address that is not code, or a link that
// does not climb the stack (which also ends a chain that loops).
std::size_t walk(std::uintptr_t framePointer, std::uintptr_t first, const ModuleTable& modules,
                 std::uintptr_t* out, std::size_t capacity);

} // namespace FrameWalk
