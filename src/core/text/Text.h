#pragma once
// Text and number helpers shared by the instruction-set loader, the assembler, the
// evaluator, the simulator and the waveform view. Texts are 8-bit; letter tests and case
// changes concern only the ASCII letters.

#include <cstdint>
#include <string>

namespace vorn::text {

// Character and word tests
bool IsBlank(char c);
bool IsLabel(const std::string& word);
bool IsLabelName(const std::string& word);
bool IsHex16Literal(const std::string& text);
bool IsHex32Literal(const std::string& text);
bool IsDecimalLiteral(const std::string& text);
bool IsLetter(char c);
bool IsDigit(char c);
// 0-9, a-f and A-F.
bool IsHexDigit(char c);

// Conversions
int32_t DecimalToInt(const std::string& text);
int32_t HexToInt(const std::string& text);
int32_t RegisterNumber(const std::string& operand);
// The word after "ds" (which may follow a label) on a "ds" line, and its value.
std::string DsOperand(const std::string& line);
int32_t DsOperandValue(const std::string& line);
std::string IntToText(int32_t value);
std::string Hex32Text(uint32_t value);
std::string Hex16Text(uint32_t value);
int32_t SignExtend16(uint16_t value);
float IntPower(float x, int32_t n);

// Texts
std::string ToLower(std::string text);
std::string ToUpper(std::string text);
void RemoveBlanks(std::string& text);
// Reads the next word of an assembly source line. position -1 means the line is used up;
// a '*' starts a comment, so no word follows it.
std::string NextWord(const std::string& line, int& position);

} // namespace vorn::text
