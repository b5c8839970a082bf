#include "text/Text.h"

#include "text/HexText.h"

namespace vorn::text {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

static bool IsLowerHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f');
}

bool IsHexDigit(char c) {
    return IsLowerHexDigit(c) || (c >= 'A' && c <= 'F');
}

static uint32_t HexDigitValue(char c) {
    if (IsDigit(c)) return static_cast<uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
    return static_cast<uint32_t>(c - 'A' + 10);
}

bool IsLabel(const std::string& word) {
    return !word.empty() && word.back() == ':';
}

bool IsLabelName(const std::string& word) {
    return !word.empty() && IsLetter(word[0]) && word.size() <= 8;
}

static bool IsPrefixedHex(const std::string& text, size_t maxLength, bool (*isDigit)(char)) {
    if (text.size() < 3 || text.size() > maxLength || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return false;
    for (size_t i = 2; i < text.size(); ++i)
        if (!isDigit(text[i])) return false;
    return true;
}

bool IsHex16Literal(const std::string& text) {
    return IsPrefixedHex(text, 6, IsLowerHexDigit);
}

bool IsHex32Literal(const std::string& text) {
    return IsPrefixedHex(text, 10, IsHexDigit);
}

bool IsDecimalLiteral(const std::string& text) {
    size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
    for (; i < text.size(); ++i)
        if (!IsDigit(text[i])) return false;
    return true;
}

// Digits are weighted by their place counted from the end, so a '-' inside the text keeps
// its place. Unsigned arithmetic wraps modulo 2^32 instead of overflowing.
int32_t DecimalToInt(const std::string& text) {
    uint32_t sum = 0;
    uint32_t weight = 1;
    for (size_t k = 0; k < text.size(); ++k) {
        const char c = text[text.size() - 1 - k];
        if (c != '-') sum += static_cast<uint32_t>(static_cast<unsigned char>(c) - '0') * weight;
        weight *= 10u;
    }
    if (!text.empty() && text[0] == '-') sum = 0u - sum;
    return static_cast<int32_t>(sum);
}

int32_t HexToInt(const std::string& text) {
    uint32_t sum = 0;
    uint32_t weight = 1;
    size_t i = text.size();
    while (i > 0 && IsHexDigit(text[i - 1])) {
        sum += HexDigitValue(text[i - 1]) * weight;
        weight *= 16u;
        --i;
    }
    if (i > 0 && text[i - 1] == '-') sum = 0u - sum;
    return static_cast<int32_t>(sum);
}

int32_t RegisterNumber(const std::string& operand) {
    for (size_t i = 0; i < operand.size(); ++i)
        if (IsDigit(operand[i])) return DecimalToInt(operand.substr(i));
    return 0;
}

std::string DsOperand(const std::string& line) {
    int position = 0;
    if (ToLower(NextWord(line, position)) != "ds") NextWord(line, position);
    return NextWord(line, position);
}

int32_t DsOperandValue(const std::string& line) {
    const std::string operand = DsOperand(line);
    return IsHex16Literal(operand) ? HexToInt(operand) : DecimalToInt(operand);
}

std::string IntToText(int32_t value) {
    return std::to_string(value);
}

std::string Hex32Text(uint32_t value) {
    char buffer[kHex32TextLength];
    return {buffer, WriteHexText(buffer, value, 8)};
}

std::string Hex16Text(uint32_t value) {
    char buffer[kHex32TextLength];
    return {buffer, WriteHexText(buffer, value, 4)};
}

int32_t SignExtend16(uint16_t value) {
    return value <= 32767 ? value : static_cast<int32_t>(value) - 65536;
}

float IntPower(float x, int32_t n) {
    float result = 1.0f;
    float square = x;
    uint32_t bits = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
    while (bits != 0) {
        if (bits & 1u) result *= square;
        square *= square;
        bits >>= 1;
    }
    return n < 0 ? 1.0f / result : result;
}

std::string ToLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string ToUpper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

void RemoveBlanks(std::string& text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
}

std::string NextWord(const std::string& line, int& position) {
    if (position < 0) return {};
    size_t i = static_cast<size_t>(position);
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    const size_t start = i;
    while (i < line.size() && !IsBlank(line[i]) && line[i] != '\r' && line[i] != '*')
        ++i;
    std::string word = line.substr(std::min(start, line.size()), i - std::min(start, line.size()));
    if (i < line.size() && IsBlank(line[i]))
        position = static_cast<int>(i + 1);
    else
        position = -1;
    return word;
}

} // namespace vorn::text
