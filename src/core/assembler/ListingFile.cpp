#include "assembler/ListingFile.h"

#include "text/Text.h"
#include "text/TextFile.h"

namespace vorn::assembler {

using namespace vorn::text;

namespace {

constexpr size_t kLabelColumnWidth = 12;

bool IsPcLine(const std::string& line) {
    int position = 0;
    const std::string first = ToLower(NextWord(line, position));
    return first == "pc" || first.starts_with("pc=");
}

// The text up to the first ':' fills the label column; a line without one is all source column.
void WriteSourceColumn(std::ostream& out, const std::string& line) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
        out << std::string(kLabelColumnWidth, ' ') << "\t " << line;
        return;
    }
    const size_t labelWidth = colon + 1;
    out << line.substr(0, labelWidth);
    if (labelWidth < kLabelColumnWidth) out << std::string(kLabelColumnWidth - labelWidth, ' ');
    out << '\t' << line.substr(labelWidth);
}

} // namespace

void WriteListing(std::ostream& out, const std::vector<std::string>& lines,
                  const std::vector<int32_t>& lineAddress, const std::vector<isa::MemoryRecord>& image,
                  const std::vector<std::string>& labelReport, const std::string& commandsXmlVersion) {
    size_t record = 0;
    for (size_t n = 1; n <= lines.size(); ++n) {
        const std::string& line = lines[n - 1];
        if (IsPcLine(line)) continue;
        if (lineAddress[n] == -1) {
            out << "\t\t\t\t\t";
        } else {
            const isa::MemoryRecord& word = image[record];
            out << Hex32Text(static_cast<uint32_t>(word.address)) << ": " << Hex32Text(word.word) << '\t';
            ++record;
        }
        WriteSourceColumn(out, line);
        out << text::kLineEnd;
    }
    out << text::kLineEnd << "Label Report:" << text::kLineEnd;
    for (const std::string& reportLine : labelReport)
        out << reportLine << text::kLineEnd;
    out << '*' << text::WithWindowsLineEnds(commandsXmlVersion);
}

} // namespace vorn::assembler
