// The colouring editor's bookkeeping: which lines an edit judges again, the label table of the
// whole text, the look of each character, the label popup; and the Compiler view's output list.

#include "LabProgram.h"
#include "assembler/CompileOutput.h"
#include "assembler/EditorModel.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

namespace vorn::assembler {
namespace {

using vorn::testing::LabInstructionSet;
using Counts = std::map<std::string, int32_t>;
using enum TextColour;

// A text edited character by character, reported to the model the way the editor widget
// reports it: the lines from the edit's start to the end of what it inserted, and the new
// line count.
class EditorText {
  public:
    LineSet Replace(size_t position, size_t count, const std::string& inserted,
                    EditKind kind = EditKind::Typing) {
        text.replace(position, count, inserted);
        const std::vector<std::string> lines = Lines();
        const int32_t first = LineOf(position);
        const int32_t last = LineOf(position + inserted.size());
        const std::optional<LineSet> dirty =
            model.ApplyEdit(kind, first, {lines.begin() + first, lines.begin() + last + 1},
                            static_cast<int32_t>(lines.size()));
        EXPECT_TRUE(dirty.has_value());
        return dirty.value_or(LineSet{});
    }
    LineSet Type(int line, int column, const std::string& inserted) {
        return Replace(At(line, column), 0, inserted);
    }
    // Selects whole lines, including the line break after the last, and deletes them.
    void DeleteLines(int first, int count) {
        Replace(At(first, 0), At(first + count, 0) - At(first, 0), {}, EditKind::Delete);
    }
    LineSet Retype(int line, const std::string& newText) {
        return Replace(At(line, 0), Lines()[line].size(), newText);
    }
    // As the view loads a file: the text set with checking off, then judged in full.
    void Load(const std::string& newText) {
        model.SetCheckingEnabled(false);
        Replace(0, text.size(), newText);
        model.SetCheckingEnabled(true);
        model.RecheckAll();
    }

    size_t At(int line, int column) const {
        size_t position = 0;
        for (int k = 0; k < line; ++k)
            position = text.find('\n', position) + 1;
        return position + static_cast<size_t>(column);
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines{{}};
        for (char c : text)
            c == '\n' ? lines.emplace_back() : lines.back() += c;
        return lines;
    }
    int32_t LineOf(size_t position) const {
        return static_cast<int32_t>(
            std::count(text.begin(), text.begin() + static_cast<long>(position), '\n'));
    }

    CharFormat FormatOf(int line, const std::string& word) const {
        const size_t at = model.LineText(line).find(word);
        EXPECT_NE(at, std::string::npos) << word << " in " << model.LineText(line);
        return model.LineFormats(line).at(at);
    }
    TextColour Colour(int line, const std::string& word) const { return FormatOf(line, word).colour; }
    bool IsBad(int line) const {
        const std::vector<CharFormat>& formats = model.LineFormats(line);
        return !formats.empty() && formats.front().underline;
    }
    Counts LabelCounts() const {
        Counts counts;
        for (const LabelEntry& entry : model.Checker().Labels())
            counts[entry.name] = entry.definitionCount;
        return counts;
    }

