// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: each input is the whole of usb-hid.ini.
#include "FuzzBytes.h"
#include "SettingsInvariants.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QDir::setCurrent(fuzzScratchDir());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    abortOnViolation(
        SettingsCheck::violation(QByteArray(reinterpret_cast<const char*>(data), int(size))));
    return 0;
}
