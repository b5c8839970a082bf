#include "ui/editor/CAssemblyEditor.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace vorn::ui {

using assembler::EditKind;

namespace {

// The default format: Courier New (or its metric twin) at 10 points, not bold.
QFont EditorFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

// One tab stop at 1500 twips, then the default stops every 720 twips.
QList<QTextOption::Tab> TabStops(double dotsPerInch) {
    QList<QTextOption::Tab> tabs;
    for (int twips = 1500; twips <= 1500 + 720 * 40; twips = twips == 1500 ? 2160 : twips + 720)
        tabs.append(QTextOption::Tab(twips * dotsPerInch / 1440.0, QTextOption::LeftTab));
    return tabs;
}

QTextCharFormat ToQt(const assembler::CharFormat& format) {
    QTextCharFormat qt;
    if (const std::optional<uint32_t> ref = assembler::ColourRef(format.colour))
        qt.setForeground(QColor(int(*ref & 0xFF), int((*ref >> 8) & 0xFF), int((*ref >> 16) & 0xFF)));
    if (format.bold) qt.setFontWeight(QFont::Bold);
    if (format.underline) qt.setUnderlineStyle(QTextCharFormat::DotLine);
    return qt;
}

// The checker reads 8-bit text; a character beyond Latin-1 stands as '?', so that positions
// in the line are the same for the model and the control.
std::string LineText(const QTextBlock& block) {
    return block.text().toLatin1().toStdString();
}

} // namespace

CAssemblyEditor::CAssemblyEditor(const isa::InstructionSet& set, QWidget* parent)
    : QPlainTextEdit(parent), model_(set) {
    setFont(EditorFont());
    setLineWrapMode(NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QTextOption option = document()->defaultTextOption();
    option.setTabs(TabStops(logicalDpiX()));
    document()->setDefaultTextOption(option);
    connect(document(), &QTextDocument::contentsChange, this, &CAssemblyEditor::onContentsChange);
}

void CAssemblyEditor::RecheckAll() {
    paint(model_.RecheckAll());
    setTextCursor(QTextCursor(document()->lastBlock()));
}

void CAssemblyEditor::ClearColouring() {
    paint(model_.ClearColouring());
}

void CAssemblyEditor::cutSelection() {
    runAs(EditKind::Cut, [this] { cut(); });
}

void CAssemblyEditor::undoEdit() {
    runAs(EditKind::Other, [this] { undo(); });
}

std::unique_ptr<QMenu> CAssemblyEditor::labelMenu() {
    auto menu = std::make_unique<QMenu>(this);
    for (const assembler::LabelMenuItem& item : model_.LabelMenu()) {
        QAction* action = menu->addAction(QString::fromLatin1(item.text));
        const int command = item.command;
        connect(action, &QAction::triggered, this, [this, command] { OnLabelCommand(command); });
    }
    return menu;
}

void CAssemblyEditor::OnLabelCommand(int command) {
    const std::optional<std::string> name = model_.LabelForCommand(command);
    if (!name) return;
    QTextCursor cursor = textCursor();
    cursor.insertText(QString::fromLatin1(*name));
    setTextCursor(cursor);
}

void CAssemblyEditor::showLine(int line) {
    const QTextBlock block = document()->findBlockByNumber(std::clamp(line, 1, blockCount()) - 1);
    setTextCursor(QTextCursor(block));
    verticalScrollBar()->setValue(std::max(0, block.blockNumber() - 1));
    setFocus();
}

void CAssemblyEditor::keyPressEvent(QKeyEvent* event) {
    EditKind kind = EditKind::Typing;
    if (event->matches(QKeySequence::Cut))
        kind = EditKind::Cut;
    else if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo))
        kind = EditKind::Other;
    else if (event->key() == Qt::Key_Backspace)
        kind = EditKind::Backspace;
    else if (event->key() == Qt::Key_Delete)
        kind = EditKind::Delete;
    runAs(kind, [this, event] { QPlainTextEdit::keyPressEvent(event); });
}

void CAssemblyEditor::insertFromMimeData(const QMimeData* source) {
    runAs(EditKind::Paste, [this, source] { QPlainTextEdit::insertFromMimeData(source); });
}

void CAssemblyEditor::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu = labelMenu();
    // The popup opens horizontally centred on the mouse.
    menu->exec(event->globalPos() - QPoint(menu->sizeHint().width() / 2, 0));
}

// The change stands from position to position + added in the new text; the lines it touched
// in the old text follow from the line counts.
void CAssemblyEditor::onContentsChange(int position, int /*removed*/, int added) {
    QTextDocument* text = document();
    const int end = std::min(position + added, text->characterCount() - 1);
    const int first = text->findBlock(position).blockNumber();
    const int last = text->findBlock(end).blockNumber();
    std::optional<assembler::LineSet> changed;
    if (first >= 0 && last >= first)
        changed = model_.ApplyEdit(pendingKind_, first, linesOf(first, last), text->blockCount());
    // A change that the model cannot place is taken as a new text.
    if (!changed)
        changed =
            model_.ApplyEdit(EditKind::Other, 0, linesOf(0, text->blockCount() - 1), text->blockCount());
    paint(changed.value_or(assembler::LineSet{}));
}

std::vector<std::string> CAssemblyEditor::linesOf(int first, int last) const {
    std::vector<std::string> lines;
    for (QTextBlock block = document()->findBlockByNumber(first);
         block.isValid() && block.blockNumber() <= last; block = block.next())
        lines.push_back(LineText(block));
    return lines;
}

// Each run of neighbouring lines is laid out again once.
void CAssemblyEditor::paint(const assembler::LineSet& lines) {
    QTextDocument* text = document();
    for (size_t k = 0; k < lines.size();) {
        const QTextBlock first = text->findBlockByNumber(lines[k]);
        QTextBlock block = first;
        QTextBlock last = first;
        for (; k < lines.size() && block.isValid() && block.blockNumber() == lines[k];
             ++k, block = block.next()) {
            QList<QTextLayout::FormatRange> ranges;
            for (const assembler::FormatRun& run : model_.FormatRuns(lines[k]))
                ranges.append({run.start, run.length, ToQt(run.format)});
            block.layout()->setFormats(ranges);
            last = block;
        }
        if (!first.isValid()) break;
        text->markContentsDirty(first.position(), last.position() + last.length() - first.position());
    }
}

void CAssemblyEditor::runAs(EditKind kind, const std::function<void()>& edit) {
    const EditKind previous = pendingKind_;
    pendingKind_ = kind;
    edit();
    pendingKind_ = previous;
}

} // namespace vorn::ui
