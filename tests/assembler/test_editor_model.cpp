// The colouring editor's bookkeeping: the look of a text, the lines an edit repaints, the label
// popup, and random edits that must leave what a full check leaves. A model that searches the text
// name by name and one that finds the names of three lines or more at once must answer alike.

#include "LabProgram.h"
#include "assembler/EditorModel.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <random>

namespace vorn::assembler {
namespace {

using vorn::testing::LabInstructionSet;
using Counts = std::map<std::string, int32_t>;
using Table = std::vector<std::pair<std::string, int32_t>>;
using enum TextColour;

// A text edited as the editor widget reports it: the lines from the edit's start to the end of
// what it inserted, and the new line count.
class EditorText {
  public:
    LineSet Replace(size_t position, size_t count, const std::string& inserted,
                    EditKind kind = EditKind::Typing) {
        text.replace(position, count, inserted);
        std::vector<std::string> lines{{}};
        for (char c : text)
            c == '\n' ? lines.emplace_back() : lines.back() += c;
        const auto lineOf = [&](size_t at) { return std::ranges::count(text.substr(0, at), '\n'); };
        const auto first = lineOf(position);
        const std::vector<std::string> edited{lines.begin() + first,
                                              lines.begin() + lineOf(position + inserted.size()) + 1};
        const std::optional<LineSet> dirty =
            model.ApplyEdit(kind, int32_t(first), edited, int32_t(lines.size()));
        EXPECT_TRUE(dirty.has_value());
        EXPECT_EQ(indexed.ApplyEdit(kind, int32_t(first), edited, int32_t(lines.size())), dirty);
        return dirty.value_or(LineSet{});
    }
    LineSet Retype(int line, const std::string& newText) {
        return Replace(At(line, 0), model.LineText(line).size(), newText);
    }
    // As the view loads a file: the text set with checking off, then judged in full.
    void Load(const std::string& newText) {
        for (EditorModel* each : {&model, &indexed})
            each->SetCheckingEnabled(false);
        Replace(0, text.size(), newText);
        for (EditorModel* each : {&model, &indexed})
            each->SetCheckingEnabled(true);
        EXPECT_EQ(model.RecheckAll(), indexed.RecheckAll());
    }
    size_t At(int line, int column) const {
        size_t position = 0;
        for (int k = 0; k < line; ++k)
            position = text.find('\n', position) + 1;
        return position + static_cast<size_t>(column);
    }

    // One letter per character: B a bad line (underlined), C a comment, o n m a label name
    // defined once, not at all or more than once, upper case when bold; b bold alone.
    std::string Look(int line) const {
        std::string look;
        for (const CharFormat& format : model.LineFormats(line)) {
            const char letter = (format.bold ? "b??ONM" : " BConm")[static_cast<int>(format.colour)];
            look += format.underline == (format.colour == BadLine) ? letter : '?';
        }
        return look;
    }
    std::string Looks(int count) const {
        std::string looks = Look(0);
        for (int line = 1; line < count; ++line)
            looks += "|" + Look(line);
        return looks;
    }
    // The label table in its order: each name with its definition count.
    static Table LabelTable(const EditorModel& of) {
        Table entries;
        for (const LabelEntry& entry : of.Checker().Labels())
            entries.emplace_back(entry.name, entry.definitionCount);
        return entries;
    }

