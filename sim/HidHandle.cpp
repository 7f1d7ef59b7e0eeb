// SPDX-License-Identifier: GPL-3.0-or-later
#include "HidHandle.h"

#include <algorithm>
#include <chrono>

int hid_device_::waitingReaders = 0;

void hid_device_::deliver(const std::vector<unsigned char>& report) {
    if (dead || queue.size() >= queueCapacity)
        return;
    queue.push_back(report);
    changed.notify_all();
}

void hid_device_::kill() {
    dead = true;
    queue.clear();
    changed.notify_all();
}

int hid_device_::read(std::unique_lock<std::mutex>& lock, unsigned char* data, std::size_t length,
                      int timeoutMs) {
    const auto ready = [this] { return dead || !queue.empty(); };
    if (timeoutMs != 0 && !ready()) {
        ++waitingReaders;
        if (timeoutMs < 0)
            changed.wait(lock, ready);
        else
            changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
        --waitingReaders;
    }
    // As hidraw does, reports queued before an unplug are still read; then reads fail.
    if (queue.empty())
        return dead ? -1 : 0;
    const std::vector<unsigned char> report = std::move(queue.front());
    queue.pop_front();
    const std::size_t copied = std::min(length, report.size());
    std::copy_n(report.begin(), copied, data);
    return static_cast<int>(copied);
}
