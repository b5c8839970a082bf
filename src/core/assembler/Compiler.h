#pragma once
// The two-pass assembler: turns the lines of a DLX source into a memory image, with the list of
// every error found and a report of the labels. A Compiler serves one job (one Compile,
// CompileStream or LoadCod) and is then read by its caller and dropped.
//
// Compile, in order: expansion of "ds" lines, definition of every label, the line check with
// address assignment ("pc=" lines move the location counter), the memory-map check, and when
// nothing failed the encoding, the label report, the .lst file and the .cod file. Errors never
// stop a pass early: every fault of the source becomes a text in ErrorList. Line numbers in
// every text count the lines after the expansion of "ds" lines.

#include "assembler/LineCheckCode.h"
#include "assembler/LineHandler2.h"
#include "isa/Command.h"
#include "isa/InstructionSet.h"
#include "isa/MemoryRecord.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

namespace vorn::assembler {

class Compiler {
  public:
    // The files go to baseName + ".lst" and baseName + ".cod"; commandsXmlVersion is the
    // commands.xml date text that both files end with.
    Compiler(const isa::InstructionSet& set, std::string baseName, std::string commandsXmlVersion = {});
    Compiler(const Compiler&) = delete;
    Compiler& operator=(const Compiler&) = delete;

    // True when every line passed and both files were written.
    bool Compile(std::vector<std::string> lines);
    // Compile on the lines of a text stream (CR LF or LF line ends).
    bool CompileStream(std::istream& in);
    // Appends the words of a .cod file to the memory image; false for a file that is not one.
    bool LoadCod(std::istream& in);

    bool Succeeded() const { return success_ && filesWritten_; }
    // True when every line passed, whether or not the files could be written: the memory image
    // holds the program.
    bool Assembled() const { return success_; }
    const std::vector<std::string>& ErrorList() const { return errors_; }
    const std::vector<std::string>& LabelReport() const { return labelReport_; }
    const std::vector<isa::MemoryRecord>& MemoryImage() const { return image_; }
    // Entry n is the word address of line n, -1 for a line without a word, -2 for a line lost
    // in a memory overlap; entry 0 stands for no line.
    const std::vector<int32_t>& LineAddresses() const { return lineAddress_; }
    const LineHandler2& Handler() const { return handler_; }
    std::string ListingPath() const { return baseName_ + ".lst"; }
    std::string ImagePath() const { return baseName_ + ".cod"; }

  private:
    std::vector<std::string> ExpandDs(std::vector<std::string> lines);
    void DefineLabels(const std::vector<std::string>& lines);
    void CheckLinesAndAssignAddresses(const std::vector<std::string>& lines);
    void CheckMemoryMap();
    void ReportLineError(const std::string& line, LineCheckCode code, int32_t lineNumber);
    bool CheckLabels(const std::string& line, int32_t lineNumber);
    void BuildLabelReport();
    bool EncodeLines(const std::vector<std::string>& lines);
    std::shared_ptr<isa::Itype> BuildItype(const std::string& line, const isa::CommandRecord& row,
                                           int& position, int32_t address, int32_t lineNumber);
    std::shared_ptr<isa::Rtype> BuildRtype(const std::string& line, const isa::CommandRecord& row,
                                           int& position);
    uint32_t DcWord(const std::string& operand) const;
    int32_t LabelAddress(const std::string& name) const;
    bool WriteLst(const std::vector<std::string>& lines);
    bool WriteCod();
    bool WriteOutputFile(const std::string& path, const std::string& bytes, const char* kind);
    void AddError(std::string text);

    const isa::InstructionSet& set_;
    std::vector<isa::MemoryRecord> image_;
    std::string baseName_;
    std::string commandsXmlVersion_;
    std::vector<int32_t> lineAddress_;
    bool success_ = true;
    bool filesWritten_ = true;
    LineHandler2 handler_;
    std::vector<std::string> errors_;
    std::vector<std::string> labelReport_;
};

// "ERROR ON LINE: n. " and the text of a negative LineCheckCode; word is the mnemonic (or the
// first word of a pc line), label the name a line defines.
std::string LineErrorText(int32_t lineNumber, LineCheckCode code, const std::string& word,
                          const std::string& label);

// The source path less a final ".s" or ".S"; any other path stays whole.
std::string OutputBaseName(const std::string& sourcePath);

} // namespace vorn::assembler
