// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The meter's upgrade mode, entered on command 02: it accepts the handshake, checks and
// acknowledges each block, reports every block received (0xEE) and, after its writing
// phase, the image written (0xFF), then leaves the meter to its normal behaviour. A script
// can make it misbehave once per upgrade. Guarded by the bus mutex.

#include "SimMeter.h"

#include <vector>

namespace sim {

// What the meter does about one output report.
struct Answer {
    std::vector<Report> reports; // sent at once, in order
    int finishAfterMs = -1;      // >= 0: the writing phase ends after this many ms
    bool unplug = false;         // the meter drops off the bus
    bool refuseWrite = false;    // the host's write fails
};

class BootLoader {
public:
    // Code 02; a script may keep the meter from entering. Enters afresh when active.
    void enter();
    bool active() const { return mode != Mode::Off; }
    // One output report while active.
    Answer handleOutput(const Report& report);
    // The end of the writing phase: 0xFF (or the scripted fault), back to normal.
    Answer finishWriting();
    // Power lost: upgrade mode ends, the image received so far stays.
    void reset() { mode = Mode::Off; }

    void setScript(const UpgradeScript& newScript) { script = newScript; }
    const std::vector<unsigned char>& image() const { return received; }

private:
    enum class Mode { Off, AwaitingHandshake, Receiving, Writing };

    Answer handshake(const Report& report);
    Answer block(const Report& report);
    Answer blockAccepted(int index);
    Answer fault();
    bool faultDue(int index) const;
    Answer failure();

    UpgradeScript script;
    bool faultUsed = false;
    Mode mode = Mode::Off;
    int blockCount = 0;
    int nextIndex = 0;
    std::vector<unsigned char> received;
};

} // namespace sim
