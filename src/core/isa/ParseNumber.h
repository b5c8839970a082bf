#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorn::isa {

// A typed number: "0x" or "0X" and hexadecimal digits of either case, otherwise optional
// leading white space, a sign and decimal digits. Reading stops at the first other character;
// a text with no digit to read gives 0, and a longer number keeps its low 32 bits
// (0xffffffff is -1).
int32_t ParseNumber(const std::string& text);

// ParseNumber of a text that holds a number: nothing when no digit stands where ParseNumber
// starts to read ("end", "-", a lone "0x").
std::optional<int32_t> ReadNumber(const std::string& text);

// Optional leading white space, an optional sign and decimal digits up to the first other
// character; 0 when no digit follows, the low 32 bits of a longer number.
int32_t ParseLeadingDecimal(std::string_view text);

} // namespace vorn::isa