    std::string text;
    EditorModel model{LabInstructionSet()};
};

TEST(EditorModelTyping, ALineIsJudgedAsItIsTypedAndColouredByItsVerdict) {
    EditorText editor;
    editor.Type(0, 0, "add r1 r2\nfoo r1 * not a command");
    EXPECT_TRUE(editor.IsBad(0)); // the third operand is missing
    EXPECT_EQ(editor.FormatOf(0, "add"), (CharFormat{BadLine, false, true}));
    EXPECT_EQ(editor.FormatOf(1, "foo"), (CharFormat{BadLine, false, true}));
    EXPECT_EQ(editor.FormatOf(1, "not"), (CharFormat{Comment, false, false}));
    editor.Type(0, 9, " r3 * sum");
    EXPECT_FALSE(editor.IsBad(0));
    EXPECT_EQ(editor.FormatOf(0, "add"), CharFormat{});
    EXPECT_EQ(editor.FormatOf(0, "* sum"), (CharFormat{Comment, false, false}));
    EXPECT_TRUE(editor.model.TextChanged());
}

TEST(EditorModelTyping, OnlyTheTouchedLineIsRepaintedWhenNoLabelChanges) {
    EditorText editor;
    editor.Load("nop\nadd r1 r2 r3\nhalt\n");
    EXPECT_EQ(editor.Type(1, 12, " "), LineSet{1});
    EXPECT_EQ(editor.Type(2, 4, " r1"), LineSet{2});
}

TEST(EditorModelTyping, LinesOfAnyLengthAreJudgedWhole) {
    EditorText editor;
    editor.Type(0, 0, "add r1 r2 r3" + std::string(1200, ' ') + "r4");
    EXPECT_TRUE(editor.IsBad(0)); // the word after the last operand stands past character 999
    ASSERT_EQ(editor.model.LineFormats(0).size(), 1214u);
    EXPECT_TRUE(editor.model.LineFormats(0).back().underline);
}

TEST(EditorModelTyping, JoiningTwoLinesCountsTheirLabelsOnce) {
    EditorText editor;
    editor.Load("a: nop\nb: nop\nj b\n");
    editor.Replace(editor.At(1, 0) - 1, 1, {}, EditKind::Backspace);
    EXPECT_EQ(editor.model.LineText(0), "a: nopb: nop");
    EXPECT_EQ(editor.LabelCounts(), (Counts{{"a", 1}}));
    EXPECT_EQ(editor.Colour(1, "b"), NotDefined);
    // Joining a label line onto a line that defines the same name leaves one definition.
    editor.Load("a: nop\na: halt\n");
    editor.Replace(editor.At(1, 0) - 1, 1, {}, EditKind::Backspace);
    EXPECT_EQ(editor.LabelCounts(), (Counts{{"a", 1}}));
}

TEST(EditorModelTyping, AnEditThatDoesNotFitTheTextChangesNothing) {
    EditorText editor;
    editor.Load("nop\nhalt\n");
    EXPECT_FALSE(editor.model.ApplyEdit(EditKind::Typing, 2, {"x", "y"}, 2)); // two lines, none touched
    EXPECT_FALSE(editor.model.ApplyEdit(EditKind::Typing, 3, {"x"}, 3));      // past the end
    EXPECT_FALSE(editor.model.ApplyEdit(EditKind::Typing, -1, {"x"}, 3));
    EXPECT_FALSE(editor.model.ApplyEdit(EditKind::Typing, 0, {}, 2));
    EXPECT_EQ(editor.model.LineCount(), 3);
    EXPECT_EQ(editor.model.LineText(1), "halt");
}

TEST(EditorModelLabels, DefinitionsColourEveryReferenceByHowOftenTheNameIsDefined) {
    EditorText editor;
    editor.Load("beqz r1 x\n nop\nj x\n nop\n");
    editor.Type(1, 0, "x");
    EXPECT_EQ(editor.Colour(0, "x"), NotDefined);
    editor.Type(1, 1, ":");
    EXPECT_EQ(editor.Colour(2, "x"), DefinedOnce);
    EXPECT_EQ(editor.FormatOf(1, ":"), (CharFormat{DefinedOnce, true, false}));

    editor.Type(3, 0, "x:");
    EXPECT_EQ(editor.Colour(0, "x"), DefinedMoreThanOnce);
    EXPECT_EQ(editor.FormatOf(1, "x"), (CharFormat{DefinedMoreThanOnce, true, false}));

    editor.DeleteLines(3, 1);
    EXPECT_EQ(editor.Colour(0, "x"), DefinedOnce);
    EXPECT_EQ(editor.Colour(1, "x"), DefinedOnce);
    editor.DeleteLines(1, 1);
    EXPECT_EQ(editor.Colour(0, "x"), NotDefined);
    EXPECT_EQ(editor.Colour(1, "x"), NotDefined);
    EXPECT_TRUE(editor.LabelCounts().empty());
}

TEST(EditorModelLabels, DeletingABlockOfLinesRecoloursTheNamesItDefined) {
    EditorText editor;
    std::string block;
    for (int k = 0; k < 30; ++k)
        block += k == 3 ? "a: nop\n" : k == 7 ? "a+b: nop\n" : k == 20 ? "c: nop\n" : "nop\n";
    editor.Load("j a\nj a+b\nj c\n" + block + "c: halt\n");
    ASSERT_EQ(editor.Colour(1, "a+b"), DefinedOnce);
    ASSERT_EQ(editor.Colour(2, "c"), DefinedMoreThanOnce);
    editor.DeleteLines(3, 30);
    EXPECT_EQ(editor.Colour(0, "a"), NotDefined);
    EXPECT_EQ(editor.Colour(1, "a+b"), NotDefined);
    EXPECT_EQ(editor.Colour(2, "c"), DefinedOnce);
    EXPECT_EQ(editor.LabelCounts(), (Counts{{"c", 1}}));
}

TEST(EditorModelLabels, RecolouringTouchesOnlyWholeReferencesInGoodLinesToValidNames) {
    EditorText editor;
    editor.Load("beqz r1 x r2\nnop * jumps to x\nbeqz r1 LOOP\nj loops\nj xloop\n");
    editor.Type(5, 0, "x: nop\nloop: nop");
    EXPECT_EQ(editor.Colour(0, "x"), BadLine);
    EXPECT_EQ(editor.Colour(1, "x"), Comment);
    EXPECT_EQ(editor.Colour(2, "LOOP"), DefinedOnce);
    EXPECT_EQ(editor.Colour(3, "loops"), NotDefined);
    EXPECT_EQ(editor.Colour(4, "xloop"), NotDefined);
    // A full check looks a dc operand up as written.
    editor.Load("loop: nop\ndc LOOP\ndc loop\n");
    EXPECT_EQ(editor.Colour(1, "LOOP"), NotDefined);
    EXPECT_EQ(editor.Colour(2, "loop"), DefinedOnce);

    editor.Load("1abc: nop");
    EXPECT_EQ(editor.FormatOf(0, "1abc"), (CharFormat{NotDefined, true, false}));
    EXPECT_EQ(editor.FormatOf(0, ":"), CharFormat{});
    EXPECT_TRUE(editor.LabelCounts().empty()) << "an invalid name is never counted";
}

TEST(EditorModelLabels, RetypingADefinitionRecoloursTheOldAndNewNames) {
    EditorText editor;
    editor.Load("j a\nj b\na: nop\n");
    EXPECT_EQ(editor.Retype(2, "b: nop"), (LineSet{0, 1, 2}));
    EXPECT_EQ(editor.Colour(0, "a"), NotDefined);
    EXPECT_EQ(editor.Colour(1, "b"), DefinedOnce);

    editor.Load("b: nop\na: nop\n");
    editor.Retype(0, "b: halt");
    EXPECT_EQ(editor.LabelCounts(), (Counts{{"a", 1}, {"b", 1}}));
    EXPECT_EQ(editor.model.LabelMenu().front().text, "b") << "the same definition keeps its place";
}

TEST(EditorModelLabels, ThePopupListsTheLabelsInTheOrderOfTheirFirstDefinition) {
    EditorText editor;
    ASSERT_EQ(editor.model.LabelMenu().size(), 1u);
    EXPECT_EQ(editor.model.LabelMenu()[0].text, "No labels found.");
    EXPECT_EQ(editor.model.LabelForCommand(editor.model.LabelMenu()[0].command), std::nullopt);

    editor.Load("b: nop\na: nop\n");
    const std::vector<LabelMenuItem> menu = editor.model.LabelMenu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].text, "b");
    EXPECT_EQ(menu[0].command, 30000);
    EXPECT_EQ(menu[1].text, "a");
    EXPECT_EQ(menu[1].command, 30001);
    EXPECT_EQ(editor.model.LabelForCommand(30001), "a");
    EXPECT_EQ(editor.model.LabelForCommand(30002), std::nullopt);
    EXPECT_EQ(editor.model.LabelForCommand(29999), std::nullopt);
}

