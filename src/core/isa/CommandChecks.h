#pragma once
// The load-time checks of commands.xml. Each gives nothing when its field passes, or the one
// box of the fault (exit code 1).

#include "Result.h"
#include "isa/InstructionSet.h"

#include <optional>
#include <set>
#include <string>

namespace vorn::isa {

std::optional<Fault> CheckIdentifier(const std::string& name, const std::string& bits);
bool CheckArgsField(const std::string& args);
std::optional<Fault> CheckAction(const InstructionSet& set, const std::string& action);
// Both evaluators recurse once per operator or bracket: an action is at most MaxActionLength
// characters long and nests brackets at most MaxActionDepth deep.
std::optional<Fault> CheckActionSize(const std::string& name, const std::string& action);
constexpr size_t MaxActionLength = 4096;
constexpr int MaxActionDepth = 256;
std::optional<Fault> ReportDuplicateIdentifier(const InstructionSet& set,
                                               const std::set<std::string>& usedKeys, const std::string& key,
                                               int32_t row);

} // namespace vorn::isa