    std::string text;
    EditorModel model{LabInstructionSet(), std::numeric_limits<int32_t>::max()};
    EditorModel indexed{LabInstructionSet(), 3};
};

TEST(EditorModelLook, AFullCheckColoursVerdictsCommentsAndLabelNames) {
    const std::string longLine = "add r1 r2 r3" + std::string(1200, ' ') + "r4"; // r4 past character 999
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> looks = {
        {"add r1 r2", "BBBBBBBBB"}, /* the third operand is missing */ {"foo r1 * not a command", "BBBBBBBCCCCCCCCCCCCCCC"},
        {"x: add r1 r2 r3 * sum", "OO              CCCCC"}, {"j X", "  o"},
        {"y: nop", "MO    "}, /* a colon keeps the look its line was judged with */ {"y: halt", "Mb     "},
        {"beqz r1 y", "        m"}, {"j nowhere", "  nnnnnnn"}, {"j xloop * loops", "  nnnnn CCCCCCC"},
        {"loop: nop", "OOOOO    "}, {"dc LOOP", "   nnnn"}, /* a dc operand is looked up as written */
        {"beqz r1 LOOP", "        oooo"}, {"beqz r1 x r2", "BBBBBBBBBBBB"}, {"nop * jumps to x", "    CCCCCCCCCCCC"},
        {"1abc: nop", "NNNN     "}, {"j z", "  n"}, /* judged before the definition, which stands on a bad line */
        {"z: foo", "BBBBBB"}, {longLine, std::string(longLine.size(), 'B')}};
    // clang-format on
    EditorText editor;
    std::string text, expected;
    for (const auto& [line, look] : looks) {
        text += line + "\n";
        expected += look + "|";
    }
    editor.Load(text);
    EXPECT_EQ(editor.Looks(static_cast<int>(looks.size())) + "|", expected);
    EXPECT_EQ(EditorText::LabelTable(editor.model), (Table{{"x", 1}, {"y", 2}, {"loop", 1}, {"z", 1}}));
}

TEST(EditorModelEdits, OnlyLinesThatLookDifferentAreRepainted) {
    EditorText editor;
    editor.Load("j a\nj b\na: nop\nhalt\n");
    editor.model.ClearTextChanged();
    EXPECT_EQ(editor.Replace(editor.At(3, 4), 0, " "), LineSet{3});
    EXPECT_TRUE(editor.model.TextChanged());
    EXPECT_EQ(editor.Retype(2, "b: nop"), (LineSet{0, 1, 2}));
    EXPECT_EQ(editor.Looks(3), "  n|  o|OO    ");

    // Colouring is no change of the text, and an edit of formats alone repaints nothing.
    editor.model.ClearTextChanged();
    editor.model.RecheckAll();
    EXPECT_EQ(editor.model.ClearColouring(), (LineSet{0, 1, 2}));
    EXPECT_EQ(editor.model.ApplyEdit(EditKind::Other, 0, {"j a"}, 5), LineSet{});
    EXPECT_FALSE(editor.model.TextChanged());
    // An edit that does not fit the text changes nothing.
    EXPECT_FALSE(editor.model.ApplyEdit(EditKind::Typing, 4, {"x", "y"}, 5)); // two lines, none touched
    EXPECT_FALSE(editor.model.ApplyEdit(EditKind::Typing, 5, {"x"}, 6));      // past the end
    EXPECT_FALSE(editor.model.ApplyEdit(EditKind::Typing, -1, {"x"}, 5));
    EXPECT_FALSE(editor.model.ApplyEdit(EditKind::Typing, 0, {}, 4));
    EXPECT_EQ(editor.model.LineText(2), "b: nop");
}

// The popup lists the labels in the order of their first definition; a definition retyped keeps its place.
TEST(EditorModelLabels, ThePopupKeepsTheOrderOfFirstDefinitions) {
    EditorText editor;
    editor.Load("b: nop\na: nop\n");
    editor.Retype(0, "b: halt");
    std::string items;
    for (const LabelMenuItem& item : editor.model.LabelMenu())
        items += item.text + "=" + std::to_string(item.command) + " ";
    EXPECT_EQ(items, "b=30000 a=30001 ");
    EXPECT_EQ(editor.model.LabelForCommand(30001), "a");
    EXPECT_EQ(editor.model.LabelForCommand(30002), std::nullopt);
    EXPECT_EQ(editor.model.LabelForCommand(29999), std::nullopt);
}

// After random edits the line verdicts, the label counts and, with coloursToo, every character's
// look but a colon's (which keeps the look its line was judged with) are a full re-check's; both
// models hold the same label table and the same look of every character.
void ExpectLikeAFullRecheck(const EditorText& edited, bool coloursToo) {
    EditorText fresh;
    fresh.Load(edited.text);
    ASSERT_EQ(edited.model.LineCount(), fresh.model.LineCount());
    const Table table = EditorText::LabelTable(edited.model);
    const auto counts = [](const Table& of) { return Counts(of.begin(), of.end()); };
    EXPECT_EQ(counts(table), counts(EditorText::LabelTable(fresh.model))) << edited.text;
    EXPECT_EQ(EditorText::LabelTable(edited.indexed), table);
    for (int32_t line = 0; line < fresh.model.LineCount(); ++line) {
        const std::string& text = fresh.model.LineText(line);
        ASSERT_EQ(edited.model.LineText(line), text);
        EXPECT_EQ(edited.indexed.LineFormats(line), edited.model.LineFormats(line)) << line << ": " << text;
        const std::vector<CharFormat>& formats = edited.model.LineFormats(line);
        const std::vector<CharFormat>& full = fresh.model.LineFormats(line);
        ASSERT_TRUE(formats.size() == text.size() && full.size() == text.size()) << line << ": " << text;
        EXPECT_EQ(!text.empty() && formats[0].underline, !text.empty() && full[0].underline) << text;
        for (size_t k = 0; coloursToo && k < text.size(); ++k)
            EXPECT_TRUE(text[k] == ':' || formats[k] == full[k])
                << "line " << line << " column " << k << ": " << text;
    }
}

// Character edits of any kind keep the label table. Whole-line edits with names that stand
// only as labels, and only in good lines, keep the colours too. (Judged alone, a bad line
// colours its own labels, which the full re-check leaves in the error colour.)
TEST(EditorModelRandom, EditsLeaveWhatAFullRecheckLeaves) {
    // clang-format off
    const std::vector<std::string> pieces{"a:", "b:", "A:", " ", "\n", "\n", "nop", "j a", "beqz r1 b", "add", "r1", "*",
                                          "dc ", "pc=", ":", "x", "\t", "halt\nc: nop\n", "x.y:"};
    const std::vector<std::string> lines{"alpha: nop", "beta: addi r1 r2 5", "ALPHA: halt", "gamma: beqz r1 beta",
                                         "beqz r1 alpha", "j gamma", "dc beta", "bnez r2 GAMMA", "add r1 r2", "foo r1",
                                         "* alpha beta", "nop * gamma", "", "addi r1 r2 99999", "al.ph: j al.ph"};
    // clang-format on
    std::mt19937 random(20240229);
    const auto pick = [&](const std::vector<std::string>& from) -> const std::string& {
        return from[random() % from.size()];
    };
    for (int round = 0; round < 80; ++round) {
        EditorText editor;
        const bool wholeLines = round % 2 == 1;
        for (int step = 0; step < 60; ++step) {
            if (!wholeLines) {
                const size_t position = random() % (editor.text.size() + 1);
                const size_t removable = editor.text.size() - position;
                const size_t count = removable == 0 ? 0 : random() % std::min<size_t>(removable + 1, 8);
                const std::string& piece = pick(pieces);
                const auto kind = static_cast<EditKind>(random() % 6);
                const unsigned shape = random() % 3;
                editor.Replace(position, shape == 0 ? 0 : count, shape == 1 ? std::string() : piece, kind);
                continue;
            }
            const int count = editor.model.LineCount();
            const int line = static_cast<int>(random() % static_cast<unsigned>(count));
            const auto kind = random() % 4;
            if (kind == 0) editor.Retype(line, pick(lines));
            if (kind == 1) editor.Replace(editor.At(line, 0), 0, pick(lines) + "\n");
            if (kind == 2 && line + 1 < count) {
                const int end = std::min(count - 1, line + 1 + static_cast<int>(random() % 20));
                editor.Replace(editor.At(line, 0), editor.At(end, 0) - editor.At(line, 0), {},
                               EditKind::Delete);
            }
            if (kind == 3) {
                std::string pasted;
                for (auto n = random() % 24; n-- > 0;)
                    pasted += pick(lines) + "\n";
                editor.Replace(editor.At(line, 0), 0, pasted + pick(lines) + "\n", EditKind::Paste);
            }
        }
        ExpectLikeAFullRecheck(editor, wholeLines);
    }
}

} // namespace
} // namespace vorn::assembler