TEST(EditorModelChecking, WhileCheckingIsOffEditsAreNeitherJudgedNorColoured) {
    EditorText editor;
    editor.Load("j x\n");
    editor.model.ClearColouring();
    editor.model.SetCheckingEnabled(false);
    editor.Type(1, 0, "x: foo");
    EXPECT_EQ(editor.model.FormatRuns(1), std::vector<FormatRun>{});
    EXPECT_TRUE(editor.LabelCounts().empty()); // stale until the next full re-check
    EXPECT_TRUE(editor.model.TextChanged());

    editor.model.SetCheckingEnabled(true);
    EXPECT_EQ(editor.model.RecheckAll(), (LineSet{0, 1}));
    EXPECT_EQ(editor.LabelCounts(), (Counts{{"x", 1}}));
    // A label on a bad line is not coloured by the full re-check, and a reference before it
    // stays as it was judged.
    EXPECT_EQ(editor.Colour(1, "x"), BadLine);
    EXPECT_EQ(editor.Colour(0, "x"), NotDefined);
}

TEST(EditorModelChecking, ColouringIsNoChangeOfTheText) {
    EditorText editor;
    editor.Load("a: nop\nj a\n");
    editor.model.ClearTextChanged();
    editor.model.RecheckAll();
    editor.model.ClearColouring();
    EXPECT_FALSE(editor.model.TextChanged());
    EXPECT_EQ(editor.model.ApplyEdit(EditKind::Other, 0, {"a: nop"}, 3), LineSet{});
    EXPECT_FALSE(editor.model.TextChanged());
}

