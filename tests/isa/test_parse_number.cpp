#include "isa/ParseNumber.h"

#include <gtest/gtest.h>

using vorn::isa::ParseNumber;

TEST(ParseNumber, HexadecimalAfterALowerOrUpperPrefix) {
    EXPECT_EQ(ParseNumber("0x1f"), 31);
    EXPECT_EQ(ParseNumber("0X1F"), 31);
    EXPECT_EQ(ParseNumber("0X1f"), 31);
    EXPECT_EQ(ParseNumber("0xffffffff"), -1);
    EXPECT_EQ(ParseNumber("0x1fq"), 31);
    EXPECT_EQ(ParseNumber("0x123456789"), 0x23456789);
}

TEST(ParseNumber, DecimalWithLeadingSpaceAndSign) {
    EXPECT_EQ(ParseNumber("-12"), -12);
    EXPECT_EQ(ParseNumber("12abc"), 12);
    EXPECT_EQ(ParseNumber("  7"), 7);
    EXPECT_EQ(ParseNumber("+7"), 7);
    EXPECT_EQ(ParseNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseNumber(" 0x10"), 0) << "the prefix must stand first";
}

TEST(ParseNumber, NothingToReadGivesZero) {
    EXPECT_EQ(ParseNumber(""), 0);
    EXPECT_EQ(ParseNumber("abc"), 0);
    EXPECT_EQ(ParseNumber("0x"), 0);
    EXPECT_EQ(ParseNumber("0xg"), 0);
    EXPECT_EQ(ParseNumber("-"), 0);
}
