// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: each input is a log, written as CSV and read back.
#include "CsvRoundTripInvariants.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    useUtcLocalTime();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzBytes in(data, size);
    abortOnViolation(CsvRoundTripCheck::violation(in));
    return 0;
}
