#include "isa/MachineState.h"

#include "isa/ActionEvaluator.h"
#include "text/Text.h"

namespace vorn::isa {

MachineStore::MachineStore(const InstructionSet& set) : registerFiles(set.registerFiles), vars(set.vars) {
    // R0 of the general registers reads 0 for every reader of the machine.
    if (!registerFiles.empty()) registerFiles[0].cells[0] = 0;
}

MachineState::MachineState(const InstructionSet& set, Prompter& prompter)
    : MachineState(set, prompter, std::make_shared<MachineStore>(set)) {}

MachineState::MachineState(const InstructionSet& set, Prompter& prompter, std::shared_ptr<MachineStore> store)
    : store_(std::move(store)), PC(store_->PC), Halted(store_->Halted),
      CurrentRegisterFile(store_->CurrentRegisterFile), set_(set), prompter_(prompter) {}

void MachineState::Step() {
    // Most steps run the record after the last one, or the last one again.
    auto record = last_;
    if (record != program_.end() && record->first != PC && ++record != program_.end() && record->first != PC)
        record = program_.end();
    if (record == program_.end()) record = program_.find(PC);
    last_ = record;
    if (record == program_.end()) {
        PC = ApplyOperator(PC, 1, Operator::Plus);
        return;
    }
    // The decoded object stays in the record, so a word is decoded once.
    if (!record->second.instruction)
        record->second.instruction = DecodeInstruction(set_, record->second.word);
    if (const Command* instruction = record->second.instruction.get()) {
        if (record->second.prepared.instruction != instruction) Prepare(record->second, *instruction);
        const PreparedInstruction& prepared = record->second.prepared;
        if (prepared.compiled)
            prepared.compiled->Run(*this);
        else if (prepared.row >= 0)
            EvaluateAction(*this, prepared.action);
    }
    if (!Halted) PC = ApplyOperator(PC, 1, Operator::Plus);
}

void MachineState::Prepare(ProgramRecord& record, const Command& instruction) {
    PreparedInstruction& prepared = record.prepared;
    prepared = PreparedInstruction{&instruction, instruction.FindRow(set_), "", std::nullopt};
    if (prepared.row < 0) return;
    prepared.action = SubstitutedAction(instruction, prepared.row);
    prepared.compiled = CompiledAction::Compile(*this, prepared.action);
}

std::string MachineState::SubstitutedAction(const Command& instruction, int32_t row) const {
    // An Rtype has no immediate and an Itype no RS2: imm becomes 0, rs2 the empty text.
    const bool isR = instruction.IsRType();
    const std::string rs2Text = isR ? text::IntToText(static_cast<const Rtype&>(instruction).rs2) : "";
    const int32_t imm = isR ? 0 : static_cast<const Itype&>(instruction).imm;
    std::string action = set_.commands[static_cast<size_t>(row)].action;
    text::RemoveBlanks(action);
    SubstituteOperands(action, text::IntToText(instruction.rd), text::IntToText(instruction.rs1), rs2Text,
                       imm);
    return action;
}

void MachineState::LoadProgram(const std::vector<MemoryRecord>& records) {
    for (const MemoryRecord& record : records) {
        if (record.address == -1) return;
        store_->dataMemory[record.address] = static_cast<int32_t>(record.word);
        program_.insert_or_assign(record.address, ProgramRecord(record));
    }
}

void MachineState::Reset() {
    JumpTo(0);
}

void MachineState::JumpTo(int32_t address) {
    PC = address;
    Halted = false;
}

void MachineState::SetRegisterInitValue(int32_t value) {
    fillValue_ = value;
    ResetRegisters();
}

void MachineState::ResetRegisters() {
    for (RegisterFile& file : store_->registerFiles)
        file.cells.fill(fillValue_);
    if (!store_->registerFiles.empty()) store_->registerFiles[0].cells[0] = 0;
}

int32_t MachineState::GetRegister(int32_t i) const {
    return IsRegisterCell(CurrentRegisterFile, i) ? store_->registerFiles[CurrentRegisterFile].cells[i]
                                                  : UnreadableRegister;
}

void MachineState::SetRegister(int32_t i, int32_t value) {
    int32_t* cell = RegisterCell(CurrentRegisterFile, i);
    if (cell && cell != RegisterCell(0, 0)) *cell = value;
}

const MemoryRecord* MachineState::FindInstruction(int32_t address) const {
    const auto record = program_.find(address);
    return record == program_.end() ? nullptr : &record->second;
}

int32_t MachineState::ReadMemory(int32_t address) {
    return MemoryCell(address);
}

void MachineState::WriteMemory(int32_t address, int32_t value) {
    MemoryCell(address) = value;
}

const VarRecord* MachineState::FindVariable(std::string_view name) const {
    for (const VarRecord& var : store_->vars)
        if (var.name == name) return &var;
    return nullptr;
}

int32_t* MachineState::VariableCell(std::string_view name) {
    const VarRecord* var = FindVariable(name);
    return var ? &const_cast<VarRecord*>(var)->value : nullptr;
}

} // namespace vorn::isa
