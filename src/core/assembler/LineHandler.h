#pragma once
// The checker of assembly source: judges one line at a time and keeps the label table of the
// text it has seen. The editor gives it every line an edit touches as (old text, new text), so
// a label that the old text defined loses one definition; the assembler gives it every line with
// an empty old text. It never reports anything itself: it returns a LineCheckCode and leaves
// flags and label names for its caller to read.

#include "assembler/LabelEntry.h"
#include "assembler/LineCheckCode.h"
#include "isa/InstructionSet.h"

#include <list>
#include <optional>
#include <string>
#include <unordered_map>

namespace vorn::assembler {

class LineHandler {
  public:
    explicit LineHandler(const isa::InstructionSet& set) : set_(set) {}
    virtual ~LineHandler() = default;
    LineHandler(const LineHandler&) = delete;
    LineHandler& operator=(const LineHandler&) = delete;

    // Label bookkeeping between the two texts, then the verdict on the new text.
    LineCheckCode CheckLine(const std::string& oldText, const std::string& newText);
    // Takes the texts and moves label definitions from the old text's label to the new one's.
    void UpdateLabels(const std::string& oldText, const std::string& newText);
    // The verdict on the new text of the last UpdateLabels.
    LineCheckCode ClassifyLine();
    // The verdict on a line whose first word begins with "pc": 3 or -201 to -204.
    LineCheckCode CheckPcLine();

    // The entry of a name (exact, case-sensitive), nullptr when there is none.
    LabelEntry* FindLabel(const std::string& name);
    const LabelEntry* FindLabel(const std::string& name) const;
    int32_t LabelDefinitionCount(const std::string& name) const;
    // The table in the order in which the names were first defined.
    const std::list<LabelEntry>& Labels() const { return labels_; }
    void ClearLabels();

    virtual void AddLabel(const std::string& name);
    virtual void RemoveLabel(const std::string& name);
    virtual bool CheckImmediate16(const std::string& operand);
    virtual bool CheckValue32(const std::string& operand);

    // What the last check found; reset at the start of every check.
    bool DefinesLabel() const { return definesLabel_; }
    bool LabelNameValid() const { return labelNameValid_; }
    bool RecolourNeeded() const { return recolourNeeded_; }
    bool ArgumentIsLabel() const { return argumentIsLabel_; }
    bool ArgumentLabelKnown() const { return argumentLabelKnown_; }
    std::string DefinedLabel() const { return definedLabel_; }
    std::string LabelToRecolour() const { return labelToRecolour_; }
    std::string ReferencedLabel() const { return referencedLabel_; }
    void ClearLineResults();

  protected:
    void AppendLabel(LabelEntry entry);

    const isa::InstructionSet& set_;

  private:
    enum class Width { Bits16, Bits32 };
    bool CheckNumberOrLabel(const std::string& operand, Width width);
    LineCheckCode ClassifyInstruction(const std::string& mnemonic, int& position);
    LineCheckCode ClassifyRRow(const isa::CommandRecord& row, int& position);
    LineCheckCode ClassifyIRow(const isa::CommandRecord& row, int& position);
    LineCheckCode ClassifyData(const std::string& directive, int& position);
    // -15 when a further word stands on the line, else the given code.
    LineCheckCode UnlessMoreWords(LineCheckCode code, int& position) const;

    std::string newText_;
    std::string oldText_;
    std::list<LabelEntry> labels_;
    std::unordered_map<std::string, std::list<LabelEntry>::iterator> labelIndex_;

    bool definesLabel_ = false;
    bool labelNameValid_ = false;
    bool recolourNeeded_ = false;
    std::string definedLabel_;
    std::string labelToRecolour_;
    bool argumentIsLabel_ = false;
    bool argumentLabelKnown_ = false;
    std::string referencedLabel_;
};

// The word count of a line that the checker judges a "ds" line (code 5), nothing for every
// other line: finds the lines to expand without judging each line in full.
std::optional<int32_t> DsLineAmount(const std::string& line);

} // namespace vorn::assembler
