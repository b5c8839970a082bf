#include "isa/ParseNumber.h"

#include "text/Text.h"

#include <cctype>

namespace vorn::isa {

int32_t ParseLeadingDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    return static_cast<int32_t>(negative ? 0u - value : value);
}

int32_t ParseNumber(const std::string& text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        size_t end = 2;
        while (end < text.size() && text::IsHexDigit(text[end]))
            ++end;
        return text::HexToInt(text.substr(2, end - 2));
    }
    return ParseLeadingDecimal(text);
}

std::optional<int32_t> ReadNumber(const std::string& text) {
    const bool hex = text.starts_with("0x") || text.starts_with("0X");
    size_t first = hex ? 2 : text.find_first_not_of(" \t\n\v\f\r");
    if (!hex && first < text.size() && (text[first] == '-' || text[first] == '+')) ++first;
    if (first >= text.size() || !(hex ? text::IsHexDigit(text[first]) : text::IsDigit(text[first])))
        return std::nullopt;
    return ParseNumber(text);
}

} // namespace vorn::isa
