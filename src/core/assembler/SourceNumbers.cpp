#include "assembler/SourceNumbers.h"

#include "text/Text.h"

namespace vorn::assembler {

using namespace vorn::text;

int64_t DecimalLiteralValue(const std::string& text) {
    constexpr int64_t kHeld = int64_t{1} << 40;
    const bool negative = !text.empty() && text[0] == '-';
    int64_t value = 0;
    for (size_t i = negative ? 1 : 0; i < text.size(); ++i)
        value = std::min(kHeld, value * 10 + (text[i] - '0'));
    return negative ? -value : value;
}

std::optional<int32_t> DsAmount(const std::string& operand) {
    int64_t amount = -1;
    if (IsHex32Literal(operand))
        amount = static_cast<uint32_t>(HexToInt(operand));
    else if (IsDecimalLiteral(operand))
        amount = DecimalLiteralValue(operand);
    if (amount < 0 || amount > kMaxReservedWords) return std::nullopt;
    return static_cast<int32_t>(amount);
}

int32_t PcDirectiveAddress(const std::string& line) {
    std::string text = line.substr(0, line.find_first_of("*\r"));
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
    return HexToInt(text);
}

std::optional<uint32_t> DcNumberValue(const std::string& operand) {
    const bool hex = !operand.empty() && (operand[0] == '0' || (operand.size() > 1 && operand[1] == 'x'));
    if (!hex) return static_cast<uint32_t>(DecimalToInt(operand));
    // HexToInt reads the hex digits at the end of the text; leading zeros among them lose nothing.
    size_t first = operand.size();
    while (first > 0 && IsHexDigit(operand[first - 1]))
        --first;
    while (first < operand.size() && operand[first] == '0')
        ++first;
    if (operand.size() - first > 8) return std::nullopt;
    return static_cast<uint32_t>(HexToInt(operand));
}

int32_t NumberOperandValue(const std::string& operand) {
    return IsHex32Literal(operand) ? HexToInt(operand) : DecimalToInt(operand);
}

} // namespace vorn::assembler
