// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReportReader.h"

#include <atomic>
#include <thread>

struct hid_device_;
typedef struct hid_device_ hid_device;

// The naive alternative: non-blocking reads in a loop that never sleeps.
class SpinningReader : public ReportReader {
public:
    ~SpinningReader() override;

    bool start(QObject* context, Sink sink) override;
    std::optional<clockid_t> cpuClock() const override { return clock; }
    void stop() override;

private:
    void spin(QObject* context, const Sink& sink);

    hid_device* device = nullptr;
    std::thread reader;
    std::optional<clockid_t> clock;
    std::atomic<bool> stopFlag{false};
};
