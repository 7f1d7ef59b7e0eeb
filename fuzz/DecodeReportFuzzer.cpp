// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: every input, of any size, is one read handed to the decoder; the same
// bytes are also handed over as a failed read (negative length) and without a buffer.
#include "DecodeInvariants.h"
#include "FuzzBytes.h"

#include <climits>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int length = size > std::size_t(INT_MAX) ? INT_MAX : int(size);
    for (const bool pending : {false, true}) {
        for (const auto& [buf, n] :
             {std::pair{data, length}, {data, -1 - length}, {nullptr, length}})
            abortOnViolation(decodeViolation(ReadingFields::distinctReading(), pending, buf, n));
    }
    return 0;
}
