// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashText.h"

CrashText::CrashText(char* buffer, std::size_t capacity, int addressDigits)
    : buffer(buffer), capacity(capacity), addressDigits(addressDigits) {}

void CrashText::put(char c) {
    if (length < capacity)
        buffer[length++] = c;
}

void CrashText::text(const char* s) {
    if (s == nullptr)
        return;
    while (*s != '\0')
        put(*s++);
}

void CrashText::hex(std::uint64_t value, int digits) {
    static constexpr char nibbles[] = "0123456789ABCDEF";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        put(nibbles[(value >> shift) & 0xF]);
}

void CrashText::decimal(std::uint64_t value) {
    char reversed[20];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0)
        put(reversed[--count]);
}
