#pragma once
// The assembler's line checker: it also records the line that defines each label and the lines
// that refer to it. The assembler never takes a definition away, since it gives every line
// with an empty old text.

#include "assembler/LineHandler.h"

namespace vorn::assembler {

class LineHandler2 : public LineHandler {
  public:
    using LineHandler::LineHandler;

    // The 1-based number of the line being given to the checker.
    void SetCurrentLine(int32_t line) { currentLine_ = line; }

    void AddLabel(const std::string& name) override;
    void RemoveLabel(const std::string& name) override;
    bool CheckImmediate16(const std::string& operand) override;
    bool CheckValue32(const std::string& operand) override;

  private:
    void RecordReference(const std::string& operand);

    int32_t currentLine_ = 0;
};

} // namespace vorn::assembler
