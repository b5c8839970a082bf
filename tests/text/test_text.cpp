#include "text/BitField.h"
#include "text/Text.h"

#include <climits>
#include <gtest/gtest.h>

using namespace vorn::text;

// Sixteen-bit hex takes lower case only, 32-bit hex either; a decimal allows one leading minus and
// the empty text; a label name is at most eight characters and starts with a letter.
TEST(Literals, PredicatesAcceptOnlyTheirShapes) {
    // clang-format off
    const std::tuple<bool (*)(const std::string&), const char*, bool> cases[] = {
        {IsHex16Literal, "0x1a2b", true}, {IsHex16Literal, "0x1A2B", false}, {IsHex16Literal, "0x", false},
        {IsHex16Literal, "0x12345", false}, {IsHex32Literal, "0x1a2b", true}, {IsHex32Literal, "0x1A2B", true},
        {IsHex32Literal, "0x", false}, {IsHex32Literal, "0x12345", true}, {IsHex32Literal, "0XdeadBEEF", true},
        {IsHex32Literal, "0x123456789", false}, {IsHex32Literal, "1x12", false}, {IsHex32Literal, "0x1g", false},
        {IsDecimalLiteral, "", true}, {IsDecimalLiteral, "-", true}, {IsDecimalLiteral, "-12", true},
        {IsDecimalLiteral, "1-2", false}, {IsDecimalLiteral, "+3", false}, {IsDecimalLiteral, "--3", false},
        {IsLabelName, "loop1", true}, {IsLabelName, "1loop", false}, {IsLabelName, "ninechars", false},
        {IsLabelName, "eightchr", true}, {IsLabelName, "", false}, {IsLabel, "loop:", true},
        {IsLabel, "loop", false}, {IsLabel, "", false}};
    // clang-format on
    for (const auto& [predicate, text, accepted] : cases)
        EXPECT_EQ(predicate(text), accepted) << '"' << text << '"';
    EXPECT_TRUE(IsBlank('\t'));
    EXPECT_FALSE(IsBlank('\n'));
}

TEST(Words, NextWordStopsAtCommentsAndLineEnds) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {{"  add R1 R2*x", {"add", "R1", "R2"}},
                                                                      {"lbl:\tds 4", {"lbl:", "ds", "4"}},
                                                                      {"nop\r", {"nop"}},
                                                                      {"a   ", {"a", ""}}};
    for (const auto& [line, words] : cases) {
        int position = 0;
        for (const std::string& word : words)
            EXPECT_EQ(NextWord(line, position), word) << line;
        EXPECT_EQ(position, -1) << line;
        EXPECT_EQ(NextWord(line, position), "") << line;
    }
}

// Both accumulate in 32 unsigned bits, so no text overflows.
TEST(Conversions, DecimalAndHexWrapInsteadOfOverflowing) {
    // clang-format off
    const std::pair<const char*, int32_t> decimals[] = {
        {"0", 0}, {"123", 123}, {"-45", -45}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"4294967295", -1}, {"99999999999", 1215752191}, {"", 0}};
    const std::pair<const char*, int32_t> hexes[] = {
        {"0x1F", 31}, {"-1F", -31}, {"0xFFFFFFFF", -1}, {"0x80000000", INT_MIN},
        {"0xdeadBEEF", static_cast<int32_t>(0xDEADBEEFu)}, {"", 0}};
    // clang-format on
    for (const auto& [text, value] : decimals)
        EXPECT_EQ(DecimalToInt(text), value) << text;
    for (const auto& [text, value] : hexes)
        EXPECT_EQ(HexToInt(text), value) << text;
}

TEST(Conversions, RegistersDsOperandsAndTextsOfNumbers) {
    EXPECT_EQ(RegisterNumber("R12"), 12);
    EXPECT_EQ(RegisterNumber("RX"), 0);
    EXPECT_EQ(DsOperandValue("buf: ds 0x10"), 16);
    EXPECT_EQ(DsOperandValue("ds 12"), 12);
    EXPECT_EQ(DsOperandValue("DS 0x1f"), 31);
    EXPECT_EQ(IntToText(-17), "-17");
    EXPECT_EQ(Hex32Text(26), "0x0000001A");
    EXPECT_EQ(Hex32Text(static_cast<uint32_t>(-1)), "0xFFFFFFFF");
    EXPECT_EQ(Hex16Text(0x12345), "0x2345");
    EXPECT_EQ(SignExtend16(32767), 32767);
    EXPECT_EQ(SignExtend16(32768), -32768);
    EXPECT_EQ(SignExtend16(0xFFFF), -1);
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
