#include "simulator/SimulatorForm.h"

#include "isa/ParseNumber.h"
#include "simulator/StateFile.h"
#include "simulator/StatePrinting.h"
#include "simulator/TypedNumber.h"
#include "text/Text.h"

namespace vorn::simulator {

namespace {

// The memory dump dialog lists at most this many words.
constexpr int64_t kLargestDump = 0x10000;

} // namespace

SimulatorForm::SimulatorForm(SimulatorDocument& document, Prompter& prompter, std::string& registerSetPrefix)
    : document_(document), prompter_(prompter), registerSetPrefix_(registerSetPrefix) {
    document_.AddView(*this);
}

SimulatorForm::~SimulatorForm() {
    document_.RemoveView(*this);
}

void SimulatorForm::Message(const std::string& text) {
    prompter_.message(text, document_.caption());
}

void SimulatorForm::SetLabels() {
    for (int i = 0; i < FormTexts::kRegisters; ++i)
        labels_[i] = registerSetPrefix_ + text::IntToText(i);
}

void SimulatorForm::OnInitialUpdate() {
    registerSetPrefix_ = "R";
    SetLabels();
    document_.UpdateAllViews();
}

void SimulatorForm::OnUpdate() {
    isa::MachineState& machine = document_.machine();
    for (int i = 0; i < FormTexts::kRegisters; ++i)
        texts_.registers[i] = HexText(machine.GetRegister(i));
    texts_.base = machine.PC;
    for (int r = 0; r < FormTexts::kRows; ++r) {
        const std::optional<int32_t> address = texts_.RowAddress(r);
        texts_.values[r].clear();
        texts_.commands[r].clear();
        if (!address) continue;
        texts_.values[r] = HexText(machine.ReadMemory(*address));
        // The command column shows the program map, not memory: a word changed since the load
        // keeps its old disassembly.
        const isa::MemoryRecord* record = machine.FindInstruction(*address);
        if (record && record->instruction)
            texts_.commands[r] =
                record->instruction->Disassemble(document_.instructionSet(), *address, machine.prompter());
    }
    for (int i = 0; i < watchCount_; ++i)
        texts_.watchValues[i] = HexText(machine.ReadMemory(isa::ParseNumber(texts_.watchAddresses[i])));
    if (show_) show_();
}

void SimulatorForm::ReadFields() {
    if (read_) read_(texts_);
}

void SimulatorForm::OnEditSetFocus() {
    edited_ = false;
}

void SimulatorForm::OnEditChange() {
    edited_ = true;
}

void SimulatorForm::OnRegisterKillFocus(int i) {
    if (!edited_) return document_.UpdateAllViews();
    ReadFields();
    const auto value = TypedNumber(texts_.registers[i]);
    if (value) document_.machine().SetRegister(i, *value);
    // The field shows the machine's value again before the box tells why.
    document_.UpdateAllViews();
    if (!value) Message(kInvalidNumber);
}

void SimulatorForm::OnWatchValueKillFocus(int i) {
    if (!edited_ || i >= watchCount_) return document_.UpdateAllViews();
    ReadFields();
    const auto value = TypedNumber(texts_.watchValues[i]);
    if (value) document_.machine().WriteMemory(isa::ParseNumber(texts_.watchAddresses[i]), *value);
    document_.UpdateAllViews();
    if (!value) Message(kInvalidNumber);
}

void SimulatorForm::OnAddWatch() {
    const auto text = prompter_.askOneValue("Enter memory address:", "Address:", "");
    if (!text) return document_.UpdateAllViews();
    const auto address = CheckedNumber(*text, prompter_, document_.caption());
    if (!address) return;
    if (*address < 0) return Message(kInvalidAddress);
    if (watchCount_ < FormTexts::kWatches) texts_.watchAddresses[watchCount_++] = HexText(*address);
    document_.UpdateAllViews();
}

void SimulatorForm::OnRemoveWatches() {
    watchCount_ = 0;
    texts_.watchAddresses.fill({});
    texts_.watchValues.fill({});
    document_.UpdateAllViews();
}

std::optional<AddressRange> SimulatorForm::OnMemoryDump() {
    const auto texts = prompter_.askTwoValues("Enter memory address area:", "Min:", "Max:", "", "");
    if (!texts) return std::nullopt;
    const auto min = CheckedNumber(texts->first, prompter_, document_.caption());
    if (!min) return std::nullopt;
    const auto max = CheckedNumber(texts->second, prompter_, document_.caption());
    if (!max) return std::nullopt;
    if (*min < 0 || *max < 0) {
        Message(kInvalidAddress);
        return std::nullopt;
    }
    if (int64_t{*max} - *min >= kLargestDump) {
        Message("Cannot dump address space larger than 64k");
        return std::nullopt;
    }
    return AddressRange{*min, *max};
}

void SimulatorForm::OnReplaceRegisterSet() {
    isa::MachineState& machine = document_.machine();
    if (const auto name = prompter_.askOneValue("Enter reg set:", "name:", "")) {
        const int32_t previous = machine.CurrentRegisterFile;
        machine.CurrentRegisterFile = document_.instructionSet().FindRegisterFile("M" + *name);
        if (machine.CurrentRegisterFile == -1) {
            Message("bad name");
            machine.CurrentRegisterFile = previous;
            return;
        }
    }
    // The file's name less its leading 'M': "MR" gives "R".
    const auto& files = machine.RegisterFiles();
    const int32_t current = machine.CurrentRegisterFile;
    const bool named =
        current >= 0 && current < static_cast<int32_t>(files.size()) && !files[current].name.empty();
    registerSetPrefix_ = named ? files[current].name.substr(1) : "";
    SetLabels();
    document_.UpdateAllViews();
}

void SimulatorForm::OnSaveState() {
    const auto path = prompter_.chooseSaveFile("simulator (*.sim);;All (*.*)");
    if (!path) return;
    if (const auto fault = WriteStateFile(*path, texts_)) Message(fault->text);
}

void SimulatorForm::OnPrint(Canvas& canvas) const {
    PrintState(texts_, canvas);
}

} // namespace vorn::simulator
