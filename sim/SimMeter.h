// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Test and demo API of the simulated meter. The library also defines the hidapi C
// functions (hid_init ... hid_error) over the devices plugged in here, with hidraw
// semantics: every input report goes to every open handle (64 queued at most per handle,
// newer ones dropped when full); an unplugged device fails reads and writes on open
// handles with -1 and refuses new opens. Every function is thread-safe.

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

using Report = std::array<unsigned char, 64>;

struct Identity {
    unsigned short vendorId = 0x0483;
    unsigned short productId = 0x5750;
    std::wstring manufacturer = L"VARNIK";
    std::wstring product = L"USB K82 V1.0";
    std::wstring serial = L"0123456789";
};

// What the simulated meter measures and holds; the model answers from it.
struct MeterState {
    // VBUS, IBUS, POWER, D+, D-, CC1, CC2, CPU temperature, NTC temperature.
    std::array<double, 9> channels{5.0, 0.0, 0.0, 0.6, 0.6, 1.7, 0.0, 30.0, 25.0};
    uint8_t direction = 0;
    uint8_t language = 0;
    uint8_t workBrightness = 5;
    uint8_t standbyBrightness = 2;
    uint8_t standbyTime = 30;
    uint8_t standbyStyle = 1;
    uint8_t rotationSwitch = 0;
    float voltCalFactor = 1.0f;
    float currCalFactor = 1.0f;
    float tempCalFactor = 1.0f;
    float minCurrent = 0.01f;
    bool answersPolls = true; // false: stays silent on poll frames
};

// How the meter's upgrade mode misbehaves: the fault happens once per upgrade, when block
// `atBlock` arrives (in place of its acknowledgement), or at the end of the writing phase
// when `atBlock` is writingPhase. StayInNormalMode ignores `atBlock`.
struct UpgradeScript {
    enum Fault {
        None,
        StayInNormalMode, // command 02 is ignored: the handshake gets no answer
        ReportFailure,    // 0x11
        Unplug,           // the meter drops off the bus
        RefuseWrite,      // the host's write of the block fails
    };
    static constexpr int writingPhase = -1;

    Fault fault = None;
    int atBlock = 0;
    int writingMs = 1000; // from 0xEE to 0xFF
};

// Stops the meter's clock, so that a writing phase lasts until the clock is released (reset
// releases it too): a test sees what comes before the phase ends without a race.
void holdClock(bool held);

// The identity of meter `index` of a rack of like meters: the default identity, with
// serial numbers counting up from the default one (index 0 is the default identity).
Identity rackIdentity(int index);

// Plugs in a new device (listed after those already present); returns its id.
int plug(const Identity& identity = Identity(), const MeterState& state = MeterState());
void unplug(int id);
// Brings an unplugged device back at its old place in the listing; old handles stay dead.
void replug(int id);
bool isPlugged(int id);
// While refused, the device stays listed but hid_open of it fails with errno EACCES, as a
// hidraw node the user has no permission on does.
void setOpenRefused(int id, bool refused);
// Removes every device and forgets every count (handles still open become dead).
void reset();

// Queues one input report on every open handle of the device.
void sendInput(int id, const Report& report);
// Queues raw bytes (at most 64), so a read returns a short or malformed report.
void sendRawInput(int id, const std::vector<unsigned char>& bytes);
// Every report written to the device through any handle, in order, as written.
std::vector<Report> writtenReports(int id);
void clearWrittenReports(int id);
// Off by default, so that long runs stay flat: while on, every report the program reads
// from the device (through any handle, a short one zero-padded) is kept, in order.
void keepReportsRead(int id, bool keep);
std::vector<Report> reportsRead(int id);

void setUpgradeScript(int id, const UpgradeScript& script);
// The firmware bytes the meter accepted in its last upgrade, in order.
std::vector<unsigned char> receivedImage(int id);
bool inUpgradeMode(int id);

MeterState state(int id);
void setState(int id, const MeterState& state);
// Replaces only the measured values, keeping the settings the host may have changed.
void setChannels(int id, const std::array<double, 9>& channels, uint8_t direction);

// Handles not yet closed with hid_close; those of an unplugged device count until closed.
int openHandleCount(int id);
int totalOpenHandles();
// Opens beyond `count` open handles of the device fail, as when the libusb backend or
// another program holds its interface; negative (the default) means no limit.
void setMaxOpenHandles(int id, int count);
// Writes attempted through handles of the device while it was unplugged.
int deadHandleWrites(int id);
// Reads, writes and closes through handles already closed: with the real library each
// one would touch freed memory.
int closedHandleUses();
// When each hid_enumerate call since the last reset was made, oldest first.
std::vector<std::chrono::steady_clock::time_point> enumerationTimes();

// Library-wide calls (hid_init, hid_exit, hid_enumerate, hid_open) each take this long,
// so that calls made from two threads would overlap; the largest overlap seen since
// the last reset.
void setLibraryCallDelayMs(int ms);
int maxOverlappingLibraryCalls();
// Every hid_write waits this long before it touches its handle, so that a write racing a
// close from another thread would land on the closed handle.
void setWriteDelayMs(int ms);
// Threads blocked in hid_read or hid_read_timeout right now.
int waitingReaders();

// The reports the model sends, built from a state.
Report measurementReport(const MeterState& state);
Report settingsReport(const MeterState& state);

} // namespace sim
