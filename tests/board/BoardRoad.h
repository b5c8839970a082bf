#pragma once
// The whole road of the monitor to the emulated board: BoardLink, the embedded Python runtime,
// our xstools package and the process's board emulator, in a working directory of the test's
// own that holds the lab's commands.xml and a fresh load of the load/store design.

#include "DlxWords.h"
#include "TempDir.h"
#include "WorkingDirectory.h"
#include "board/BoardLink.h"
#include "board/FpgaLoadFile.h"
#include "isa/Settings.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vorn::testing {

class BoardRoad : public ::testing::Test {
  protected:
    static constexpr uint32_t CpuRam = 0x8000;
    static constexpr uint32_t PcRegister = 0x8040;
    static constexpr uint32_t CommandRegister = 0x8042;

    void SetUp() override {
        std::filesystem::copy_file(VORN_SOURCE_DIR "/lab/commands.xml", directory.file("commands.xml"));
        auto labSettings = isa::LoadSettings(VORN_SOURCE_DIR "/lab/settings.xml");
        ASSERT_TRUE(labSettings.ok());
        settings = *labSettings;
        LoadBitFile("loadstore.bit");
        link = std::make_unique<board::BoardLink>(settings);
        link->Connect();
    }

    // As the loader stand-in does; the board takes it up at the next connect.
    static void LoadBitFile(const std::string& labFile) {
        ASSERT_TRUE(board::HandOverBitFile(VORN_SOURCE_DIR "/lab/" + labFile));
    }
    void Reconnect() {
        link->Disconnect();
        link->Connect();
    }
    uint32_t Read(uint32_t address) {
        uint32_t word = 0xEEEEEEEE;
        EXPECT_EQ(link->ReadWord(address, word), board::NoError) << std::hex << address;
        return word;
    }
    void Write(uint32_t address, uint32_t word) {
        EXPECT_EQ(link->WriteWord(address, word), board::NoError) << std::hex << address;
    }
    void WriteProgram(const std::vector<uint32_t>& words) {
        for (uint32_t address = 0; address < words.size(); ++address)
            Write(address, words[address]);
    }

    TempDir directory;
    WorkingDirectory workingDirectory{directory.path()};
    DlxWords dlx;
    isa::Settings settings;
    std::unique_ptr<board::BoardLink> link;
};

} // namespace vorn::testing
