#pragma once
// The DLX Simulator document: one program map and register fill value over the machine store
// that every simulator window of the process shares, and the commands that step, run, reset,
// jump, fill memory and load programs. Each command asks through the Prompter, checks what was
// typed, acts on the machine and ends by refreshing every view of the document; a refused
// check ends the command without a change and without a refresh.
//
// The long runs live inside their command: a run until a condition asks whether to go on
// before every StepsUntilMsg-th step; "Run N steps" never asks.

#include "Prompter.h"
#include "isa/InstructionSet.h"
#include "isa/MachineState.h"
#include "simulator/SimulatorView.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace vorn::simulator {

// What a simulator document works with. The instruction set and the store outlive it.
struct SimulatorEnvironment {
    const isa::InstructionSet& instructionSet;
    std::shared_ptr<isa::MachineStore> store;
    // The commands.xml date text that the temp.lst and temp.cod of "Open Source..." end with.
    std::string commandsXmlVersion;
    // The application's title: the caption of every box.
    std::string caption = "VORN";
    // Where "Open Source..." writes err.txt, temp.lst and temp.cod; empty for the current
    // directory.
    std::filesystem::path directory;
};

// The text of the question that a long run asks before step n.
std::string StepsPassedText(uint32_t n);

class SimulatorDocument {
  public:
    // Building a document writes 0 into every register of every register file of the store.
    SimulatorDocument(SimulatorEnvironment environment, Prompter& prompter);
    SimulatorDocument(const SimulatorDocument&) = delete;
    SimulatorDocument& operator=(const SimulatorDocument&) = delete;

    isa::MachineState& machine() { return machine_; }
    const isa::InstructionSet& instructionSet() const { return environment_.instructionSet; }
    const std::string& caption() const { return environment_.caption; }

    void AddView(SimulatorView& view);
    void RemoveView(SimulatorView& view);
    void UpdateAllViews();

    // Run menu and the form's "Step" button
    void OnStep();
    void OnRunSteps();
    void OnRunUntilHalt();
    void OnRunUntilPc();
    void OnRunUntilReg();
    void OnRunUntilMemory();
    // Simulator menu
    void OnReset();
    void OnResetRegisters();
    void OnJumpTo();
    void OnFillMemory();
    // Loading: "Open COD...", "Open Source...", "Set Memory" > "From Dump File..."
    void OnOpenCod();
    void OnOpenSource();
    void OnLoadDumpFile();

  private:
    // Steps until stop holds (tested before every step) or the user answers No, then refreshes.
    void RunUntil(const std::function<bool()>& stop);
    void Message(const std::string& text);
    // Asks for a file and opens it; false when the user cancelled or, after its box, when the
    // file does not open.
    bool OpenChosenFile(const char* filter, std::istringstream& in);
    std::filesystem::path WorkFile(const std::string& name) const;

    SimulatorEnvironment environment_;
    Prompter& prompter_;
    isa::MachineState machine_;
    std::vector<SimulatorView*> views_;
};

} // namespace vorn::simulator
