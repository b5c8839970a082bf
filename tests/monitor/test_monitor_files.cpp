// The monitor's files: its own .cod upload reader, the label report and the data snapshot.

#include "MonitorFixture.h"
#include "monitor/CodUpload.h"
#include "monitor/MonitorReports.h"

#include <gmock/gmock.h>
#include <sstream>

namespace vorn::monitor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Word = std::pair<uint32_t, uint32_t>;

std::vector<Word> Upload(const std::string& text) {
    std::istringstream in(text);
    std::vector<Word> words;
    ReadCodUpload(in, [&](uint32_t address, uint32_t word) { words.emplace_back(address, word); });
    return words;
}

TEST(CodUpload, WritesTheWordsOfEachBlockLeniently) {
    const std::pair<std::string, std::vector<Word>> cases[] = {
        {".CODE\r\n0x00000000\r\n0x00000002\r\n0x20010005\r\n0xFC000000\r\n.DATA\r\n0x00000010\r\n"
         "0x00000001\r\n0X0000FFFF\r\n.DS\r\n0X6 XML file date: XML file date: Wed 5/3/2014 10:7:09\r\n",
         {{0, 0x20010005}, {1, 0xFC000000}, {0x10, 0xFFFF}}},
        {"0x5\n0\n0x7\n1\n0x42\n", {{7, 0x42}}},                         // a count of 0 goes on
        {"zz\n2\n12ab-x\nnope\n", {{0, 0x12AB}, {1, 0}}},                // the hexadecimal prefix
        {".CODE\n0x20\n0xFFFFFFFF\n0x1\n0x2\n", {{0x20, 1}, {0x21, 2}}}, // ends inside a block
        {"0x20", {}},
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(Upload(text), words) << text;
    // Counts are hexadecimal with or without their prefix.
    std::string sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen += "1\n";
    EXPECT_EQ(Upload("0x100\n0x10\n" + sixteen).size(), 16u);
    EXPECT_EQ(Upload("0x100\n10\n" + sixteen).size(), 16u);
}

using MonitorFiles = testing::MonitorTest;

TEST_F(MonitorFiles, UploadWritesTheImageToTheBoard) {
    LoadStoreLab();
    EXPECT_TRUE(monitor->UploadCodFile(VORN_SOURCE_DIR "/lab/boardtest/dlxtest.cod"));
    EXPECT_EQ(BoardWord(0), 0x0BFF0002u) << "the program's first jump";
    EXPECT_FALSE(monitor->UploadCodFile(directory.file("missing.cod")));
    EXPECT_FALSE(monitor->UploadCodFile(directory.path().string())) << "a folder does not open";
    EXPECT_THAT(TakeBoxes(), IsEmpty());
}

TEST_F(MonitorFiles, LabelReportListsOffsetsBitsAndAddresses) {
    LoadStoreLab();
    const std::string path = directory.file("report.txt");
    prompter.fileAnswers.push_back(path);
    monitor->OnSaveLabelReport();
    EXPECT_EQ(prompter.boxes.at(0).text, "TXT Files (*.txt *.TXT);;All Files (*.*)");
    EXPECT_EQ(testing::ReadFile(path),
              "Label and addresses Report:\r\nCPU RAM Address: 0x0\r\nLA RAM Address: 0x20\r\n"
              "\r\nSlave Labels:\r\nPC @ 0x40\r\nSTATUS @ 0x41\r\nCOMMAND @ 0x42\r\n"
              "\r\nGraphic Labels:\r\nPC0 @ 0x0\r\nPC1 @ 0x1\r\nPC2 @ 0x2\r\nPC3 @ 0x3\r\nHALT @ 0x8\r\n"
              "RTYPE @ 0x9\r\nJUMP @ 0xa\r\nREGWRITE @ 0xb\r\n"
              "\r\nMemory Labels:\r\nSTART @ 0x0\r\nDATA @ 0x1000\r\n");
}

TEST_F(MonitorFiles, ReportsGetTheDefaultExtensionAndACancelWritesNothing) {
    EXPECT_EQ(LabelReportText({}, LabelMaps{}, 0x8000),
              "Label and addresses Report:\n\nSlave Labels:\n\nGraphic Labels:\n\nMemory Labels:\n");
    LoadStoreLab();
    prompter.fileAnswers.push_back(directory.file("snap"));
    monitor->OnSaveDataSnapshot();
    EXPECT_TRUE(std::filesystem::exists(directory.file("snap.txt")));
    monitor->OnSaveLabelReport(); // cancelled
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()), {}), 2)
        << "in.log, snap.txt and nothing else";
}

