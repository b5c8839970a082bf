#pragma once

#include "Prompter.h"

class QWidget;

namespace vorn::ui {

// The engine's boxes and prompts shown with Qt: message boxes owned by a window (or by none),
// the one- and two-value dialogs and the file dialogs.
class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* owner = nullptr) : owner_(owner) {}

    void message(const std::string& text, const std::string& caption) override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
    std::optional<std::string> askOneValue(const std::string& prompt, const std::string& label,
                                           const std::string& preset) override;
    std::optional<std::pair<std::string, std::string>>
    askTwoValues(const std::string& prompt, const std::string& label1, const std::string& label2,
                 const std::string& preset1, const std::string& preset2) override;
    std::optional<std::string> chooseOpenFile(const std::string& filter) override;
    std::optional<std::string> chooseSaveFile(const std::string& filter) override;

  private:
    QWidget* owner_;
};

} // namespace vorn::ui
