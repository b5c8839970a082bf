// The view's panels on the emulated board: which words each lab reads, the texts they show,
// failed reads and their question, and the small commands of the form.

#include "MonitorFixture.h"
#include "monitor/MonitorTexts.h"

#include <gmock/gmock.h>

namespace vorn::monitor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace control;

using Panels = testing::MonitorTest;

// Words first, first+1, ... for each {first, count}.
std::vector<uint32_t> Words(std::initializer_list<std::pair<uint32_t, uint32_t>> runs) {
    std::vector<uint32_t> words;
    for (const auto& [first, count] : runs)
        for (uint32_t i = 0; i < count; ++i)
            words.push_back(first + i);
    return words;
}

TEST_F(Panels, TheRefreshReadsExactlyWhatEachLabEnables) {
    // The slave labels, the capture (STATUS, and no sample while the analyser is empty), the
    // memory labels and the dump, the registers, and the commands: the PC label, the word at the
    // PC (0), PC+1 to PC+4 (the rows before PC 0 lie outside RAM).
    const std::pair<uint32_t, uint32_t> slave{0x8040, 3}, capture{0x8041, 1}, registers{0x8000, 32},
        dump{0, 32};
    MakeMonitor();
    monitor->OnRefreshData();
    EXPECT_THAT(port->ReadAddresses(), IsEmpty()) << "every flag clear";
    EXPECT_EQ(port->opens, 1);
    auto& wizard = monitor->wizard(); // the load/store lab without its labels and start addresses
    ASSERT_FALSE(wizard.OnLabChoiceNext(LoadStore));
    wizard.labels.OnSetActive();
    wizard.labels.CheckStartAddresses();
    monitor->OnWizardEnded(true);
    EXPECT_EQ(form().Text(RegisterGroup), "Registers - CPU RAM ADDRESS NOT SET");
    EXPECT_FALSE(form().Visible(FirstRegisterValue + 31) || form().Visible(FirstRegisterNumber + 31));
    EXPECT_EQ(form().Text(CommandGroup), "Commands - PC LABEL NOT SET");

    struct Case {
        int lab;
        const char* file;
        std::vector<uint32_t> reads;
    };
    for (const Case& c :
         {Case{SimpleSlave, "slave.lbl", Words({slave, registers})},
          Case{SelfMonitoring, "selfmonitor.lbl", Words({slave, capture, registers})},
          Case{ReadWrite, "readwrite.lbl", Words({slave, capture, {0, 4}, dump, registers})},
          Case{LoadStore, "loadstore.lbl",
               Words({slave, capture, {0, 1}, {0x1000, 1}, dump, registers, {0x8040, 1}, {0, 5}})}}) {
        ChooseLab(c.lab, c.file);
        port->writes.clear();
        monitor->OnRefreshData();
        EXPECT_EQ(port->ReadAddresses(), c.reads) << c.file;
        EXPECT_EQ(form().Visible(kDumpValues[31]), c.lab == ReadWrite || c.lab == LoadStore) << c.file;
        EXPECT_EQ(form().Visible(kDisassemblyRows[kPcRow].text), c.lab == LoadStore) << c.file;
        EXPECT_EQ(form().Visible(SignalWaveforms), c.lab != SimpleSlave) << c.file;
    }
}

TEST_F(Panels, LoadStorePanelsShowTheBoard) {
    // 0: addi r28 r0 0x28; 1: halt. The PC stands on 1 after one step.
    WriteProgram({dlx.I("addi", 28, 0, 0x28), dlx.Halt()});
    WriteProgram({0xCAFE}, 0x1000);
    LoadStoreLab();
    monitor->OnStep();

    EXPECT_THAT(form().slaveList.lines,
                ElementsAre("PC = 0x00000001", "STATUS = 0x00000001", "COMMAND = 0x00000000"));
    EXPECT_THAT(form().memoryList.lines,
                ElementsAre("START = " + WordText(dlx.I("addi", 28, 0, 0x28)), "DATA = 0x0000cafe"));
    EXPECT_EQ(form().Text(1041), "0x00000028") << "register 28 beside its number";
    EXPECT_EQ(form().Text(FirstDumpRowAddress + 3), "0x00000018");
    EXPECT_EQ(form().Text(kDumpValues[1]), WordText(dlx.Halt()));

    const auto text = [&](int offset, int DisassemblyRow::*field) {
        return form().Text(kDisassemblyRows[kPcRow + offset].*field);
    };
    EXPECT_EQ(text(0, &DisassemblyRow::address), "0x00000001");
    EXPECT_EQ(text(0, &DisassemblyRow::text), "halt");
    EXPECT_EQ(text(-1, &DisassemblyRow::text), "addi R28 R0 0x0028");
    EXPECT_EQ(text(-2, &DisassemblyRow::address), "0xffffffff");
    EXPECT_EQ(text(-2, &DisassemblyRow::word), "Out of range");
}

