// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One open handle to a simulated device, with its own input queue like a hidraw file.
// Every member is guarded by the bus mutex, which the caller holds.

#include "SimDevice.h"

#include <hidapi.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

struct hid_device_ {
    explicit hid_device_(std::shared_ptr<sim::Device> device) : device(std::move(device)) {}

    // Queues one input report; it is dropped when the queue is full or the handle is dead.
    void deliver(const std::vector<unsigned char>& report);
    // The device went away: queued reports are discarded and blocked readers fail.
    void kill();
    // Takes the oldest report, waiting up to timeoutMs (negative: no limit) with `lock`
    // released. Returns the bytes copied, 0 when none came in time, -1 when dead and drained.
    int read(std::unique_lock<std::mutex>& lock, unsigned char* data, std::size_t length,
             int timeoutMs);

    // Threads waiting inside read() on any handle.
    static int waitingReaders;

    const std::shared_ptr<sim::Device> device;
    bool dead = false;
    // Closed with hid_close: the bus keeps the object until reset, so that a later use is
    // counted instead of touching freed memory.
    bool closed = false;
    bool nonBlocking = false;

private:
    static constexpr std::size_t queueCapacity = 64;

    std::deque<std::vector<unsigned char>> queue;
    std::condition_variable changed;
};
