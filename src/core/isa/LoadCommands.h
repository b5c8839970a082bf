#pragma once
// The load of commands.xml with every check. A fault gives the one box of the load and exit
// code 1; no partial instruction set is ever returned.

#include "Result.h"
#include "isa/InstructionSet.h"

#include <array>
#include <string>

namespace vorn::isa {

Result<InstructionSet> LoadCommands(const std::string& fileName = "commands.xml");

// "0" for the empty text and "none", else one more than the number of commas.
std::string ArgCountText(const std::string& args);
// The kinds of the first three args words.
std::array<int32_t, 3> ParseArgKinds(const std::string& args);

} // namespace vorn::isa
