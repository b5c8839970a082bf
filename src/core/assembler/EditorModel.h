#pragma once
// The bookkeeping of the colouring source editor, apart from any screen: the text as lines, the
// label table of the whole text (kept by a LineHandler) and the look of every character. The
// editor widget reports each edit as the lines it touched; the model judges exactly those lines
// again, recolours a label name across the text when one of its definitions comes or goes, and
// answers which lines now look different, so the widget repaints only those.
//
// The look follows the checker's verdict: a bad line red with a dotted underline, a comment
// green, label names blue (defined once), red (not defined) or magenta (defined more than once),
// label definitions bold. Recolouring a name across the text skips words in the error and the
// comment colours, so a bad line and a comment keep their look.

#include "assembler/LineHandler.h"
#include "isa/InstructionSet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vorn::assembler {

enum class TextColour : uint8_t { Automatic, BadLine, Comment, DefinedOnce, NotDefined, DefinedMoreThanOnce };

// The colour as 0x00BBGGRR; Automatic is the control's own text colour and has none.
std::optional<uint32_t> ColourRef(TextColour colour);

struct CharFormat {
    TextColour colour = TextColour::Automatic;
    bool bold = false;
    bool underline = false; // dotted
    bool operator==(const CharFormat&) const = default;
};

// Characters [start, start + length) of a line share a format other than the default.
struct FormatRun {
    int32_t start;
    int32_t length;
    CharFormat format;
    bool operator==(const FormatRun&) const = default;
};

// How an edit came about. Typing (a character, a replacement of the selection, a new text) and
// Backspace that stay within one line give the checker that line's text from before the edit;
// every other edit first takes the lines it touched out of the label table and then judges the
// lines that stand there now as new ones.
enum class EditKind { Typing, Backspace, Delete, Paste, Cut, Other };

// One entry of the label popup; choosing it sends its command.
struct LabelMenuItem {
    std::string text;
    int command; // 0 for the entry that stands alone in an empty popup
};

inline constexpr int kFirstLabelCommand = 30000;

// Indexes of lines whose look changed, ascending.
using LineSet = std::vector<int32_t>;

class EditorModel {
  public:
    // An edit or a full re-check that judges or takes out at least linesWorthAnIndex lines at
    // once finds the places of the names those lines define in one pass over the text, instead
    // of searching the text for each name; 1 always does, a count above any text never does.
    // Both ways colour alike.
    explicit EditorModel(const isa::InstructionSet& set, int32_t linesWorthAnIndex = 16);

    int32_t LineCount() const { return static_cast<int32_t>(lines_.size()); }
    const std::string& LineText(int32_t line) const { return lines_.at(static_cast<size_t>(line)).text; }
    const std::vector<CharFormat>& LineFormats(int32_t line) const {
        return lines_.at(static_cast<size_t>(line)).formats;
    }
    // The line's characters that do not have the default format, in runs.
    std::vector<FormatRun> FormatRuns(int32_t line) const;

    // An edit that left the text newLineCount lines long, with newLines standing from firstLine
    // where the old text had the lines it touched. Nothing when that does not fit the text the
    // model holds (the caller then reports the whole text as replaced).
    std::optional<LineSet> ApplyEdit(EditKind kind, int32_t firstLine, std::vector<std::string> newLines,
                                     int32_t newLineCount);
    // Empties the label table and judges every line again, from the first to the last.
    LineSet RecheckAll();
    // Every character back to the default format.
    LineSet ClearColouring();

    // While checking is off, edits are neither judged nor coloured and the label table goes
    // stale until the next RecheckAll.
    bool CheckingEnabled() const { return checkingEnabled_; }
    void SetCheckingEnabled(bool enabled) { checkingEnabled_ = enabled; }
    // The text has changed since it was last loaded or saved (colouring is no change).
    bool TextChanged() const { return textChanged_; }
    void ClearTextChanged() { textChanged_ = false; }

    // The popup of the defined labels, in table order, or the single entry "No labels found.".
    std::vector<LabelMenuItem> LabelMenu() const;
    // The name that a popup command inserts; nothing for any other command.
    std::optional<std::string> LabelForCommand(int command) const;

    const LineHandler& Checker() const { return checker_; }

  private:
    struct Line {
        explicit Line(std::string lineText);
        std::string text;
        std::string lowered; // for the case-insensitive search of label names
        std::vector<CharFormat> formats;
        bool dirty = true;
    };

    void ResetFormats();
    void Judge(int32_t line, const std::string& oldText);
    void Retract(int32_t line);
    void MarkLine(int32_t line, bool good);
    void ColourLabelsOfLine(int32_t line);
    void ColourWordEverywhere(const std::string& name, TextColour colour);
    void RecolourUnlessMarked(Line& line, size_t start, size_t length, TextColour colour);
    void IndexNamesDefinedBy(int32_t first, int32_t last, const std::string& oldText = {});
    static void Recolour(Line& line, size_t start, size_t end, TextColour colour);
    static void Embolden(Line& line, size_t end, std::optional<TextColour> colour);
    LineSet TakeDirtyLines();

    LineHandler checker_;
    std::vector<Line> lines_;
    // While many lines are judged or taken out, the places (line, column) of the names they
    // define, found once.
    std::optional<std::unordered_map<std::string, std::vector<std::pair<int32_t, size_t>>>> wordIndex_;
    int32_t linesWorthAnIndex_;
    bool checkingEnabled_ = true;
    bool textChanged_ = false;
};

} // namespace vorn::assembler