TEST(EditorModelChecking, FormatRunsJoinEqualNeighboursAndLeaveOutTheDefault) {
    EditorText editor;
    editor.Type(0, 0, "ab: beqz r1 ab * go");
    EXPECT_EQ(editor.model.FormatRuns(0), (std::vector<FormatRun>{{0, 3, {DefinedOnce, true, false}},
                                                                  {12, 2, {DefinedOnce, false, false}},
                                                                  {15, 4, {Comment, false, false}}}));
}

// Random edits compared with a full re-check of the same text: the line verdicts and the label
// counts, and with coloursToo every character's look but a colon's, do not depend on the order of
// the edits. (A colon keeps the colour it had when its line was last judged.)
void ExpectLikeAFullRecheck(const EditorText& edited, bool coloursToo) {
    EditorText fresh;
    fresh.Load(edited.text);
    ASSERT_EQ(edited.model.LineCount(), fresh.model.LineCount());
    EXPECT_EQ(edited.LabelCounts(), fresh.LabelCounts()) << edited.text;
    for (int32_t line = 0; line < fresh.model.LineCount(); ++line) {
        const std::string& text = fresh.model.LineText(line);
        ASSERT_EQ(edited.model.LineText(line), text);
        EXPECT_EQ(edited.IsBad(line), fresh.IsBad(line)) << "line " << line << ": " << text;
        for (size_t k = 0; coloursToo && k < text.size(); ++k) {
            if (text[k] == ':') continue;
            EXPECT_EQ(edited.model.LineFormats(line)[k], fresh.model.LineFormats(line)[k])
                << "line " << line << " column " << k << ": " << text;
        }
    }
}

