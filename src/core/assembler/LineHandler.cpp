#include "assembler/LineHandler.h"

#include "assembler/SourceNumbers.h"
#include "text/Text.h"

namespace vorn::assembler {

using namespace vorn::text;
using namespace line_code;

namespace {

std::string FirstWordLowered(const std::string& line) {
    int position = 0;
    return ToLower(NextWord(line, position));
}

std::string WithoutColon(const std::string& labelWord) {
    return labelWord.substr(0, labelWord.size() - 1);
}

// Any line whose first word begins with "pc" is a pc line, whatever follows.
bool OpensAsPcLine(const std::string& line) {
    size_t start = 0;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    return line.compare(start, 2, "pc") == 0;
}

// The word after a label word, or the first word itself.
std::string Mnemonic(const std::string& first, const std::string& line, int& position) {
    return IsLabel(first) ? NextWord(line, position) : first;
}

} // namespace

std::optional<int32_t> DsLineAmount(const std::string& line) {
    if (OpensAsPcLine(line)) return std::nullopt;
    int position = 0;
    const std::string first = NextWord(line, position);
    if (Mnemonic(first, line, position) != "ds") return std::nullopt;
    return DsAmount(NextWord(line, position));
}

LineCheckCode LineHandler::CheckLine(const std::string& oldText, const std::string& newText) {
    UpdateLabels(oldText, newText);
    return ClassifyLine();
}

void LineHandler::UpdateLabels(const std::string& oldText, const std::string& newText) {
    oldText_ = oldText;
    newText_ = newText;
    ClearLineResults();
    const std::string oldFirst = FirstWordLowered(oldText_);
    const std::string newFirst = FirstWordLowered(newText_);
    const bool sameLabelWord = IsLabel(newFirst) && newFirst == oldFirst;

    if (IsLabel(oldFirst) && !sameLabelWord) {
        const std::string oldName = WithoutColon(oldFirst);
        if (LabelEntry* entry = FindLabel(oldName)) {
            if (entry->definitionCount == 1)
                RemoveLabel(oldName);
            else
                --entry->definitionCount;
            recolourNeeded_ = true;
            labelToRecolour_ = oldName;
        }
    }

    if (!IsLabel(newFirst)) return;
    definesLabel_ = true;
    definedLabel_ = WithoutColon(newFirst);
    labelNameValid_ = IsLabelName(definedLabel_);
    // The same definition judged again keeps its count.
    if (sameLabelWord || !labelNameValid_) return;
    if (LabelEntry* entry = FindLabel(definedLabel_))
        ++entry->definitionCount;
    else
        AddLabel(definedLabel_);
}

LineCheckCode LineHandler::ClassifyLine() {
    if (OpensAsPcLine(newText_)) return CheckPcLine();
    int position = 0;
    const std::string first = NextWord(newText_, position);
    if (first.empty()) return kNoWord;
    const std::string word = Mnemonic(first, newText_, position);
    if (word.empty()) return kLabelPointsToNothing;
    if (word == "dc" || word == "ds") return ClassifyData(word, position);
    return ClassifyInstruction(word, position);
}

LineCheckCode LineHandler::CheckPcLine() {
    int position = 0;
    const std::string first = NextWord(newText_, position);
    std::string address;
    if (first == "pc") {
        const std::string next = NextWord(newText_, position);
        if (next == "=")
            address = NextWord(newText_, position);
        else if (!next.empty() && next[0] == '=')
            address = next.substr(1);
        else
            return kPcWithoutEquals;
    } else if (first == "pc=") {
        address = NextWord(newText_, position);
    } else if (first.starts_with("pc=")) {
        address = first.substr(3);
    } else {
        return kPcWithoutEquals;
    }
    if (!NextWord(newText_, position).empty()) return kPcTooManyParameters;
    if (address.empty()) return kPcWithoutAddress;
    // Word addresses from 0x80000000 on would read as the image's end marker -1 and the lost
    // line marker -2.
    if (!IsHex32Literal(address) || HexToInt(address) < 0) return kPcIllegalAddress;
    return kPcLine;
}

LineCheckCode LineHandler::ClassifyInstruction(const std::string& mnemonic, int& position) {
    const int32_t row = set_.FindCommandByName(mnemonic);
    if (row >= set_.count()) return kUnknownCommand;
    const isa::CommandRecord& record = set_.commands[row];
    return record.type == "R" ? ClassifyRRow(record, position) : ClassifyIRow(record, position);
}

LineCheckCode LineHandler::ClassifyRRow(const isa::CommandRecord& row, int& position) {
    const int32_t count = DecimalToInt(row.numArgs);
    // An R word has room for three registers; a row asking for more cannot be written.
    if (count > 3) return kTooManyParameters;
    for (int k = 1; k <= count; ++k)
        if (!set_.IsRegisterOperand(NextWord(newText_, position))) return ParameterIllegal(k);
    return UnlessMoreWords(count == 0 ? kIType : kRType, position);
}

LineCheckCode LineHandler::ClassifyIRow(const isa::CommandRecord& row, int& position) {
    const int32_t count = DecimalToInt(row.numArgs);
    // Immediates are judged lower-cased; register names are taken in either case.
    const auto nextImmediate = [&] { return ToLower(NextWord(newText_, position)); };
    const auto nextIsRegister = [&] { return set_.IsRegisterOperand(NextWord(newText_, position)); };
    if (count == 1) {
        const bool good =
            row.operandKinds[0] == isa::Imm ? CheckImmediate16(nextImmediate()) : nextIsRegister();
        if (!good) return kFirstParameterIllegal;
    } else if (count == 2 || count == 3) {
        // The registers come first and the immediate last, whatever order the row's kinds name.
        for (int k = 1; k < count; ++k)
            if (!nextIsRegister()) return ParameterIllegal(k);
        if (!CheckImmediate16(nextImmediate())) return ParameterIllegal(count);
    }
    return UnlessMoreWords(kIType, position);
}

LineCheckCode LineHandler::ClassifyData(const std::string& directive, int& position) {
    const std::string operand = NextWord(newText_, position);
    if (directive == "ds") {
        if (DsAmount(operand)) return kDs;
        return UnlessMoreWords(kFirstParameterIllegal, position);
    }
    if (CheckImmediate16(operand)) return kDc;
    // A lone operand may be any 32-bit value; it must still be one, and one that the encoding
    // reads whole.
    const LineCheckCode code = UnlessMoreWords(kDc, position);
    if (code == kDc && (!CheckValue32(operand) || !DcNumberValue(operand))) return kFirstParameterIllegal;
    return code;
}

LineCheckCode LineHandler::UnlessMoreWords(LineCheckCode code, int& position) const {
    return NextWord(newText_, position).empty() ? code : kTooManyParameters;
}

bool LineHandler::CheckImmediate16(const std::string& operand) {
    return CheckNumberOrLabel(operand, Width::Bits16);
}

bool LineHandler::CheckValue32(const std::string& operand) {
    return CheckNumberOrLabel(operand, Width::Bits32);
}

bool LineHandler::CheckNumberOrLabel(const std::string& operand, Width width) {
    const bool is16 = width == Width::Bits16;
    if (is16 ? IsHex16Literal(operand) : IsHex32Literal(operand)) {
        argumentIsLabel_ = false;
        argumentLabelKnown_ = false;
        return true;
    }
    if (IsDecimalLiteral(operand)) {
        argumentIsLabel_ = false;
        argumentLabelKnown_ = false;
        const int64_t value = DecimalLiteralValue(operand);
        return is16 ? (value >= -32768 && value <= 32767) : (value >= INT32_MIN && value <= UINT32_MAX);
    }
    if (IsLabelName(operand)) {
        argumentIsLabel_ = true;
        argumentLabelKnown_ = FindLabel(operand) != nullptr;
        referencedLabel_ = operand;
        return true;
    }
    return false;
}

LabelEntry* LineHandler::FindLabel(const std::string& name) {
    const auto found = labelIndex_.find(name);
    return found == labelIndex_.end() ? nullptr : &*found->second;
}

const LabelEntry* LineHandler::FindLabel(const std::string& name) const {
    const auto found = labelIndex_.find(name);
    return found == labelIndex_.end() ? nullptr : &*found->second;
}

int32_t LineHandler::LabelDefinitionCount(const std::string& name) const {
    const LabelEntry* entry = FindLabel(name);
    return entry ? entry->definitionCount : 0;
}

void LineHandler::ClearLabels() {
    labelIndex_.clear();
    labels_.clear();
}

void LineHandler::AddLabel(const std::string& name) {
    AppendLabel(LabelEntry::InitFromName(name));
}

void LineHandler::RemoveLabel(const std::string& name) {
    const auto found = labelIndex_.find(name);
    if (found == labelIndex_.end()) return;
    labels_.erase(found->second);
    labelIndex_.erase(found);
}

void LineHandler::AppendLabel(LabelEntry entry) {
    const std::string name = entry.name;
    labels_.push_back(std::move(entry));
    labelIndex_.emplace(name, std::prev(labels_.end()));
}

void LineHandler::ClearLineResults() {
    definesLabel_ = false;
    labelNameValid_ = false;
    recolourNeeded_ = false;
    definedLabel_.clear();
    labelToRecolour_.clear();
    argumentIsLabel_ = false;
    argumentLabelKnown_ = false;
    referencedLabel_.clear();
}

} // namespace vorn::assembler
