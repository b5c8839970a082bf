#include "assembler/ImageFile.h"

#include "text/HexText.h"
#include "text/Text.h"
#include "text/TextFile.h"

namespace vorn::assembler {

namespace {

bool IsInstruction(const isa::MemoryRecord& record) {
    return record.instruction != nullptr;
}

bool ContinuesBlock(const isa::MemoryRecord& previous, const isa::MemoryRecord& record) {
    return int64_t{record.address} == int64_t{previous.address} + 1 &&
           IsInstruction(record) == IsInstruction(previous);
}

// A line holding "0x" (optional) and 1 to 8 hex digits of either case, blanks after them allowed.
bool ReadHexLine(std::istream& in, uint32_t& value) {
    std::string line;
    if (!text::ReadTextLine(in, line)) return false;
    size_t i = (line.size() >= 2 && line[0] == '0' && (line[1] == 'x' || line[1] == 'X')) ? 2 : 0;
    const size_t start = i;
    while (i < line.size() && text::IsHexDigit(line[i]))
        ++i;
    const size_t digits = i - start;
    if (digits == 0 || digits > 8) return false;
    for (size_t k = i; k < line.size(); ++k)
        if (!text::IsBlank(line[k])) return false;
    value = static_cast<uint32_t>(text::HexToInt(line.substr(start, digits)));
    return true;
}

} // namespace

// The file is built in memory and handed to the stream in one piece.
void WriteImage(std::ostream& out, const std::vector<isa::MemoryRecord>& image,
                const std::string& commandsXmlVersion) {
    std::string file;
    file.reserve(12 * image.size() + 200);
    const auto appendHexLine = [&file](uint32_t value) {
        char hex[text::kHex32TextLength];
        file.append(hex, text::WriteHexText(hex, value, 8)).append(text::kLineEnd);
    };
    for (size_t first = 0; first < image.size();) {
        size_t end = first + 1;
        while (end < image.size() && ContinuesBlock(image[end - 1], image[end]))
            ++end;
        file.append(IsInstruction(image[first]) ? ".CODE" : ".DATA").append(text::kLineEnd);
        appendHexLine(static_cast<uint32_t>(image[first].address));
        appendHexLine(static_cast<uint32_t>(end - first));
        for (size_t k = first; k < end; ++k)
            appendHexLine(image[k].word);
        first = end;
    }
    file.append(".DS").append(text::kLineEnd).append("0X").append(std::to_string(2 * image.size()));
    file.append(" XML file date: ").append(text::WithWindowsLineEnds(commandsXmlVersion));
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
}

bool ReadImage(std::istream& in, const isa::InstructionSet& set, std::vector<isa::MemoryRecord>& image) {
    std::string header;
    while (text::ReadTextLine(in, header)) {
        if (header.empty()) continue;
        if (header == ".DS") return true;
        const bool code = header == ".CODE";
        if (!code && header != ".DATA") return false;
        uint32_t first = 0;
        uint32_t count = 0;
        if (!ReadHexLine(in, first) || !ReadHexLine(in, count)) return false;
        // Word addresses end at 0x7FFFFFFF; the ones above would read as the image's end marker.
        if (count > 0 && uint64_t{first} + count - 1 > 0x7FFFFFFFu) return false;
        // The count is only trusted word by word: the loop ends with the file.
        for (uint32_t k = 0; k < count; ++k) {
            isa::MemoryRecord record;
            record.address = static_cast<int32_t>(first + k);
            if (!ReadHexLine(in, record.word)) return false;
            if (code) {
                record.instruction = isa::DecodeInstruction(set, record.word);
                if (!record.instruction) return false;
            }
            image.push_back(std::move(record));
        }
    }
    return true;
}

} // namespace vorn::assembler
