#include "assembler/ListingFile.h"

#include "text/HexText.h"
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

// The address, ": ", the word and a tab.
void AppendAddressColumn(std::string& out, const isa::MemoryRecord& record) {
    char column[2 * kHex32TextLength + 3];
    char* end = WriteHexText(column, static_cast<uint32_t>(record.address), 8);
    *end++ = ':';
    *end++ = ' ';
    end = WriteHexText(end, record.word, 8);
    *end++ = '\t';
    out.append(column, end);
}

// The text up to the first ':' fills the label column; a line without one is all source column.
void AppendSourceColumn(std::string& out, const std::string& line) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
        out.append(kLabelColumnWidth, ' ').append("\t ").append(line);
        return;
    }
    const size_t labelWidth = colon + 1;
    out.append(line, 0, labelWidth);
    if (labelWidth < kLabelColumnWidth) out.append(kLabelColumnWidth - labelWidth, ' ');
    out.append(1, '\t').append(line, labelWidth);
}

} // namespace

// The listing is built in memory and handed to the stream in one piece.
void WriteListing(std::ostream& out, const std::vector<std::string>& lines,
                  const std::vector<int32_t>& lineAddress, const std::vector<isa::MemoryRecord>& image,
                  const std::vector<std::string>& labelReport, const std::string& commandsXmlVersion) {
    std::string listing;
    // The source, and the two columns and a line end beside each line.
    size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 40;
    listing.reserve(size);
    size_t record = 0;
    for (size_t n = 1; n <= lines.size(); ++n) {
        const std::string& line = lines[n - 1];
        if (IsPcLine(line)) continue;
        if (lineAddress[n] == -1)
            listing.append("\t\t\t\t\t");
        else
            AppendAddressColumn(listing, image[record++]);
        AppendSourceColumn(listing, line);
        listing.append(kLineEnd);
    }
    listing.append(kLineEnd).append("Label Report:").append(kLineEnd);
    for (const std::string& reportLine : labelReport)
        listing.append(reportLine).append(kLineEnd);
    listing.append(1, '*').append(WithWindowsLineEnds(commandsXmlVersion));
    out.write(listing.data(), static_cast<std::streamsize>(listing.size()));
}

} // namespace vorn::assembler
