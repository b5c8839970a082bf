#pragma once
// The process-wide objects of the application: settings.xml, the instruction set, the date
// text of commands.xml and the prefix of the simulator's register names. Built once at
// start-up and shared by every window.

#include "isa/InstructionSet.h"
#include "isa/Settings.h"

#include <string>

namespace vorn::ui {

struct Workbench {
    std::string commandsXmlVersion;
    std::string registerSetPrefix = "R";
    isa::Settings settings;
    isa::InstructionSet instructionSet;
};

// The one instance of the process.
Workbench& TheWorkbench();

} // namespace vorn::ui
