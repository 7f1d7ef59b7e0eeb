// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: every input, of any size, is one read handed to the decoder.
#include "DecodeInvariants.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int length = size > std::size_t(INT_MAX) ? INT_MAX : int(size);
    for (const bool pending : {false, true}) {
        const QString violation =
            decodeViolation(ReadingFields::distinctReading(), pending, data, length);
        if (!violation.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(violation));
            std::abort();
        }
    }
    return 0;
}
