// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportInput.h"

#include "ReportOutput.h"

#include <hidapi.h>

#include <array>

namespace {
// More than any HID input queue holds: a device that never stops talking cannot keep the
// GUI thread in this loop.
constexpr int maxReportsPerDrain = 256;
} // namespace

int drainReports(hid_device* device, const std::function<void(const unsigned char*)>& handle) {
    if (!device)
        return 0;
    hid_set_nonblocking(device, 1);
    int full = 0;
    std::array<unsigned char, reportSize> report{};
    for (int i = 0; i < maxReportsPerDrain; ++i) {
        const int n = hid_read(device, report.data(), report.size());
        if (n <= 0)
            break;
        if (n < reportSize)
            continue;
        ++full;
        handle(report.data());
    }
    return full;
}
