#include "assembler/LineHandler2.h"

namespace vorn::assembler {

void LineHandler2::AddLabel(const std::string& name) {
    AppendLabel(LabelEntry(name, currentLine_));
}

void LineHandler2::RemoveLabel(const std::string& /*name*/) {}

bool LineHandler2::CheckImmediate16(const std::string& operand) {
    return LineHandler::CheckImmediate16(operand) && RecordReference(operand);
}

bool LineHandler2::CheckValue32(const std::string& operand) {
    return LineHandler::CheckValue32(operand) && RecordReference(operand);
}

// Called for an operand just accepted; a label is listed once for every check that finds it.
// A number is never a label name, so only a label operand needs the look-up.
bool LineHandler2::RecordReference(const std::string& operand) {
    if (!ArgumentIsLabel()) return true;
    LabelEntry* entry = FindLabel(operand);
    SetArgumentLabelKnown(entry != nullptr);
    if (entry) entry->references.push_back(currentLine_);
    return true;
}

} // namespace vorn::assembler
