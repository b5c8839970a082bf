#pragma once
// The verdict of the line checker on one source line: 0 and above the line is good and says
// what it holds, negative values name the fault (the assembler turns them into texts).

#include <cstdint>

namespace vorn::assembler {

using LineCheckCode = int32_t;

namespace line_code {
inline constexpr LineCheckCode kIType = 0; // also any row with no operands or more than three
inline constexpr LineCheckCode kRType = 1;
inline constexpr LineCheckCode kPcLine = 3;
inline constexpr LineCheckCode kDc = 4;
inline constexpr LineCheckCode kDs = 5;
inline constexpr LineCheckCode kNoWord = 6;
inline constexpr LineCheckCode kTooManyParameters = -15;
inline constexpr LineCheckCode kFirstParameterIllegal = -21;
inline constexpr LineCheckCode kSecondParameterIllegal = -22;
inline constexpr LineCheckCode kThirdParameterIllegal = -23;
inline constexpr LineCheckCode kUnknownCommand = -101;
inline constexpr LineCheckCode kPcWithoutEquals = -201;
inline constexpr LineCheckCode kPcWithoutAddress = -202;
inline constexpr LineCheckCode kPcTooManyParameters = -203;
inline constexpr LineCheckCode kPcIllegalAddress = -204;
// A word line whose location counter has run past the last word address 0x7FFFFFFF.
inline constexpr LineCheckCode kAddressOutOfRange = -205;
inline constexpr LineCheckCode kLabelPointsToNothing = -1000;

// -21, -22, -23 for operand 1, 2, 3.
constexpr LineCheckCode ParameterIllegal(int operand) {
    return -20 - operand;
}
} // namespace line_code

} // namespace vorn::assembler
