#include "board/FpgaLoadFile.h"

#include "text/TextFile.h"
#include "text/WholeFile.h"

#include <fstream>
#include <random>
#include <sstream>

namespace vorn::board {

namespace {

constexpr const char* Heading = "VORN FPGA load ";

} // namespace

bool HandOverBitFile(const std::string& bitFile) {
    const auto bitText = text::ReadWholeFile(bitFile);
    if (!bitText) return false;
    std::random_device random;
    const uint64_t id = uint64_t{random()} << 32 | random();
    return text::WriteWholeFile(FpgaLoadFileName, Heading + std::to_string(id) + text::kLineEnd + *bitText);
}

std::optional<uint64_t> ReadFpgaLoadId() {
    std::ifstream in(FpgaLoadFileName, std::ios::binary);
    std::string heading;
    if (!text::ReadTextLine(in, heading) || heading.rfind(Heading, 0) != 0) return std::nullopt;
    std::istringstream id(heading.substr(std::string(Heading).size()));
    uint64_t value = 0;
    if (!(id >> value)) return std::nullopt;
    return value;
}

std::optional<FpgaLoad> ReadFpgaLoad() {
    const auto bytes = text::ReadWholeFile(FpgaLoadFileName);
    const std::string heading = Heading;
    if (!bytes || bytes->compare(0, heading.size(), heading) != 0) return std::nullopt;
    std::istringstream in(*bytes);
    in.seekg(static_cast<std::streamoff>(heading.size()));
    FpgaLoad load;
    if (!(in >> load.id)) return std::nullopt;
    const size_t lineEnd = bytes->find('\n');
    load.bitText = lineEnd == std::string::npos ? std::string() : bytes->substr(lineEnd + 1);
    return load;
}

} // namespace vorn::board
