#pragma once
// A document on the lab's instruction set over a store of its own, a scripted prompter, a
// scratch folder for err.txt and the temp files, and a view that counts the refreshes.

#include "LabProgram.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "simulator/SimulatorDocument.h"

#include <gtest/gtest.h>

namespace vorn::simulator::testing {

using vorn::testing::ScriptedPrompter;
using D = SimulatorDocument;

inline const std::string kVersion = "XML file date: Wed 5/3/2014 10:7:09\n";

struct CountingView : SimulatorView {
    explicit CountingView(SimulatorDocument& document) : document(document) { document.AddView(*this); }
    ~CountingView() override { document.RemoveView(*this); }
    void OnUpdate() override { ++updates; }
    SimulatorDocument& document;
    int updates = 0;
};

class SimulatorTest : public ::testing::Test {
  protected:
    SimulatorEnvironment Environment() { return {set, store, kVersion, "VORN", folder.path()}; }
    void Open(void (SimulatorDocument::*command)(), const std::string& name, const std::string& text) {
        prompter.fileAnswers.push_back(folder.write(name, text));
        (document.*command)();
    }
    // Assembles the lines through "Open Source..." and loads them.
    void Load(const std::vector<std::string>& lines) {
        std::string source;
        for (const std::string& line : lines)
            source += line + "\n";
        Open(&D::OnOpenSource, "program.s", source);
        ASSERT_EQ(prompter.boxes.empty() ? "" : prompter.boxes.back().caption, "open file") << LastBox();
        prompter.boxes.clear();
        view.updates = 0;
    }
    // The texts of the boxes shown since the last call.
    std::vector<std::string> Boxes() { return prompter.takeBoxTexts(); }
    std::string LastBox() { return prompter.boxes.empty() ? "(no box)" : Boxes().back(); }
    void AnswerOne(std::optional<std::string> text) { prompter.oneValueAnswers.push_back(std::move(text)); }
    void AnswerTwo(std::string first, std::string second) {
        prompter.twoValueAnswers.emplace_back(std::pair(first, second));
    }
    // Gives a command its answers: one value, or a pair, or a pair and then one value.
    void Run(void (SimulatorDocument::*command)(), std::vector<std::string> answers) {
        if (answers.size() >= 2) AnswerTwo(answers[0], answers[1]);
        if (answers.size() % 2 == 1) AnswerOne(answers.back());
        (document.*command)();
    }
    isa::MachineState& machine() { return document.machine(); }

    isa::InstructionSet set = vorn::testing::LabInstructionSet();
    std::shared_ptr<isa::MachineStore> store = std::make_shared<isa::MachineStore>(set);
    ScriptedPrompter prompter;
    vorn::testing::TempDir folder;
    SimulatorDocument document{Environment(), prompter};
    CountingView view{document};
};

} // namespace vorn::simulator::testing
