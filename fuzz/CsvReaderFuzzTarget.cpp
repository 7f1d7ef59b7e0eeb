// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: each input is the whole of a recording file.
#include "CsvReadInvariants.h"
#include "FuzzBytes.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    useUtcLocalTime();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    abortOnViolation(CsvReadCheck::violation(bytes));
    return 0;
}
