// The .bit files of ours and the lab/ files that go with them: each lab's .bit, .lbl and
// settings.xml describe the same address map.

#include "TempDir.h"
#include "board/BoardDesign.h"
#include "board/DlxMachine.h"
#include "isa/Settings.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace vorn::board {
namespace {

std::string LabFile(const std::string& name) {
    return testing::ReadFile(VORN_SOURCE_DIR "/lab/" + name);
}

// The lines of a file that ends every line with CR LF; a bare LF fails the test.
std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "text after the last CR LF";
    for (const std::string& line : lines)
        EXPECT_EQ(line.find('\n'), std::string::npos) << "a bare LF";
    return lines;
}

struct LabelFile {
    std::string cpuRam, laRam;
    std::vector<std::pair<std::string, uint32_t>> slave, graphic, memory;
};

LabelFile ReadLabelFile(const std::string& name) {
    const std::vector<std::string> lines = CrLfLines(LabFile(name));
    LabelFile file;
    size_t next = 0;
    auto line = [&] { return next < lines.size() ? lines[next++] : std::string("<missing>"); };
    file.cpuRam = line();
    file.laRam = line();
    for (auto* kind : {&file.slave, &file.graphic, &file.memory}) {
        for (int count = std::stoi(line()); count > 0; --count) {
            const std::string label = line();
            const std::string address = line();
            EXPECT_LE(label.size(), 9u) << label;
            const bool hex = !address.empty() && address.size() <= 8 &&
                             address.find_first_not_of("0123456789abcdef") == std::string::npos;
            EXPECT_TRUE(hex && (address == "0" || address[0] != '0'))
                << label << ": lower-case hexadecimal without leading zeros";
            kind->emplace_back(label, static_cast<uint32_t>(std::stoul(address, nullptr, 16)));
        }
    }
    EXPECT_EQ(next, lines.size());
    return file;
}

std::string OffsetText(uint32_t offset) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%.8x", offset);
    return text;
}

struct Lab {
    const char* name;
    DesignKind kind;
};

const Lab Labs[] = {{"slave", DesignKind::Slave},
                    {"selfmonitor", DesignKind::SelfMonitoring},
                    {"readwrite", DesignKind::ReadWrite},
                    {"loadstore", DesignKind::LoadStore}};

TEST(LabFiles, EachLabsBitLblAndSettingsAgree) {
    const auto settings = isa::LoadSettings(VORN_SOURCE_DIR "/lab/settings.xml");
    ASSERT_TRUE(settings.ok());
    for (const Lab& lab : Labs) {
        SCOPED_TRACE(lab.name);
        const std::string bitText = LabFile(std::string(lab.name) + ".bit");
        CrLfLines(bitText);
        const auto design = ParseBoardDesign(bitText);
        ASSERT_TRUE(design);
        EXPECT_EQ(design->kind, lab.kind);
        const LabelFile labels = ReadLabelFile(std::string(lab.name) + ".lbl");

        const uint32_t base = settings->SLAVEbase;
        const uint32_t registers = design->registers - base;
        EXPECT_EQ(registers % 32, 0u);
        EXPECT_LE(registers + 31, settings->SLAVEend);
        EXPECT_EQ(labels.cpuRam, OffsetText(registers));
        if (design->HasAnalyser()) {
            EXPECT_EQ((design->analyser - base) % 32, 0u);
            EXPECT_EQ(labels.laRam, OffsetText(design->analyser - base));
        } else {
            EXPECT_EQ(labels.laRam, "");
        }
        const std::map<std::string, uint32_t> slave(labels.slave.begin(), labels.slave.end());
        EXPECT_EQ(slave, (std::map<std::string, uint32_t>{{"PC", design->pc - base},
                                                          {"STATUS", design->status - base},
                                                          {"COMMAND", design->command - base}}));
        for (const auto& [name, offset] : labels.slave)
            EXPECT_LE(offset, settings->SLAVEend) << name;
        for (const auto& [name, bit] : labels.graphic)
            EXPECT_LE(bit, 0x1Fu) << name;
        EXPECT_EQ(labels.graphic.empty(), !design->HasAnalyser());
        EXPECT_EQ(labels.memory.empty(), !design->HasRam());
        if (design->HasRam()) {
            EXPECT_EQ(design->ramStart, settings->RAMstart);
            EXPECT_EQ(design->ramEnd, settings->RAMend);
            EXPECT_GE(settings->checkAddressStart, design->ramStart);
            EXPECT_LE(settings->checkAddressEnd, design->ramEnd);
        }
        for (const auto& [name, address] : labels.memory)
            EXPECT_TRUE(address >= settings->RAMstart && address <= settings->RAMend) << name;
    }
}

TEST(LabFiles, TheLoadStoreGraphicLabelsNameTheCpuSignals) {
    const LabelFile labels = ReadLabelFile("loadstore.lbl");
    const std::map<std::string, uint32_t> graphic(labels.graphic.begin(), labels.graphic.end());
    for (const auto& [name, signal] : {std::pair{"HALT", DlxMachine::HaltSignal},
                                       {"RTYPE", DlxMachine::RTypeSignal},
                                       {"JUMP", DlxMachine::JumpSignal},
                                       {"REGWRITE", DlxMachine::RegisterWriteSignal},
                                       {"PC0", 1u}})
        EXPECT_EQ(1u << graphic.at(name), signal) << name;
}

TEST(LabFiles, TheBoardTestLoadsTheReferenceDesign) {
    const auto design = ParseBoardDesign(LabFile("boardtest/DLX.bit"));
    ASSERT_TRUE(design);
    EXPECT_EQ(*design, LoadStoreDesign());
}

TEST(BoardDesignText, ReadLenientlyWithCommentsAndEitherLineEnd) {
    const auto design =
        ParseBoardDesign("\n# ours\nVORN emulated FPGA configuration\ndesign read/write\n"
                         "ram 100 1ff\r\nregisters 4000\n\nanalyser 4020\npc 4040\nstatus 4041\n"
                         "command 4042");
    ASSERT_TRUE(design);
    EXPECT_EQ(design->kind, DesignKind::ReadWrite);
    EXPECT_EQ(design->ramStart, 0x100u);
    EXPECT_EQ(design->ramEnd, 0x1FFu);
    EXPECT_EQ(design->command, 0x4042u);
}

TEST(BoardDesignText, AnythingNotQuiteOursIsRefused) {
    const std::string head = "VORN emulated FPGA configuration\n";
    const std::string slave = "registers 8000\npc 8040\nstatus 8041\ncommand 8042\n";
    EXPECT_TRUE(ParseBoardDesign(head + "design slave\n" + slave));
    const std::vector<std::string> refused = {
        std::string("\xff\x00\x01 a vendor bitstream", 20),
        "design slave\n" + slave,                                                      // no heading
        head + slave,                                                                  // no design
        head + "design dlx\n" + slave,                                                 // unknown design
        head + "design read/write\n" + slave + "analyser 8020\n",                      // no RAM
        head + "design self-monitoring\n" + slave,                                     // no analyser
        head + "design slave\n" + slave + "colour blue\n",                             // unknown key
        head + "design slave\n" + slave + "pc 8050\n",                                 // twice
        head + "design slave\nregisters 0x8000\npc 8040\nstatus 8041\ncommand 8042\n", // prefix
        head + "design read/write\nram 3fff 0\n" + slave + "analyser 8020\n",          // RAM upside down
    };
    for (const std::string& text : refused)
        EXPECT_FALSE(ParseBoardDesign(text)) << text;
}

} // namespace
} // namespace vorn::board
