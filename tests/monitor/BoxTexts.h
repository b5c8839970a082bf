#pragma once
// The texts of the boxes a ScriptedPrompter has shown, which it then forgets.

#include "ScriptedPrompter.h"

#include <string>
#include <vector>

namespace vorn::testing {

inline std::vector<std::string> TakeBoxTexts(ScriptedPrompter& prompter) {
    std::vector<std::string> texts;
    for (const auto& box : prompter.boxes)
        texts.push_back(box.text);
    prompter.boxes.clear();
    return texts;
}

} // namespace vorn::testing
