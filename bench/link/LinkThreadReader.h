// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReportReader.h"

#include <atomic>
#include <memory>

class USBThread;

// The program's link thread: blocking reads with a short wait.
class LinkThreadReader : public ReportReader {
public:
    LinkThreadReader();
    ~LinkThreadReader() override;

    bool start(QObject* context, Sink sink) override;
    std::optional<clockid_t> cpuClock() const override;
    void stop() override;

private:
    std::unique_ptr<USBThread> link;
    // Learnt on the link thread itself from its first report, hence atomic.
    std::atomic<bool> clockKnown{false};
    clockid_t clock{};
};
