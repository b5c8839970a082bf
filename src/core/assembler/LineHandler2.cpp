#include "assembler/LineHandler2.h"

namespace vorn::assembler {

void LineHandler2::AddLabel(const std::string& name) {
    AppendLabel(LabelEntry(name, currentLine_));
}

void LineHandler2::RemoveLabel(const std::string& /*name*/) {}

bool LineHandler2::CheckImmediate16(const std::string& operand) {
    if (!LineHandler::CheckImmediate16(operand)) return false;
    RecordReference(operand);
    return true;
}

bool LineHandler2::CheckValue32(const std::string& operand) {
    if (!LineHandler::CheckValue32(operand)) return false;
    RecordReference(operand);
    return true;
}

// Called for an operand just accepted; a label is listed once for every check that finds it.
// A number is never a label name, so only a label operand needs the look-up.
void LineHandler2::RecordReference(const std::string& operand) {
    if (!ArgumentIsLabel()) return;
    if (LabelEntry* entry = FindLabel(operand)) entry->references.push_back(currentLine_);
}

} // namespace vorn::assembler
