// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: each input is an image size and a sequence of replies and ticks.
#include "UpgradeInvariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzBytes in(data, size);
    abortOnViolation(UpgradeInvariants().run(in));
    return 0;
}
