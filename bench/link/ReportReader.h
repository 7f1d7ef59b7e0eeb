// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MeterIdentity.h"
#include <QByteArray>

#include <ctime>
#include <functional>
#include <optional>

class QObject;

// A thread that reads the simulated meter and hands every full report to the main thread.
class ReportReader {
public:
    static constexpr unsigned short meterVendorId = MeterIdentity::vendorId;
    static constexpr unsigned short meterProductId = MeterIdentity::productId;

    using Sink = std::function<void(const QByteArray& report)>;

    virtual ~ReportReader() = default;
    // Opens the first meter and starts the reading thread; `sink` runs on `context`'s
    // thread for each report. False when no meter could be opened.
    virtual bool start(QObject* context, Sink sink) = 0;
    // The reading thread's CPU-time clock, once known; valid until stop().
    virtual std::optional<clockid_t> cpuClock() const = 0;
    // Ends and joins the reading thread and closes its handle.
    virtual void stop() = 0;
};
