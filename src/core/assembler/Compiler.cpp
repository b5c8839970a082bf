#include "assembler/Compiler.h"

#include "assembler/ImageFile.h"
#include "assembler/ListingFile.h"
#include "assembler/SourceNumbers.h"
#include "text/Text.h"
#include "text/WholeFile.h"

#include <sstream>

namespace vorn::assembler {

using namespace vorn::text;
using namespace line_code;

namespace {

constexpr int64_t kLastWordAddress = 0x7FFFFFFF;

} // namespace

Compiler::Compiler(const isa::InstructionSet& set, std::string baseName, std::string commandsXmlVersion)
    : set_(set), baseName_(std::move(baseName)), commandsXmlVersion_(std::move(commandsXmlVersion)),
      handler_(set) {}

bool Compiler::Compile(std::vector<std::string> lines) {
    success_ = true;
    filesWritten_ = true;
    lines = ExpandDs(std::move(lines));
    lineAddress_.assign(lines.size() + 1, -1);
    image_.clear();
    errors_.clear();
    handler_.ClearLabels();
    DefineLabels(lines);
    CheckLinesAndAssignAddresses(lines);
    if (success_) CheckMemoryMap();
    if (success_ && EncodeLines(lines)) {
        BuildLabelReport();
        // The listing goes first; a compile whose listing failed writes no .cod either.
        if (WriteLst(lines)) WriteCod();
    }
    if (!success_) image_.clear();
    return Succeeded();
}

bool Compiler::CompileStream(std::istream& in) {
    // The read that meets the end of the stream still gives a line, so a stream that ends with
    // a line break yields a last empty line.
    std::vector<std::string> lines;
    std::string line;
    do {
        line.clear();
        std::getline(in, line);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    } while (in.good());
    return Compile(std::move(lines));
}

bool Compiler::LoadCod(std::istream& in) {
    return ReadImage(in, set_, image_);
}

// Each "ds" line becomes that many "dc 0x0" lines (at least one), the first keeping its label.
// A "ds" line that would take the reservations of the source past kMaxReservedWords stays as it
// is and is refused by the line check.
std::vector<std::string> Compiler::ExpandDs(std::vector<std::string> lines) {
    std::vector<std::string> expanded;
    expanded.reserve(lines.size());
    int64_t reserved = 0;
    for (std::string& line : lines) {
        const std::optional<int32_t> amount = DsLineAmount(line);
        const int64_t words = std::max<int64_t>(amount.value_or(0), 1);
        if (!amount || reserved + words > kMaxReservedWords) {
            expanded.push_back(std::move(line));
            continue;
        }
        reserved += words;
        int position = 0;
        const std::string first = NextWord(line, position);
        expanded.push_back(IsLabel(first) ? first + " dc 0x0" : "dc 0x0");
        expanded.insert(expanded.end(), static_cast<size_t>(words - 1), "dc 0x0");
    }
    return expanded;
}

// Every label is known before the check, so a line may name a label defined further down.
void Compiler::DefineLabels(const std::vector<std::string>& lines) {
    for (size_t n = 1; n <= lines.size(); ++n) {
        handler_.SetCurrentLine(static_cast<int32_t>(n));
        handler_.UpdateLabels({}, lines[n - 1]);
    }
}

// Every line is judged, so that all errors of the source are listed; addresses are given only
// while nothing has failed.
void Compiler::CheckLinesAndAssignAddresses(const std::vector<std::string>& lines) {
    int64_t counter = 0;
    for (size_t index = 0; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        const auto n = static_cast<int32_t>(index + 1);
        handler_.SetCurrentLine(n);
        LineCheckCode code = handler_.CheckLine({}, line);
        // A "ds" line still here is one that the expansion refused.
        if (code == kDs) code = kFirstParameterIllegal;
        if (code < 0) ReportLineError(line, code, n);
        if (!CheckLabels(line, n) && success_) {
            if (code == kPcLine) {
                counter = PcDirectiveAddress(line);
            } else if (code != kNoWord) {
                if (counter > kLastWordAddress)
                    ReportLineError(line, kAddressOutOfRange, n);
                else
                    lineAddress_[n] = static_cast<int32_t>(counter++);
            }
        }
        handler_.ClearLineResults();
    }
}

bool Compiler::WriteLst(const std::vector<std::string>& lines) {
    std::ostringstream out;
    WriteListing(out, lines, lineAddress_, image_, labelReport_, commandsXmlVersion_);
    return WriteOutputFile(ListingPath(), out.str(), "listing");
}

bool Compiler::WriteCod() {
    std::ostringstream out;
    WriteImage(out, image_, commandsXmlVersion_);
    return WriteOutputFile(ImagePath(), out.str(), "code");
}

// A file that cannot be written fails the compile but not the assembly: the memory image
// stands for a caller that needs only the program.
bool Compiler::WriteOutputFile(const std::string& path, const std::string& bytes, const char* kind) {
    filesWritten_ = WriteWholeFile(path, bytes);
    if (!filesWritten_)
        errors_.push_back(std::string("ERROR: could not write the ") + kind + " file " + path);
    return filesWritten_;
}

void Compiler::AddError(std::string text) {
    errors_.push_back(std::move(text));
    success_ = false;
}

std::string OutputBaseName(const std::string& sourcePath) {
    if (sourcePath.ends_with(".s") || sourcePath.ends_with(".S"))
        return sourcePath.substr(0, sourcePath.size() - 2);
    return sourcePath;
}

} // namespace vorn::assembler
