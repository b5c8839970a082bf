#pragma once
// The one road from the engine to the user: every message box and prompt passes through a
// Prompter, its text and caption exactly as given. The ui answers with Qt dialogs, tests
// with scripts.

#include <optional>
#include <string>
#include <utility>

namespace vorn {

class Prompter {
  public:
    virtual ~Prompter() = default;

    // A box with an OK button. An empty caption stands for the platform's default caption.
    virtual void message(const std::string& text, const std::string& caption) = 0;
    // A Yes/No box; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& caption) = 0;
    // A one-value prompt; nothing when the user cancels.
    virtual std::optional<std::string> askOneValue(const std::string& prompt, const std::string& label,
                                                   const std::string& preset) = 0;
    // A two-value prompt; nothing when the user cancels.
    virtual std::optional<std::pair<std::string, std::string>>
    askTwoValues(const std::string& prompt, const std::string& label1, const std::string& label2,
                 const std::string& preset1, const std::string& preset2) = 0;
    // Filters are written as "Text (*.txt);;All (*.*)". Nothing when the user cancels.
    virtual std::optional<std::string> chooseOpenFile(const std::string& filter) = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& filter) = 0;
};

} // namespace vorn
