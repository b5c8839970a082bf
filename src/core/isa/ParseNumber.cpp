#include "isa/ParseNumber.h"

#include "text/Text.h"

#include <cctype>

namespace vorn::isa {

namespace {

// A number as ParseNumber reads it, and whether any digit was read.
struct Reading {
    int32_t value = 0;
    bool digits = false;
};

Reading ReadLeadingDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const size_t first = i;
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    return {static_cast<int32_t>(negative ? 0u - value : value), i > first};
}

Reading Read(const std::string& text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        size_t end = 2;
        while (end < text.size() && text::IsHexDigit(text[end]))
            ++end;
        return {text::HexToInt(text.substr(2, end - 2)), end > 2};
    }
    return ReadLeadingDecimal(text);
}

} // namespace

int32_t ParseLeadingDecimal(std::string_view text) {
    return ReadLeadingDecimal(text).value;
}

int32_t ParseNumber(const std::string& text) {
    return Read(text).value;
}

std::optional<int32_t> ReadNumber(const std::string& text) {
    const Reading reading = Read(text);
    if (!reading.digits) return std::nullopt;
    return reading.value;
}

} // namespace vorn::isa
