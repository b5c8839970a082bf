#pragma once
// Numbers as assembly source writes them, read with the ranges the assembler enforces.

#include <cstdint>
#include <optional>
#include <string>

namespace vorn::assembler {

// The most words one compile may reserve with "ds" lines, all of them together.
inline constexpr int32_t kMaxReservedWords = 1'048'576;

// The value of a text that IsDecimalLiteral accepts, exact as long as it stays within
// +-2^40 and held there beyond, so that no long literal wraps into a small number.
int64_t DecimalLiteralValue(const std::string& text);

// The word count of a "ds" operand: "0x" and 1 to 8 hex digits of either case, or a decimal
// literal, from 0 to kMaxReservedWords. Nothing for anything else.
std::optional<int32_t> DsAmount(const std::string& operand);

// The address that a pc line sets: the hex digits at the end of the line before its comment
// (or a carriage return, where the line checker stops reading too),
// so "pc = 0x40" and "pc=0x40 * start" both give 0x40.
int32_t PcDirectiveAddress(const std::string& line);

// A number operand of "dc": hex when it begins with '0' or has 'x' second (so "010" is 16),
// else decimal. Nothing when it has more hex digits than a word holds, which would be cut off.
std::optional<uint32_t> DcNumberValue(const std::string& operand);

// A number operand of an instruction: hex of either case when IsHex32Literal holds, else decimal.
int32_t NumberOperandValue(const std::string& operand);

} // namespace vorn::assembler