// A failed read asks; No marks the rest of the panel failed without reading, Yes reads on.
TEST_F(Panels, AFailedReadAsksAndNoSuppressesTheRestOfThePanel) {
    LoadStoreLab();
    port->deadReads = {0x8041};
    monitor->OnRefreshData();
    ASSERT_EQ(prompter.boxes.size(), 1u) << "the capture's own STATUS read asks nothing";
    EXPECT_EQ(prompter.boxes[0].caption, "Read Error");
    EXPECT_EQ(
        prompter.boxes[0].text,
        "In reading address 0x00008041, there was an error:\nNo answer\nThe value for this read will be set "
        "as 0xeeeeeeee\nDo you want to continue reading addresses?\nIf you select no, future reads will be "
        "marked with 0xeeeeeeee");
    EXPECT_THAT(form().slaveList.lines,
                ElementsAre("PC = 0x00000000", "STATUS = 0xeeeeeeee", "COMMAND = 0xeeeeeeee"));
    EXPECT_EQ(form().memoryList.lines[1], "DATA = 0x00000000") << "the memory panel reads again";

    port->deadReads = {0x1000};
    monitor->OnRefreshData();
    EXPECT_EQ(form().Text(FirstRegisterValue), "0xeeeeeeee") << "a No in the memory panel";
    EXPECT_EQ(form().Text(kDisassemblyRows[kPcRow].address), "0x00000000")
        << "the commands panel starts afresh";

    port->deadReads = {0x8040, 0x8042};
    prompter.boxes.clear();
    prompter.yesNoAnswers = {true, true, true};
    monitor->OnRefreshData();
    EXPECT_THAT(form().slaveList.lines,
                ElementsAre("PC = 0xeeeeeeee", "STATUS = 0x00000000", "COMMAND = 0xeeeeeeee"));
    EXPECT_EQ(prompter.boxes.size(), 3u) << "PC twice: the slave panel and the commands panel";
    EXPECT_EQ(form().Text(kDisassemblyRows[kPcRow].address), "0xeeeeeeee") << "the failed-read PC";
}

TEST_F(Panels, TheDisassemblysDefaultCaseBoxHasNoOwnerAndNoCaption) {
    for (isa::CommandRecord& record : instructionSet.commands)
        if (record.name == "addi") record.operandKinds[2] = isa::RS2; // no I-type shows it
    WriteProgram({dlx.I("addi", 1, 0, 5)});
    LoadStoreLab();
    ASSERT_FALSE(ownerlessPrompter.boxes.empty());
    EXPECT_EQ(ownerlessPrompter.boxes[0].text, "default case- ERROR!!!!!!");
    EXPECT_EQ(ownerlessPrompter.boxes[0].caption, "");
}

TEST_F(Panels, UpdateDumpAlignsTheStartToEightWords) {
    LoadStoreLab();
    monitor->OnUpdateDump("0x1F");
    EXPECT_EQ(form().Text(FirstDumpRowAddress + 3), "0x00000030");
    // Ten characters are read; a sign is no hex digit.
    for (const char* typed : {"0x000000000040", "junk", "-8"}) {
        monitor->OnUpdateDump(typed);
        EXPECT_EQ(monitor->dumpStart(), 0u) << typed;
    }
}

TEST_F(Panels, WriteGoesOnlyToTheSelectedMemoryLabelOrToCommandAndAFailedOneAsks) {
    LoadStoreLab();
    monitor->OnMemoryListSelChange(1);
    monitor->OnWriteLabel("0xbeef");
    EXPECT_EQ(form().memoryList.lines[1], "DATA = 0x0000beef");
    monitor->OnSlaveListSelChange(2);
    EXPECT_EQ(form().memoryList.selection, -1);
    monitor->OnWriteLabel("12");
    EXPECT_EQ(form().slaveList.lines[2], "COMMAND = 0x00000012");
    EXPECT_EQ(BoardWord(CommandRegister), 0x12u);
    EXPECT_THAT(TakeBoxes(), IsEmpty());

    monitor->OnSlaveListSelChange(0);
    port->writes.clear();
    monitor->OnWriteLabel("5");
    EXPECT_EQ(prompter.boxes.at(0).caption, "Invalid write");
    EXPECT_THAT(port->writes, IsEmpty());
    monitor->OnRefreshData(); // the lists are built anew, without a selection
    monitor->OnWriteLabel("5");
    EXPECT_THAT(TakeBoxes(),
                ElementsAre("Invalid write - you can only write to memory labels\nor the COMMAND register.",
                            "Please select a label to write to."));

    // A failed write asks; No silences writes until the next upload.
    port->deadWrites = {0x1000};
    monitor->OnMemoryListSelChange(1);
    monitor->OnWriteLabel("1");
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text,
              "In writing address 0x00001000, there was an error:\nNo answer\nDo you want to "
              "continue writing?");
    EXPECT_EQ(prompter.boxes[0].caption, "VORN");
    port->deadWrites.clear();
    monitor->OnMemoryListSelChange(0);
    monitor->OnWriteLabel("7");
    EXPECT_EQ(BoardWord(0), 0u) << "writes stay silent";
    EXPECT_EQ(prompter.boxes.size(), 1u);
    EXPECT_TRUE(
        monitor->UploadCodFile(directory.write("one.cod", ".CODE\n0x00000000\n0x00000001\n0x00000007\n")));
    EXPECT_EQ(BoardWord(0), 7u) << "an upload clears the suppression";
}

