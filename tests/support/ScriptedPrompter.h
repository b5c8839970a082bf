#pragma once
// A Prompter for tests: records every box and answers from scripted queues
// (Yes/No default to No, prompts default to cancel).

#include "Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace vorn::testing {

class ScriptedPrompter : public Prompter {
  public:
    struct Box {
        std::string text;
        std::string caption;
    };

    std::vector<Box> boxes;
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> oneValueAnswers;
    std::deque<std::optional<std::pair<std::string, std::string>>> twoValueAnswers;
    std::deque<std::optional<std::string>> fileAnswers;

    void message(const std::string& text, const std::string& caption) override {
        boxes.push_back({text, caption});
    }
    bool askYesNo(const std::string& text, const std::string& caption) override {
        boxes.push_back({text, caption});
        return pop(yesNoAnswers, false);
    }
    std::optional<std::string> askOneValue(const std::string& prompt, const std::string&,
                                           const std::string&) override {
        boxes.push_back({prompt, "one value"});
        return pop(oneValueAnswers, std::optional<std::string>{});
    }
    std::optional<std::pair<std::string, std::string>> askTwoValues(const std::string& prompt,
                                                                    const std::string&, const std::string&,
                                                                    const std::string&,
                                                                    const std::string&) override {
        boxes.push_back({prompt, "two values"});
        return pop(twoValueAnswers, std::optional<std::pair<std::string, std::string>>{});
    }
    std::optional<std::string> chooseOpenFile(const std::string& filter) override {
        boxes.push_back({filter, "open file"});
        return pop(fileAnswers, std::optional<std::string>{});
    }
    std::optional<std::string> chooseSaveFile(const std::string& filter) override {
        boxes.push_back({filter, "save file"});
        return pop(fileAnswers, std::optional<std::string>{});
    }
    // The texts of the boxes shown so far, which are then forgotten.
    std::vector<std::string> takeBoxTexts() {
        std::vector<std::string> texts;
        for (const Box& box : boxes)
            texts.push_back(box.text);
        boxes.clear();
        return texts;
    }

  private:
    template <class T> static T pop(std::deque<T>& queue, T fallback) {
        if (queue.empty()) return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace vorn::testing
