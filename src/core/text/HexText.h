#pragma once
// Hexadecimal word texts written straight into a character buffer: the listing and the image
// file write one or two of them for every word of a program.

#include <cstdint>

namespace vorn::text {

// "0x" and eight digits.
inline constexpr int kHex32TextLength = 10;

// Writes "0x" and the low `digits` nibbles of the value in upper case, most significant
// first; gives back the position after the last character written.
inline char* WriteHexText(char* out, uint32_t value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    *out++ = '0';
    *out++ = 'x';
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        *out++ = kDigits[(value >> shift) & 0xFu];
    return out;
}

} // namespace vorn::text
