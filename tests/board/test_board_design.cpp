// The .bit files of ours: a small text naming the design and its address map.

#include "TempDir.h"
#include "board/BoardDesign.h"

#include <gtest/gtest.h>
#include <vector>

namespace vorn::board {
namespace {

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

// The lab's own configurations, which the loader stand-in hands to the emulator.
TEST(BoardDesignText, TheLabsBitFilesNameTheirDesigns) {
    const std::pair<const char*, DesignKind> labs[] = {{"slave.bit", DesignKind::Slave},
                                                       {"selfmonitor.bit", DesignKind::SelfMonitoring},
                                                       {"readwrite.bit", DesignKind::ReadWrite},
                                                       {"loadstore.bit", DesignKind::LoadStore}};
    for (const auto& [file, kind] : labs) {
        const auto design = ParseBoardDesign(testing::ReadFile(VORN_SOURCE_DIR "/lab/" + std::string(file)));
        ASSERT_TRUE(design) << file;
        EXPECT_EQ(design->kind, kind) << file;
    }
    EXPECT_EQ(ParseBoardDesign(testing::ReadFile(VORN_SOURCE_DIR "/lab/boardtest/DLX.bit")),
              LoadStoreDesign());
}

} // namespace
} // namespace vorn::board
