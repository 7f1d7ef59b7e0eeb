// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportOutput.h"

#include <hidapi.h>

#include <algorithm>
#include <array>
#include <cstring>

void sendReport(hid_device* device, const unsigned char* data, int length) {
    if (!device)
        return;
    std::array<unsigned char, reportSize> report{};
    const int count = std::clamp(length, 0, reportSize);
    if (data && count > 0)
        std::memcpy(report.data(), data, static_cast<size_t>(count));
    hid_write(device, report.data(), report.size());
}

void sendReport(hid_device* device, const QByteArray& frame) {
    sendReport(device, reinterpret_cast<const unsigned char*>(frame.constData()), frame.size());
}
