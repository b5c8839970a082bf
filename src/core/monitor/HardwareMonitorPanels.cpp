// The panel refresh, the guarded word read and write, and the small commands of the form.

#include "isa/Command.h"
#include "monitor/HardwareMonitor.h"
#include "monitor/MonitorTexts.h"

namespace vorn::monitor {

using namespace control;

namespace {

constexpr size_t kDumpFieldChars = 10;

} // namespace

void HardwareMonitor::OnRefreshData() {
    link_->Disconnect();
    link_->Connect();
    readSuppressed_ = false;
    const LabFlags& flags = wizard_.state.flags;
    if (flags.slaveLabels) UpdateSlaveLabels();
    if (flags.memoryLabels) UpdateMemoryLabels();
    if (flags.registers) UpdateRegisters();
    if (flags.commands) UpdateCommands();
    if (activeWindow_) {
        recreateWindow_ = false;
        OnSignalWaveforms();
        recreateWindow_ = true;
    }
}

uint32_t HardwareMonitor::ReadBoardWord(uint32_t address) {
    if (readSuppressed_) return kFailedRead;
    uint32_t word = 0;
    if (link_->ReadWord(address, word) == board::NoError) return word;
    const std::string question = Format(
        "In reading address 0x%.8x, there was an error:\n%s\nThe value for this read will be set as "
        "0xeeeeeeee\nDo you want to continue reading addresses?\nIf you select no, future reads will be "
        "marked with 0xeeeeeeee",
        static_cast<unsigned>(address), link_->ErrorText().c_str());
    if (!prompter_.askYesNo(question, "Read Error")) readSuppressed_ = true;
    return kFailedRead;
}

void HardwareMonitor::WriteBoardWord(uint32_t address, uint32_t word) {
    if (writeSuppressed_) return;
    if (link_->WriteWord(address, word) == board::NoError) return;
    const std::string question =
        Format("In writing address 0x%.8x, there was an error:\n%s\nDo you want to continue writing?",
               static_cast<unsigned>(address), link_->ErrorText().c_str());
    if (!prompter_.askYesNo(question, environment_.caption)) writeSuppressed_ = true;
}

void HardwareMonitor::UpdateSlaveLabels() {
    form_.slaveList = {};
    for (const Label& label : labels_.Of(LabelKind::Slave))
        form_.slaveList.lines.push_back(
            Format("%s = 0x%.8x", label.name.c_str(), static_cast<unsigned>(ReadBoardWord(label.value))));
    if (wizard_.state.flags.graphicLabels && addresses_.laRamSet) TakeCapture();
}

void HardwareMonitor::UpdateMemoryLabels() {
    form_.memoryList = {};
    readSuppressed_ = false;
    for (const Label& label : labels_.Of(LabelKind::Memory))
        form_.memoryList.lines.push_back(
            Format("%s = 0x%.8x", label.name.c_str(), static_cast<unsigned>(ReadBoardWord(label.value))));
    for (uint32_t row = 0; row < 4; ++row)
        form_.SetText(FirstDumpRowAddress + static_cast<int>(row), WordText(dumpStart_ + 8 * row));
    for (uint32_t k = 0; k < kDumpValues.size(); ++k)
        form_.SetText(kDumpValues[k], WordText(ReadBoardWord(dumpStart_ + k)));
}

void HardwareMonitor::UpdateRegisters() {
    if (!addresses_.cpuRamSet) {
        form_.SetText(RegisterGroup, "Registers - CPU RAM ADDRESS NOT SET");
        form_.ShowRegisterControls(false);
        form_.Show(RegisterGroup, true);
        return;
    }
    form_.SetText(RegisterGroup, "Registers");
    form_.ShowRegisterControls(true);
    for (uint32_t i = 0; i < 32; ++i)
        form_.SetText(FirstRegisterValue + static_cast<int>(i),
                      WordText(ReadBoardWord(addresses_.cpuRam + i)));
}

void HardwareMonitor::UpdateCommands() {
    if (!wizard_.state.flags.commands) return;
    readSuppressed_ = false;
    const auto pcAddress = labels_.Find(LabelKind::Slave, kPcLabel);
    if (!pcAddress) {
        form_.SetText(CommandGroup, "Commands - PC LABEL NOT SET");
        for (const DisassemblyRow& row : kDisassemblyRows)
            for (int id : {row.address, row.word, row.text})
                form_.SetText(id, {});
        return;
    }
    form_.SetText(CommandGroup, "Commands");
    const uint32_t pc = ReadBoardWord(*pcAddress);
    SetDisassemblyRow(kPcRow, pc, ReadBoardWord(pc));
    for (uint32_t k = 1; k <= 4; ++k) {
        const uint32_t address = pc - k;
        const bool inRam = address >= settings_.RAMstart && address <= settings_.RAMend;
        SetDisassemblyRow(kPcRow - k, address, inRam ? std::optional(ReadBoardWord(address)) : std::nullopt);
    }
    for (uint32_t k = 1; k <= 4; ++k)
        SetDisassemblyRow(kPcRow + k, pc + k, ReadBoardWord(pc + k));
}

// A word that was not read (outside RAM before the PC) shows "Out of range".
void HardwareMonitor::SetDisassemblyRow(size_t row, uint32_t address, std::optional<uint32_t> word) {
    const DisassemblyRow& cells = kDisassemblyRows[row];
    form_.SetText(cells.address, WordText(address));
    form_.SetText(cells.word, word ? WordText(*word) : "Out of range");
    form_.SetText(cells.text, word ? DisassemblyText(*word, address) : std::string());
}

std::string HardwareMonitor::DisassemblyText(uint32_t word, uint32_t address) {
    const auto instruction = isa::DecodeInstruction(environment_.instructionSet, word);
    if (!instruction) return "no disassembly";
    // As in the simulator, the box of an operand kind that the shape cannot show has no owner.
    return instruction->Disassemble(environment_.instructionSet, static_cast<int32_t>(address),
                                    ownerlessPrompter_);
}

void HardwareMonitor::OnUpdateDump(const std::string& dumpFieldText) {
    form_.SetText(DumpEdit, dumpFieldText);
    dumpStart_ = ReadHexField(dumpFieldText, kDumpFieldChars) & ~7u;
    UpdateMemoryLabels();
}

// The label of a list line is found by the line's index: the lists are built from the label
// model in display order, so a name with blanks in it still finds its label.
void HardwareMonitor::OnWriteLabel(const std::string& valueText) {
    const uint32_t value = ReadHexField(valueText);
    const auto& memoryLabels = labels_.Of(LabelKind::Memory);
    const auto& slaveLabels = labels_.Of(LabelKind::Slave);
    const int memoryLine = form_.memoryList.selection;
    const int slaveLine = form_.slaveList.selection;
    if (memoryLine >= 0 && static_cast<size_t>(memoryLine) < memoryLabels.size()) {
        WriteBoardWord(memoryLabels[static_cast<size_t>(memoryLine)].value, value);
        UpdateMemoryLabels();
    } else if (slaveLine >= 0 && static_cast<size_t>(slaveLine) < slaveLabels.size()) {
        const Label& label = slaveLabels[static_cast<size_t>(slaveLine)];
        if (label.name != kCommandLabel) {
            prompter_.message("Invalid write - you can only write to memory labels\nor the COMMAND register.",
                              "Invalid write");
            return;
        }
        WriteBoardWord(label.value, value);
        readSuppressed_ = false;
        UpdateSlaveLabels();
    } else {
        Message("Please select a label to write to.");
    }
}

void HardwareMonitor::OnSlaveListSelChange(int line) {
    form_.slaveList.selection = line;
    form_.memoryList.selection = -1;
}

void HardwareMonitor::OnMemoryListSelChange(int line) {
    form_.memoryList.selection = line;
    form_.slaveList.selection = -1;
}

void HardwareMonitor::OnWriteEditFocus() {
    form_.defaultButton = Write;
}

void HardwareMonitor::OnDumpEditFocus() {
    form_.defaultButton = UpdateDump;
}

void HardwareMonitor::OnTestIo() {
    Message(link_->CheckIoWidths() == board::NoError ? "Test successful." : "Test failed!");
}

} // namespace vorn::monitor