TEST(EditorModelRandom, CharacterEditsKeepTheLabelTableOfTheWholeText) {
    const std::vector<std::string> pieces{"a:",  "b:",  "A:",        " ",   "\n", "\n",
                                          "nop", "j a", "beqz r1 b", "add", "r1", "*",
                                          "dc ", "pc=", ":",         "x",   "\t", "halt\nc: nop\n"};
    std::mt19937 random(20240229);
    for (int round = 0; round < 40; ++round) {
        EditorText editor;
        for (int step = 0; step < 60; ++step) {
            const size_t position = random() % (editor.text.size() + 1);
            const size_t removable = editor.text.size() - position;
            const size_t count = removable == 0 ? 0 : random() % std::min<size_t>(removable + 1, 8);
            const std::string& piece = pieces[random() % pieces.size()];
            const auto kind = static_cast<EditKind>(random() % 6);
            const unsigned shape = random() % 3;
            editor.Replace(position, shape == 0 ? 0 : count, shape == 1 ? std::string() : piece, kind);
        }
        ExpectLikeAFullRecheck(editor, false);
    }
}

// With label names that stand only as labels, and only in good lines, the colours follow a full
// re-check too. (Judged alone, a bad line colours its own labels, which the full re-check leaves
// in the error colour.)
TEST(EditorModelRandom, LineEditsColourLikeAFullRecheck) {
    const std::vector<std::string> vocabulary{"alpha: nop",
                                              "beta: addi r1 r2 5",
                                              "ALPHA: halt",
                                              "gamma: beqz r1 beta",
                                              "beqz r1 alpha",
                                              "j gamma",
                                              "dc beta",
                                              "bnez r2 GAMMA",
                                              "add r1 r2",
                                              "foo r1",
                                              "* alpha beta",
                                              "nop * gamma",
                                              "",
                                              "addi r1 r2 99999"};
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        EditorText editor;
        for (int step = 0; step < 50; ++step) {
            const int lines = editor.model.LineCount();
            const int line = static_cast<int>(random() % static_cast<unsigned>(lines));
            const std::string& pick = vocabulary[random() % vocabulary.size()];
            switch (random() % 4) {
            case 0:
                editor.Retype(line, pick);
                break;
            case 1:
                editor.Type(line, 0, pick + "\n");
                break;
            case 2:
                if (line + 1 < lines) editor.DeleteLines(line, 1);
                break;
            default:
                editor.Replace(editor.At(line, 0), 0,
                               pick + "\n" + vocabulary[random() % vocabulary.size()] + "\n",
                               EditKind::Paste);
            }
        }
        ExpectLikeAFullRecheck(editor, true);
    }
}

TEST(CompileOutputList, FailureListsEveryErrorAndSuccessTheLabelReport) {
    Compiler failing(LabInstructionSet(), "/nonexistent/prog");
    failing.Compile({"nop", "foo r1", "add r1 r2 r3 r4"});
    EXPECT_EQ(
        CompileOutput(failing, "/nonexistent/prog.s"),
        (std::vector<std::string>{"Compilation failed. Errors:", "ERROR ON LINE: 2. unknown command: foo",
                                  "ERROR ON LINE: 3. add - too many parameters"}));

    const std::string base = ::testing::TempDir() + "editor_model_prog";
    Compiler compiler(LabInstructionSet(), base);
    ASSERT_TRUE(compiler.Compile({"loop: nop", "j loop", "done: halt"}));
    EXPECT_EQ(CompileOutput(compiler, base + ".s"),
              (std::vector<std::string>{"Compilation Succeeded on " + base + ".s - .cod,.lst files saved.",
                                        "loop: 1 D: 2", "done: 3 D: "}));
}

TEST(CompileOutputList, OnlyLineErrorsNameASourceLine) {
    EXPECT_EQ(ErrorLineNumber("ERROR ON LINE: 12. unknown command: foo"), 12);
    EXPECT_EQ(
        ErrorLineNumber("ERROR ON LINE: 9, 12. label 'loop' undefined (definition lost during memory map)"),
        9);
    for (const char* other :
         {"Compilation failed. Errors:", "loop: 3 D: 7, 12", "ERROR ON LINE", "ERROR ON LINE: x. y",
          "ERROR: memory overlap; the following lines map to address 0x00000010: 8, 5, 3, "})
        EXPECT_EQ(ErrorLineNumber(other), std::nullopt) << other;
}

} // namespace
} // namespace vorn::assembler
