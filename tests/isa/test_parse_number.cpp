#include "isa/ParseNumber.h"

#include <gtest/gtest.h>

using vorn::isa::ParseNumber;

// Hexadecimal after a prefix of either case that stands first, keeping the low 32 bits; decimal
// after leading space and a sign; zero when nothing can be read.
TEST(ParseNumber, HexadecimalDecimalOrZero) {
    // clang-format off
    const std::pair<const char*, int32_t> cases[] = {
        {"0x1f", 31}, {"0X1F", 31}, {"0X1f", 31}, {"0xffffffff", -1}, {"0x1fq", 31}, {"0x123456789", 0x23456789},
        {"-12", -12}, {"12abc", 12}, {"  7", 7}, {"+7", 7}, {"-2147483648", INT32_MIN}, {" 0x10", 0},
        {"", 0}, {"abc", 0}, {"0x", 0}, {"0xg", 0}, {"-", 0}};
    // clang-format on
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseNumber(text), value) << '"' << text << '"';
}
