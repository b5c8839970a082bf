#include "isa/ActionText.h"

#include <array>

namespace vorn::isa {

size_t MatchingClose(std::string_view text, size_t open, char openChar, char closeChar) {
    int depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        if (text[i] == openChar)
            ++depth;
        else if (text[i] == closeChar && --depth == 0)
            return i;
    }
    return std::string_view::npos;
}

std::optional<OperatorSplit> FindOperatorSplit(std::string_view text, bool (*endsOperand)(char)) {
    constexpr auto npos = std::string_view::npos;
    static constexpr std::array<std::string_view, 6> twoChar{"==", "!=", ">=", "<=", ">>", "<<"};
    for (std::string_view op : twoChar) {
        const size_t at = text.find(op[0]);
        if (at != npos && at + 1 < text.size() && text[at + 1] == op[1]) return OperatorSplit{at, op};
    }
    static constexpr std::string_view oneChar = "*/+&|^<>-";
    for (size_t i = 0; i < oneChar.size(); ++i) {
        size_t at = text.find(oneChar[i]);
        if (oneChar[i] == '-') {
            at = text.find('-', 1);
            while (at != npos && !endsOperand(text[at - 1]))
                at = text.find('-', at + 1);
        }
        if (at != npos) return OperatorSplit{at, oneChar.substr(i, 1)};
    }
    return std::nullopt;
}

} // namespace vorn::isa
