#include "assembler/EditorModel.h"

#include "text/Text.h"

#include <algorithm>
#include <bitset>

namespace vorn::assembler {

using namespace vorn::text;

namespace {

constexpr CharFormat kBadLine{TextColour::BadLine, false, true};
constexpr CharFormat kComment{TextColour::Comment, false, false};
// Letters of the 8-bit code pages count as word characters too, so "xé" is one word.
bool IsWordCharacter(char c) {
    return IsLetter(c) || IsDigit(c) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsWholeWord(const std::string& text, size_t start, size_t length) {
    const size_t end = start + length;
    return (start == 0 || !IsWordCharacter(text[start - 1])) &&
           (end == text.size() || !IsWordCharacter(text[end]));
}

// The first whole-word occurrence of a lower-case name in a lower-cased text.
std::optional<size_t> FindWholeWord(const std::string& lowered, const std::string& name, size_t from = 0) {
    for (size_t at = lowered.find(name, from); at != std::string::npos; at = lowered.find(name, at + 1))
        if (IsWholeWord(lowered, at, name.size())) return at;
    return std::nullopt;
}

// The name that a line's first word defines, lower case, when it is one whose places in the
// text can be found word by word: a label name of word characters only.
std::optional<std::string> IndexableNameDefinedBy(const std::string& text) {
    int position = 0;
    std::string word = ToLower(NextWord(text, position));
    if (!IsLabel(word)) return std::nullopt;
    word.pop_back();
    if (!IsLabelName(word) || !std::all_of(word.begin(), word.end(), IsWordCharacter)) return std::nullopt;
    return word;
}

} // namespace

std::optional<uint32_t> ColourRef(TextColour colour) {
    switch (colour) {
    case TextColour::Automatic:
        return std::nullopt;
    case TextColour::BadLine:
        return 0x0000FE; // not 255, so that recolouring a name can tell a bad line from a label
    case TextColour::Comment:
        return 0x00C800;
    case TextColour::DefinedOnce:
        return 0xFF0000;
    case TextColour::NotDefined:
        return 0x0000FF;
    case TextColour::DefinedMoreThanOnce:
        return 0xFF00FF;
    }
    return std::nullopt;
}

EditorModel::Line::Line(std::string lineText)
    : text(std::move(lineText)), lowered(ToLower(text)), formats(text.size()) {}

EditorModel::EditorModel(const isa::InstructionSet& set, int32_t linesWorthAnIndex)
    : checker_(set), linesWorthAnIndex_(linesWorthAnIndex) {
    lines_.emplace_back(std::string());
}

std::vector<FormatRun> EditorModel::FormatRuns(int32_t line) const {
    const std::vector<CharFormat>& formats = LineFormats(line);
    std::vector<FormatRun> runs;
    for (size_t start = 0; start < formats.size();) {
        size_t end = start + 1;
        while (end < formats.size() && formats[end] == formats[start])
            ++end;
        if (formats[start] != CharFormat{})
            runs.push_back({static_cast<int32_t>(start), static_cast<int32_t>(end - start), formats[start]});
        start = end;
    }
    return runs;
}

std::optional<LineSet> EditorModel::ApplyEdit(EditKind kind, int32_t firstLine,
                                              std::vector<std::string> newLines, int32_t newLineCount) {
    const int64_t touched =
        static_cast<int64_t>(newLines.size()) - (static_cast<int64_t>(newLineCount) - LineCount());
    if (firstLine < 0 || newLines.empty() || touched < 1 || firstLine + touched > LineCount())
        return std::nullopt;
    const auto first = lines_.begin() + firstLine;
    const auto last = first + touched;
    // A change of formats alone reports its lines unchanged.
    if (static_cast<size_t>(touched) == newLines.size() &&
        std::equal(first, last, newLines.begin(),
                   [](const Line& line, const std::string& text) { return line.text == text; }))
        return LineSet{};

    textChanged_ = true;
    const bool withinOneLine = touched == 1 && (kind == EditKind::Typing || kind == EditKind::Backspace);
    const std::string savedText = withinOneLine ? first->text : std::string();
    const auto lastTouched = firstLine + static_cast<int32_t>(touched);
    // The touched lines leave the label table while they still stand, so that a name they
    // stop defining is recoloured in the whole text as it was.
    if (checkingEnabled_ && !withinOneLine) {
        if (touched >= linesWorthAnIndex_) IndexNamesDefinedBy(firstLine, lastTouched);
        for (int32_t line = firstLine; line < lastTouched; ++line)
            Retract(line);
        wordIndex_.reset();
    }

    const auto at = lines_.erase(first, last);
    std::vector<Line> inserted;
    inserted.reserve(newLines.size());
    for (std::string& text : newLines)
        inserted.emplace_back(std::move(text));
    lines_.insert(at, std::make_move_iterator(inserted.begin()), std::make_move_iterator(inserted.end()));

    if (checkingEnabled_) {
        const auto lastInserted = firstLine + static_cast<int32_t>(inserted.size());
        if (lastInserted - firstLine >= linesWorthAnIndex_)
            IndexNamesDefinedBy(firstLine, lastInserted, savedText);
        Judge(firstLine, savedText);
        for (int32_t line = firstLine + 1; line < lastInserted; ++line)
            Judge(line, {});
        wordIndex_.reset();
    }
    return TakeDirtyLines();
}

LineSet EditorModel::RecheckAll() {
    checker_.ClearLabels();
    ResetFormats();
    if (LineCount() >= linesWorthAnIndex_) IndexNamesDefinedBy(0, LineCount());
    for (int32_t line = 0; line < LineCount(); ++line) {
        // Labels on a bad line are not coloured: the error colour shows the whole line.
        const bool good = checker_.CheckLine({}, lines_[static_cast<size_t>(line)].text) >= 0;
        MarkLine(line, good);
        if (good) ColourLabelsOfLine(line);
    }
    wordIndex_.reset();
    return TakeDirtyLines();
}

// While lines are judged one after another the text stands still, and a name is recoloured
// across the text only when a line that defines it, or defined it, is judged. So the places of
// the names that these lines (and the text they replace) define are found in one pass over the
// text, rather than in one pass per definition. A name that this misses is still found by the
// search of the whole text: the index answers only for the names it was built for.
void EditorModel::IndexNamesDefinedBy(int32_t first, int32_t last, const std::string& oldText) {
    wordIndex_.emplace();
    // Most words of a text are mnemonics, registers and numbers: a word whose length or first
    // letter no name has is passed over without a look-up.
    size_t longest = 0;
    std::bitset<256> initials;
    const auto take = [&](const std::string& text) {
        if (std::optional<std::string> name = IndexableNameDefinedBy(text)) {
            longest = std::max(longest, name->size());
            initials.set(static_cast<unsigned char>(name->front()));
            wordIndex_->try_emplace(std::move(*name));
        }
    };
    take(oldText);
    for (int32_t line = first; line < last; ++line)
        take(lines_[static_cast<size_t>(line)].text);
    if (wordIndex_->empty()) return;
    std::string word;
    for (int32_t index = 0; index < LineCount(); ++index) {
        const std::string& text = lines_[static_cast<size_t>(index)].lowered;
        for (size_t start = 0; start < text.size();) {
            size_t end = start;
            while (end < text.size() && IsWordCharacter(text[end]))
                ++end;
            if (end > start && end - start <= longest && initials[static_cast<unsigned char>(text[start])]) {
                word.assign(text, start, end - start);
                if (const auto found = wordIndex_->find(word); found != wordIndex_->end())
                    found->second.emplace_back(index, start);
            }
            start = end + 1;
        }
    }
}

LineSet EditorModel::ClearColouring() {
    ResetFormats();
    return TakeDirtyLines();
}

void EditorModel::ResetFormats() {
    for (Line& line : lines_) {
        if (std::any_of(line.formats.begin(), line.formats.end(),
                        [](CharFormat f) { return f != CharFormat{}; }))
            line.dirty = true;
        std::fill(line.formats.begin(), line.formats.end(), CharFormat{});
    }
}

std::vector<LabelMenuItem> EditorModel::LabelMenu() const {
    std::vector<LabelMenuItem> items;
    int command = kFirstLabelCommand;
    for (const LabelEntry& entry : checker_.Labels())
        items.push_back({entry.name, command++});
    if (items.empty()) items.push_back({"No labels found.", 0});
    return items;
}

std::optional<std::string> EditorModel::LabelForCommand(int command) const {
    const std::list<LabelEntry>& labels = checker_.Labels();
    const int index = command - kFirstLabelCommand;
    if (index < 0 || index >= static_cast<int>(labels.size())) return std::nullopt;
    return std::next(labels.begin(), index)->name;
}

void EditorModel::Judge(int32_t line, const std::string& oldText) {
    MarkLine(line, checker_.CheckLine(oldText, lines_[static_cast<size_t>(line)].text) >= 0);
    ColourLabelsOfLine(line);
}

// After this check only the name that lost its definition can need recolouring.
void EditorModel::Retract(int32_t line) {
    checker_.CheckLine(lines_[static_cast<size_t>(line)].text, {});
    ColourLabelsOfLine(line);
}

void EditorModel::MarkLine(int32_t line, bool good) {
    Line& marked = lines_[static_cast<size_t>(line)];
    std::fill(marked.formats.begin(), marked.formats.end(), good ? CharFormat{} : kBadLine);
    const size_t comment = marked.text.find('*');
    if (comment != std::string::npos)
        std::fill(marked.formats.begin() + comment, marked.formats.end(), kComment);
    marked.dirty = true;
}

void EditorModel::ColourLabelsOfLine(int32_t line) {
    Line& judged = lines_[static_cast<size_t>(line)];
    if (checker_.RecolourNeeded()) {
        const int32_t count = checker_.LabelDefinitionCount(checker_.LabelToRecolour());
        if (count == 1)
            ColourWordEverywhere(checker_.LabelToRecolour(), TextColour::DefinedOnce);
        else if (count == 0)
            ColourWordEverywhere(checker_.LabelToRecolour(), TextColour::NotDefined);
    }
    if (checker_.ArgumentIsLabel()) {
        const std::string name = ToLower(checker_.ReferencedLabel());
        const TextColour colour = !checker_.ArgumentLabelKnown() ? TextColour::NotDefined
                                  : checker_.LabelDefinitionCount(checker_.ReferencedLabel()) < 2
                                      ? TextColour::DefinedOnce
                                      : TextColour::DefinedMoreThanOnce;
        if (const std::optional<size_t> at = FindWholeWord(judged.lowered, name))
            Recolour(judged, *at, *at + name.size(), colour);
    }
    if (checker_.DefinesLabel()) {
        const size_t colon = judged.text.find(':');
        if (colon == std::string::npos) return;
        const std::string name = checker_.DefinedLabel();
        const int32_t count = checker_.LabelDefinitionCount(name);
        if (!checker_.LabelNameValid()) {
            Embolden(judged, colon, TextColour::NotDefined);
        } else if (count == 1) {
            ColourWordEverywhere(name, TextColour::DefinedOnce);
            Embolden(judged, colon + 1, TextColour::DefinedOnce);
        } else if (count >= 2) {
            ColourWordEverywhere(name, TextColour::DefinedMoreThanOnce);
            Embolden(judged, colon + 1, std::nullopt);
        }
    }
}

void EditorModel::ColourWordEverywhere(const std::string& name, TextColour colour) {
    const std::string lowered = ToLower(name);
    if (lowered.empty()) return;
    if (wordIndex_) {
        if (const auto found = wordIndex_->find(lowered); found != wordIndex_->end()) {
            for (const auto& [line, at] : found->second)
                RecolourUnlessMarked(lines_[static_cast<size_t>(line)], at, lowered.size(), colour);
            return;
        }
    }
    for (Line& line : lines_)
        for (std::optional<size_t> at = FindWholeWord(line.lowered, lowered); at;
             at = FindWholeWord(line.lowered, lowered, *at + 1))
            RecolourUnlessMarked(line, *at, lowered.size(), colour);
}

// A word in the error or the comment colour keeps it.
void EditorModel::RecolourUnlessMarked(Line& line, size_t start, size_t length, TextColour colour) {
    const TextColour current = line.formats[start].colour;
    if (current != TextColour::BadLine && current != TextColour::Comment)
        Recolour(line, start, start + length, colour);
}

void EditorModel::Recolour(Line& line, size_t start, size_t end, TextColour colour) {
    for (size_t k = start; k < end; ++k)
        line.formats[k].colour = colour;
    line.dirty = true;
}

// The text from the line's start up to end becomes bold, and takes the colour when one is given.
void EditorModel::Embolden(Line& line, size_t end, std::optional<TextColour> colour) {
    for (size_t k = 0; k < end; ++k) {
        line.formats[k].bold = true;
        if (colour) line.formats[k].colour = *colour;
    }
    line.dirty = true;
}

LineSet EditorModel::TakeDirtyLines() {
    LineSet dirty;
    for (int32_t index = 0; index < LineCount(); ++index) {
        Line& line = lines_[static_cast<size_t>(index)];
        if (line.dirty) dirty.push_back(index);
        line.dirty = false;
    }
    return dirty;
}

} // namespace vorn::assembler
