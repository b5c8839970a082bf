#include "isa/InstructionSet.h"

#include "text/Text.h"

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

bool InstructionSet::IsRegisterOperand(const std::string& text) const {
    const size_t firstDigit = text.find_first_of("0123456789");
    if (firstDigit == std::string::npos) return false;
    if (FindRegisterFile("M" + text::ToUpper(text.substr(0, firstDigit))) < 0) return false;
    const std::string number = text.substr(firstDigit);
    // At most two digits: a longer number would wrap in the conversion and pass as a register.
    if (number.size() > 2) return false;
    for (char c : number)
        if (!text::IsDigit(c)) return false;
    return text::DecimalToInt(number) <= 31;
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
