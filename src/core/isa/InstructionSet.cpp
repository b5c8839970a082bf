#include "isa/InstructionSet.h"

#include "text/Text.h"

#include <algorithm>

namespace vorn::isa {

int32_t InstructionSet::FindCommandByName(const std::string& name) const {
    for (int32_t row = 0; row < count(); ++row)
        if (commands[row].name == name) return row;
    return count();
}

void InstructionSet::IndexRows() {
    iRows_.clear();
    rRows_.clear();
    std::vector<int32_t> iRows;
    std::vector<int32_t> rRows;
    for (uint32_t code = 0; code < 64; ++code) {
        iRows.push_back(FindCommandByBits(1, BitsText(code)));
        rRows.push_back(FindCommandByBits(0, BitsText(code)));
    }
    iRows_ = std::move(iRows);
    rRows_ = std::move(rRows);
}

int32_t InstructionSet::FindCommandByBits(int isI, const std::string& bits) const {
    // Every row's bit texts are six '0'/'1' characters, so no other text finds a row.
    const std::vector<int32_t>& index = isI ? iRows_ : rRows_;
    if (!index.empty() && bits.size() == 6 && bits.find_first_not_of("01") == std::string::npos)
        return index[BitsValue(bits)];
    const char* type = isI ? "I" : "R";
    for (int32_t row = 0; row < count(); ++row) {
        const CommandRecord& record = commands[row];
        if ((isI ? record.opcode : record.function) == bits && record.type == type) return row;
    }
    return -1;
}

int32_t InstructionSet::FindCommandByCode(int isI, uint32_t code) const {
    const std::vector<int32_t>& index = isI ? iRows_ : rRows_;
    if (!index.empty()) return index[code & 63u];
    return FindCommandByBits(isI, BitsText(code));
}

int32_t InstructionSet::FindVar(const std::string& name) const {
    for (size_t i = 0; i < vars.size(); ++i)
        if (vars[i].name == name) return static_cast<int32_t>(i);
    return -1;
}

int32_t InstructionSet::FindRegisterFile(const std::string& name) const {
    for (size_t i = 0; i < registerFiles.size(); ++i)
        if (registerFiles[i].name == name) return static_cast<int32_t>(i);
    return -1;
}

// Checked in place, without building the file name: the assembler asks it for every register
// operand of a source.
bool InstructionSet::IsRegisterOperand(const std::string& text) const {
    const size_t firstDigit = text.find_first_of("0123456789");
    if (firstDigit == std::string::npos) return false;
    // Any number of digits ("R001" is R1); the value is held at 32 so that no long number wraps
    // into a register.
    int number = 0;
    for (size_t i = firstDigit; i < text.size(); ++i) {
        if (!text::IsDigit(text[i])) return false;
        number = std::min(number * 10 + (text[i] - '0'), 32);
    }
    if (number > 31) return false;
    const auto namesFile = [&](const RegisterFile& file) {
        if (file.name.size() != firstDigit + 1 || file.name[0] != 'M') return false;
        for (size_t i = 0; i < firstDigit; ++i) {
            const char c = text[i];
            if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != file.name[i + 1])
                return false;
        }
        return true;
    };
    return std::any_of(registerFiles.begin(), registerFiles.end(), namesFile);
}

std::string BitsText(uint32_t code) {
    std::string bits(6, '0');
    for (int i = 0; i < 6; ++i)
        if (code & (1u << (5 - i))) bits[i] = '1';
    return bits;
}

uint32_t BitsValue(const std::string& bits) {
    uint32_t value = 0;
    for (char c : bits)
        value = (value << 1) | (c == '1' ? 1u : 0u);
    return value;
}

} // namespace vorn::isa