TEST_F(Panels, ACancelledWizardHidesTheMonitorAndPutsTheLabelsBack) {
    LoadStoreLab();
    const LabelMaps viewLabels = monitor->labels();
    auto& wizard = monitor->wizard();
    wizard.OnShow(); // run again: the labels and their start addresses stay
    EXPECT_EQ(wizard.labels.cpuRamEdit.text, "0x00000000");
    ASSERT_FALSE(wizard.OnLabChoiceNext(ReadWrite));
    wizard.labels.OnSetActive();
    ASSERT_TRUE(wizard.labels.InsertLabel(0, "OTHER", "1"));
    wizard.labels.laRamEdit.Set("");
    wizard.labels.CheckStartAddresses();
    prompter.boxes.clear();
    monitor->OnWizardEnded(false);
    EXPECT_THAT(TakeBoxes(), ElementsAre("Wizard was not completed.\nPlease rerun wizard."));
    EXPECT_EQ(form().Text(SlaveCaption), "Wizard cancelled. Please start it again.");
    const int hidden[] = {SlaveList, Step, ContinuousMode, RefreshData, Write, MemoryList, CommandGroup};
    for (int id : hidden)
        EXPECT_FALSE(form().Visible(id)) << id;
    EXPECT_EQ(wizard.labels.model(), viewLabels);
    EXPECT_EQ(monitor->labels(), viewLabels);
    wizard.OnShow();
    EXPECT_EQ(wizard.labels.laRamEdit.text, "0x00000020") << "the start addresses went back too";

    LoadStoreLab();
    for (int id : hidden)
        EXPECT_TRUE(form().Visible(id)) << id;
    EXPECT_EQ(form().Text(SlaveCaption), "Slave Labels");
}

TEST_F(Panels, LabelsConfigTakesThePageAndRefreshesWithoutANewDevice) {
    LoadStoreLab();
    auto& page = monitor->wizard().labels;
    page.OnShow();
    page.OnSetActive();
    EXPECT_EQ(page.cpuRamEdit.text, "0x00000000") << "the set start address as an offset";
    EXPECT_EQ(page.laRamEdit.text, "0x00000020");
    page.OnSelect(LabelKind::Memory, 0);
    page.OnDeleteLabel(LabelKind::Memory);
    page.CheckStartAddresses();
    const int opens = port->opens;
    monitor->OnLabelsConfigEnded(true);
    EXPECT_THAT(form().memoryList.lines, ElementsAre("DATA = 0x00000000"));
    EXPECT_EQ(port->opens, opens);

    page.OnSelect(LabelKind::Memory, 0);
    page.OnDeleteLabel(LabelKind::Memory);
    monitor->OnLabelsConfigEnded(false);
    EXPECT_THAT(page.Lines(LabelKind::Memory), ElementsAre("DATA@0x1000"))
        << "a cancel puts the view's labels back";
}

TEST_F(Panels, MemoryConfigUploadsOrSaysThePathWasEmptyAndRefreshesAlways) {
    LoadStoreLab();
    monitor->wizard().memory.path =
        directory.write("p.cod", ".CODE\n0x00000010\n0x00000002\n0x00000001\n0x00000002\n");
    monitor->OnMemoryConfigEnded(true);
    EXPECT_EQ(BoardWord(0x11), 2u);
    monitor->wizard().memory.path.clear();
    prompter.boxes.clear();
    monitor->OnMemoryConfigEnded(true);
    EXPECT_THAT(TakeBoxes(), ElementsAre(".COD filename was empty.\nDid not upload."));
    const int opens = port->opens;
    monitor->OnMemoryConfigEnded(false);
    EXPECT_EQ(port->opens, opens + 1);
}

TEST_F(Panels, TheFullWizardLoadsTheFpgaAndUploadsTheImage) {
    MakeMonitor();
    auto& wizard = monitor->wizard();
    wizard.fpga.path = "lab file.bit";
    wizard.memory.path = directory.write("w.cod", ".DATA\n0x00000020\n0x00000001\n0x0000ABCD\n");
    ChooseLab(LoadStore, "loadstore.lbl");
    EXPECT_EQ(processes.calls.at(0).arguments.back(), "lab file.bit");
    EXPECT_EQ(BoardWord(0x20), 0xABCDu);
    ChooseLab(LoadStore, "loadstore.lbl");
    EXPECT_EQ(processes.calls.size(), 2u) << "the paths stay in their pages";
    directory.write("w.cod", ".DATA\n0x00000020\n0x00000001\n0x00001234\n");
    ChooseLab(SimpleSlave, "slave.lbl");
    monitor->OnMemoryConfigEnded(true);
    EXPECT_EQ(BoardWord(0x20), 0xABCDu) << "a lab without memory labels uploads nothing";
    EXPECT_THAT(TakeBoxes(), ElementsAre(".COD filename was empty.\nDid not upload."));
}

} // namespace
} // namespace vorn::monitor
