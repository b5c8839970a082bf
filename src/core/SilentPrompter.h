#pragma once
// A Prompter for machines that run without a user (the board emulator's CPU, benchmarks):
// boxes vanish, questions are answered No and prompts are cancelled.

#include "Prompter.h"

namespace vorn {

class SilentPrompter : public Prompter {
  public:
    void message(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> askOneValue(const std::string&, const std::string&,
                                           const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::pair<std::string, std::string>> askTwoValues(const std::string&, const std::string&,
                                                                    const std::string&, const std::string&,
                                                                    const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseOpenFile(const std::string&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const std::string&) override { return std::nullopt; }
};

} // namespace vorn
