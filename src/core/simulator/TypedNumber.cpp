#include "simulator/TypedNumber.h"

#include "isa/ParseNumber.h"
#include "text/Text.h"

#include <cstdio>

namespace vorn::simulator {

namespace {

bool FitsThirtyTwoBits(const std::string& decimal) {
    const bool negative = decimal[0] == '-';
    const int64_t limit = negative ? 2147483648LL : 4294967295LL;
    int64_t magnitude = 0;
    for (size_t i = negative ? 1 : 0; i < decimal.size(); ++i) {
        magnitude = magnitude * 10 + (decimal[i] - '0');
        if (magnitude > limit) return false;
    }
    return true;
}

} // namespace

std::optional<int32_t> TypedNumber(const std::string& text) {
    if (text::IsHex32Literal(text)) return isa::ParseNumber(text);
    const bool hasDigit = text.find_first_of("0123456789") != std::string::npos;
    if (!text::IsDecimalLiteral(text) || !hasDigit || !FitsThirtyTwoBits(text)) return std::nullopt;
    return isa::ParseNumber(text);
}

std::optional<int32_t> CheckedNumber(const std::string& text, Prompter& prompter,
                                     const std::string& caption) {
    std::optional<int32_t> number = TypedNumber(text);
    if (!number) prompter.message(kInvalidNumber, caption);
    return number;
}

std::string HexText(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
    return text;
}

} // namespace vorn::simulator
