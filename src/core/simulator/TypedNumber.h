#pragma once
// Numbers that the user types into the simulator's prompts and fields.

#include "Prompter.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vorn::simulator {

inline constexpr const char* kInvalidNumber = "Invalid number";
inline constexpr const char* kInvalidAddress = "Invalid address";

// "0x" or "0X" and one to eight hexadecimal digits of either case, or decimal digits after an
// optional '-'. A decimal number must fit 32 bits (-2147483648 to 4294967295; the upper half
// gives its 32-bit pattern, as hexadecimal texts do): a wrapped value would be a number the
// user never typed. The empty text and a lone '-' carry no number.
std::optional<int32_t> TypedNumber(const std::string& text);

// TypedNumber, or the box "Invalid number" and nothing.
std::optional<int32_t> CheckedNumber(const std::string& text, Prompter& prompter, const std::string& caption);

// "0x%x": lower-case hexadecimal without leading zeros; a negative word shows its 32-bit pattern.
std::string HexText(int32_t value);

} // namespace vorn::simulator
