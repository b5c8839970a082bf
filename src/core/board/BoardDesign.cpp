#include "board/BoardDesign.h"

#include "text/TextFile.h"

#include <charconv>
#include <map>
#include <set>
#include <sstream>
#include <vector>

namespace vorn::board {

namespace {

constexpr const char* Magic = "VORN emulated FPGA configuration";

const std::map<std::string, DesignKind> Kinds = {{"slave", DesignKind::Slave},
                                                 {"self-monitoring", DesignKind::SelfMonitoring},
                                                 {"read/write", DesignKind::ReadWrite},
                                                 {"load/store", DesignKind::LoadStore}};

std::optional<uint32_t> HexWord(const std::string& text) {
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The significant lines: without line ends, blank lines and comments.
std::vector<std::string> SignificantLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (text::ReadTextLine(in, line)) {
        if (line.find_first_not_of(" \t") != std::string::npos && line[0] != '#') lines.push_back(line);
    }
    return lines;
}

std::set<std::string> RequiredKeys(const BoardDesign& design) {
    std::set<std::string> keys{"design", "registers", "pc", "status", "command"};
    if (design.HasRam()) keys.insert("ram");
    if (design.HasAnalyser()) keys.insert("analyser");
    return keys;
}

// One "key values" line into the design; false when it is not one of ours.
bool ApplyLine(const std::string& line, BoardDesign& design, std::set<std::string>& seen) {
    std::istringstream words(line);
    std::string key;
    std::vector<std::string> values;
    words >> key;
    for (std::string word; words >> word;)
        values.push_back(word);
    if (!seen.insert(key).second) return false;
    if (key == "design") {
        const auto kind = values.size() == 1 ? Kinds.find(values[0]) : Kinds.end();
        if (kind == Kinds.end()) return false;
        design.kind = kind->second;
        return true;
    }
    if (key == "ram") {
        const auto start = values.size() == 2 ? HexWord(values[0]) : std::nullopt;
        const auto end = values.size() == 2 ? HexWord(values[1]) : std::nullopt;
        if (!start || !end || *start > *end) return false;
        design.ramStart = *start;
        design.ramEnd = *end;
        return true;
    }
    const std::map<std::string, uint32_t BoardDesign::*> addresses = {{"registers", &BoardDesign::registers},
                                                                      {"analyser", &BoardDesign::analyser},
                                                                      {"pc", &BoardDesign::pc},
                                                                      {"status", &BoardDesign::status},
                                                                      {"command", &BoardDesign::command}};
    const auto field = addresses.find(key);
    const auto address = values.size() == 1 ? HexWord(values[0]) : std::nullopt;
    if (field == addresses.end() || !address) return false;
    design.*(field->second) = *address;
    return true;
}

} // namespace

BoardDesign LoadStoreDesign() {
    return BoardDesign{};
}

std::optional<BoardDesign> ParseBoardDesign(const std::string& text) {
    const std::vector<std::string> lines = SignificantLines(text);
    if (lines.empty() || lines[0] != Magic) return std::nullopt;
    BoardDesign design;
    std::set<std::string> seen;
    for (size_t i = 1; i < lines.size(); ++i)
        if (!ApplyLine(lines[i], design, seen)) return std::nullopt;
    if (!seen.contains("design")) return std::nullopt;
    for (const std::string& key : RequiredKeys(design))
        if (!seen.contains(key)) return std::nullopt;
    return design;
}

} // namespace vorn::board
