#pragma once
// Bit fields of a 32-bit word: bits lo to hi, bit 0 the least significant, lo <= hi <= 31.

#include <cstdint>

namespace vorn::text {

constexpr uint32_t FieldMask(int lo, int hi) {
    const int width = hi - lo + 1;
    return width >= 32 ? 0xFFFFFFFFu : ((1u << width) - 1u);
}

constexpr void SetBitField(int lo, int hi, uint32_t& word, uint32_t value) {
    const uint32_t mask = FieldMask(lo, hi);
    word = (word & ~(mask << lo)) | ((value & mask) << lo);
}

constexpr uint32_t GetBitField(int lo, int hi, uint32_t word) {
    return (word >> lo) & FieldMask(lo, hi);
}

} // namespace vorn::text
