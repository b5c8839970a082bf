#pragma once
// The searches that decide how an action text is split, shared by the text evaluator and the
// compiler, so that both split every text alike.

#include <cstddef>
#include <optional>
#include <string_view>

namespace vorn::isa {

// The position of the bracket that closes the one at `open`, npos when it is never closed.
size_t MatchingClose(std::string_view text, size_t open, char openChar, char closeChar);

struct OperatorSplit {
    size_t at;           // where the operator stands
    std::string_view op; // its one or two characters
};
// The operator a text is split at: the two-character operators first (== != >= <= >> <<),
// each only where the first occurrence of its first character is followed by its second; then
// * / + & | ^ < > - at their first occurrence, a '-' only where an operand ends just before it
// (elsewhere it is a sign). endsOperand tells which characters end an operand.
std::optional<OperatorSplit> FindOperatorSplit(std::string_view text, bool (*endsOperand)(char));

} // namespace vorn::isa