TEST_F(MonitorFiles, AReportThatCannotBeWrittenSaysSoNamingTheFile) {
    LoadStoreLab();
    const std::string path = directory.file("no folder/report.txt");
    for (auto command : {&HardwareMonitor::OnSaveLabelReport, &HardwareMonitor::OnSaveDataSnapshot}) {
        prompter.fileAnswers.push_back(path);
        ((*monitor).*command)();
        EXPECT_EQ(prompter.boxes.back().text, "The file " + path + " could not be written.");
    }
}

TEST_F(MonitorFiles, SnapshotHoldsWhatTheFormShows) {
    // Registers 1 to 3 hold 1, 2, 3 after three steps.
    WriteProgram({dlx.I("addi", 1, 0, 1), dlx.I("addi", 2, 0, 2), dlx.I("addi", 3, 0, 3)});
    LoadStoreLab();
    for (int i = 0; i < 3; ++i)
        monitor->OnStep();
    const std::string path = directory.file("snapshot.txt");
    prompter.fileAnswers.push_back(path);
    monitor->OnSaveDataSnapshot();
    const std::string text = testing::ReadFile(path);
    EXPECT_TRUE(text.starts_with("Slave Labels:\r\nPC = 0x00000003\r\nSTATUS = 0x00000003\r\n"
                                 "COMMAND = 0x00000000\r\n\r\nRegisters:\r\n"
                                 "R0  : 0x00000000 0x00000001 0x00000002 0x00000003\r\n"
                                 "R4  : 0x00000000 0x00000000 0x00000000 0x00000000\r\n"))
        << text;
    EXPECT_NE(text.find("\r\nR28 : 0x00000000 0x00000000 0x00000000 0x00000000\r\n\r\nMemory Labels:\r\n"
                        "START = 0x20010001\r\nDATA = 0x00000000\r\n\r\nMemory Dump:\r\n"
                        "0x00000000 : 0x20010001 0x20020002 0x20030003 0x00000000\r\n"
                        "0x00000004 : 0x00000000"),
              std::string::npos)
        << text;
    EXPECT_TRUE(text.ends_with("\r\nCommand Disassembly:\r\n"
                               "\t0xffffffff\tOut of range\t\r\n"
                               "\t0x00000000\t0x20010001\taddi R1 R0 0x0001\r\n"
                               "\t0x00000001\t0x20020002\taddi R2 R0 0x0002\r\n"
                               "\t0x00000002\t0x20030003\taddi R3 R0 0x0003\r\n"
                               "-->\t0x00000003\t0x00000000\tnop\r\n"
                               "\t0x00000004\t0x00000000\tnop\r\n"
                               "\t0x00000005\t0x00000000\tnop\r\n"
                               "\t0x00000006\t0x00000000\tnop\r\n"
                               "\t0x00000007\t0x00000000\tnop\r\n"))
        << text;
}

TEST(DataSnapshot, EverySectionFollowsItsFlags) {
    MonitorForm form;
    form.slaveList.lines = {"PC = 0x00000001"};
    form.memoryList.lines = {"M = 0x00000002"};
    EXPECT_EQ(DataSnapshotText(form, {}), "") << "every flag clear";

    SnapshotScope scope;
    scope.flags = *LabFlagsOf(ReadWrite);
    EXPECT_EQ(DataSnapshotText(form, scope).find("Memory"), std::string::npos) << "LA RAM is not set";
    scope.laRamSet = true;
    const std::string text = DataSnapshotText(form, scope);
    EXPECT_TRUE(text.starts_with("Slave Labels:\nPC = 0x00000001\n\nMemory Labels:\nM = 0x00000002\n"))
        << text;
    EXPECT_EQ(text.find("Registers"), std::string::npos) << "CPU RAM is not set";
    EXPECT_NE(text.find("0x00000018 : Static Static Static Static\n"), std::string::npos)
        << "the form's texts";
    EXPECT_EQ(text.find("Command"), std::string::npos);

    scope.flags = *LabFlagsOf(LoadStore);
    EXPECT_EQ(DataSnapshotText(form, scope).find("Command"), std::string::npos) << "no PC label";
}

} // namespace
} // namespace vorn::monitor
