// SPDX-License-Identifier: GPL-3.0-or-later
// Loaded by the crash helper on a thread of its own: its constructor runs inside dlopen,
// with the dynamic loader's lock held, tells the helper so through the pipe named in
// STALL_FD, and never returns.
#include <cstdlib>
#include <unistd.h>

namespace {

[[gnu::constructor]] void stallInsideDlopen() {
    const char* fd = std::getenv("STALL_FD");
    const char inside = 1;
    if (fd != nullptr && write(std::atoi(fd), &inside, 1) != 1)
        return;
    for (;;)
        pause();
}

} // namespace
