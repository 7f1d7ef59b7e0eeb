// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrameWalk.h"

#include "SafeMemory.h"

namespace {

// The standard frame layout: the caller's frame pointer, then the return address.
struct Frame {
    std::uintptr_t callerFrame;
    std::uintptr_t returnAddress;
};

} // namespace

namespace FrameWalk {

std::uintptr_t firstAddress(std::uintptr_t pc, std::uintptr_t sp, const ModuleTable& modules) {
    std::uintptr_t returnAddress = 0;
    if (!modules.isCode(pc) && SafeMemory::readValue(returnAddress, sp))
        return returnAddress;
    return pc;
}

std::size_t walk(std::uintptr_t framePointer, std::uintptr_t first, const ModuleTable& modules,
                 std::uintptr_t* out, std::size_t capacity) {
    std::size_t count = 0;
    std::uintptr_t address = first;
    Frame frame{};
    while (count < capacity && SafeMemory::readValue(frame, framePointer) &&
           modules.isCode(address)) {
        out[count++] = address;
        if (frame.callerFrame <= framePointer)
            break;
        framePointer = frame.callerFrame;
        address = frame.returnAddress;
    }
    return count;
}

} // namespace FrameWalk
