#pragma once
// The process-wide objects of the application: settings.xml, the instruction set, the shared
// state of the simulated machine, the date text of commands.xml and the prefix of the
// simulator's register names. Built once at start-up and shared by every window.

#include "isa/InstructionSet.h"
#include "isa/MachineState.h"
#include "isa/Settings.h"

#include <memory>
#include <string>

namespace vorn::ui {

struct Workbench {
    std::string commandsXmlVersion;
    std::string registerSetPrefix = "R";
    isa::Settings settings;
    isa::InstructionSet instructionSet;
    // PC, halted flag, registers and data memory, shared by every simulator window; made once
    // the instruction set is loaded.
    std::shared_ptr<isa::MachineStore> machineStore;
};

// The one instance of the process.
Workbench& TheWorkbench();

} // namespace vorn::ui
