// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Watches hidapi's library-wide calls (init, exit, enumerate, open). The real hidraw
// library shares state between them, so the program must never run two at once; a test
// can slow each call down and read back the largest overlap seen.
namespace sim::libcalls {

class Scope {
public:
    Scope();
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

// Waits as long as setWriteDelayMs says, before a write touches its handle.
void delayWrite();

void reset();

} // namespace sim::libcalls
