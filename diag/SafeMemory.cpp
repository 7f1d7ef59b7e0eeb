// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeMemory.h"

#include <cerrno>
#include <sys/uio.h>
#include <unistd.h>

namespace SafeMemory {

std::size_t read(void* target, std::uintptr_t address, std::size_t count) {
    if (count > maxRead)
        count = maxRead;
    // One element per byte on the far side: the kernel never splits an element, so a range
    // that runs into an unmapped page still yields its readable head.
    iovec remote[maxRead];
    for (std::size_t i = 0; i < count; ++i)
        remote[i] = iovec{reinterpret_cast<void*>(address + i), 1};
    iovec local{target, count};
    const int savedErrno = errno;
    const ssize_t got = process_vm_readv(getpid(), &local, 1, remote, count, 0);
    errno = savedErrno;
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

} // namespace SafeMemory
