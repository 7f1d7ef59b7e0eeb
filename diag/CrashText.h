// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// Builds the crash report into a buffer the caller owns. It never allocates, locks or calls
// the C library, so the signal handler can use it; text past the buffer's end is dropped.
class CrashText {
public:
    static constexpr int nativeAddressDigits = static_cast<int>(2 * sizeof(void*));

    CrashText(char* buffer, std::size_t capacity, int addressDigits = nativeAddressDigits);

    void text(const char* s);
    // Upper-case hexadecimal with leading zeros, the lowest `digits` nibbles of value.
    void hex(std::uint64_t value, int digits);
    void address(std::uint64_t value) { hex(value, addressDigits); }
    void decimal(std::uint64_t value);

    const char* data() const { return buffer; }
    std::size_t size() const { return length; }

private:
    void put(char c);

    char* buffer;
    std::size_t capacity;
    std::size_t length = 0;
    int addressDigits;
};
