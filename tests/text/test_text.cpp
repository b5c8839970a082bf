#include "text/BitField.h"
#include "text/Text.h"

#include <climits>
#include <gtest/gtest.h>

using namespace vorn::text;

TEST(Literals, HexSixteenTakesLowerCaseOnlyAndHexThirtyTwoEither) {
    EXPECT_TRUE(IsHex16Literal("0x1a2b"));
    EXPECT_TRUE(IsHex32Literal("0x1a2b"));
    EXPECT_FALSE(IsHex16Literal("0x1A2B"));
    EXPECT_TRUE(IsHex32Literal("0x1A2B"));
    EXPECT_FALSE(IsHex16Literal("0x"));
    EXPECT_FALSE(IsHex32Literal("0x"));
    EXPECT_FALSE(IsHex16Literal("0x12345"));
    EXPECT_TRUE(IsHex32Literal("0x12345"));
    EXPECT_TRUE(IsHex32Literal("0XdeadBEEF"));
    EXPECT_FALSE(IsHex32Literal("0x123456789"));
    EXPECT_FALSE(IsHex32Literal("1x12"));
    EXPECT_FALSE(IsHex32Literal("0x1g"));
}

TEST(Literals, DecimalAllowsOneLeadingMinusAndTheEmptyText) {
    EXPECT_TRUE(IsDecimalLiteral(""));
    EXPECT_TRUE(IsDecimalLiteral("-"));
    EXPECT_TRUE(IsDecimalLiteral("-12"));
    EXPECT_FALSE(IsDecimalLiteral("1-2"));
    EXPECT_FALSE(IsDecimalLiteral("+3"));
    EXPECT_FALSE(IsDecimalLiteral("--3"));
}

TEST(Words, LabelsAndLabelNames) {
    EXPECT_TRUE(IsLabelName("loop1"));
    EXPECT_FALSE(IsLabelName("1loop"));
    EXPECT_FALSE(IsLabelName("ninechars"));
    EXPECT_TRUE(IsLabelName("eightchr"));
    EXPECT_FALSE(IsLabelName(""));
    EXPECT_TRUE(IsLabel("loop:"));
    EXPECT_FALSE(IsLabel("loop"));
    EXPECT_FALSE(IsLabel(""));
    EXPECT_TRUE(IsBlank('\t'));
    EXPECT_FALSE(IsBlank('\n'));
}

TEST(Words, NextWordStopsAtCommentsAndLineEnds) {
    std::string line = "  add R1 R2*x";
    int position = 0;
    EXPECT_EQ(NextWord(line, position), "add");
    EXPECT_EQ(NextWord(line, position), "R1");
    EXPECT_EQ(NextWord(line, position), "R2");
    EXPECT_EQ(position, -1);
    EXPECT_EQ(NextWord(line, position), "");

    line = "lbl:\tds 4";
    position = 0;
    EXPECT_EQ(NextWord(line, position), "lbl:");
    EXPECT_EQ(NextWord(line, position), "ds");
    EXPECT_EQ(NextWord(line, position), "4");
    EXPECT_EQ(position, -1);

    line = "nop\r";
    position = 0;
    EXPECT_EQ(NextWord(line, position), "nop");
    EXPECT_EQ(position, -1);

    line = "a   ";
    position = 0;
    EXPECT_EQ(NextWord(line, position), "a");
    EXPECT_EQ(NextWord(line, position), "");
    EXPECT_EQ(NextWord(line, position), "");
    EXPECT_EQ(position, -1);
}

TEST(Conversions, DecimalWrapsInsteadOfOverflowing) {
    EXPECT_EQ(DecimalToInt("0"), 0);
    EXPECT_EQ(DecimalToInt("123"), 123);
    EXPECT_EQ(DecimalToInt("-45"), -45);
    EXPECT_EQ(DecimalToInt("2147483647"), INT_MAX);
    EXPECT_EQ(DecimalToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(DecimalToInt("4294967295"), -1);
    EXPECT_EQ(DecimalToInt("99999999999"), static_cast<int32_t>(99999999999ULL & 0xFFFFFFFFu));
    EXPECT_EQ(DecimalToInt(""), 0);
}

TEST(Conversions, HexStopsAtTheFirstNonDigit) {
    EXPECT_EQ(HexToInt("0x1F"), 31);
    EXPECT_EQ(HexToInt("-1F"), -31);
    EXPECT_EQ(HexToInt("0xFFFFFFFF"), -1);
    EXPECT_EQ(HexToInt("0x80000000"), INT_MIN);
    EXPECT_EQ(HexToInt("0xdeadBEEF"), static_cast<int32_t>(0xDEADBEEFu));
    EXPECT_EQ(HexToInt(""), 0);
}

TEST(Conversions, RegisterNumbersAndDsOperands) {
    EXPECT_EQ(RegisterNumber("R12"), 12);
    EXPECT_EQ(RegisterNumber("RX"), 0);
    EXPECT_EQ(DsOperandValue("buf: ds 0x10"), 16);
    EXPECT_EQ(DsOperandValue("ds 12"), 12);
    EXPECT_EQ(DsOperandValue("DS 0x1f"), 31);
}

TEST(Conversions, TextsOfNumbers) {
    EXPECT_EQ(IntToText(-17), "-17");
    EXPECT_EQ(Hex32Text(26), "0x0000001A");
    EXPECT_EQ(Hex32Text(static_cast<uint32_t>(-1)), "0xFFFFFFFF");
    EXPECT_EQ(Hex16Text(0x12345), "0x2345");
    EXPECT_EQ(Hex16Text(static_cast<uint32_t>(-1)), "0xFFFF");
    EXPECT_EQ(SignExtend16(32767), 32767);
    EXPECT_EQ(SignExtend16(32768), -32768);
    EXPECT_EQ(SignExtend16(0xFFFF), -1);
    EXPECT_FLOAT_EQ(IntPower(2.0f, 10), 1024.0f);
    EXPECT_FLOAT_EQ(IntPower(2.0f, -2), 0.25f);
    EXPECT_FLOAT_EQ(IntPower(3.0f, 0), 1.0f);
}

TEST(Texts, CaseAndBlanks) {
    EXPECT_EQ(ToLower("AbC1["), "abc1[");
    EXPECT_EQ(ToUpper("aBc1["), "ABC1[");
    std::string text = " a :=\tb\n\r";
    RemoveBlanks(text);
    EXPECT_EQ(text, "a:=b\r");
}

TEST(BitFields, SetTouchesOnlyItsField) {
    uint32_t word = 0;
    SetBitField(16, 20, word, 0xFFFFFFFFu);
    EXPECT_EQ(word, 0x001F0000u);
    EXPECT_EQ(GetBitField(16, 20, word), 0x1Fu);
    word = 0;
    SetBitField(0, 31, word, 0xDEADBEEFu);
    EXPECT_EQ(word, 0xDEADBEEFu);
    EXPECT_EQ(GetBitField(0, 31, word), 0xDEADBEEFu);
    for (int bit = 0; bit < 32; ++bit) {
        uint32_t single = 0xFFFFFFFFu;
        SetBitField(bit, bit, single, 0);
        EXPECT_EQ(single, ~(1u << bit)) << bit;
        EXPECT_EQ(GetBitField(bit, bit, 1u << bit), 1u) << bit;
    }
}
