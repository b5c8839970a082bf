#pragma once
// The colouring source editor of the Compiler view. Every edit reaches the editor model as the
// lines it touched, together with how it came about (typing, Backspace, Delete, paste, cut,
// undo); the model judges those lines and says which lines look different, and the control
// paints them. The colours live in the line layouts, not in the document, so colouring is no
// edit: it neither marks the text changed nor enters the undo history.

#include "assembler/EditorModel.h"

#include <QPlainTextEdit>
#include <functional>
#include <memory>

class QMenu;

namespace vorn::ui {

class CAssemblyEditor : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit CAssemblyEditor(const isa::InstructionSet& set, QWidget* parent = nullptr);

    assembler::EditorModel& model() { return model_; }
    const assembler::EditorModel& model() const { return model_; }

    // Judges every line again; the caret is left at the start of the last line.
    void RecheckAll();
    // Every character back to the default format.
    void ClearColouring();
    // The editing commands of the view's menu.
    void cutSelection();
    void undoEdit();

    // The popup of the defined labels; choosing an entry inserts its name at the caret.
    std::unique_ptr<QMenu> labelMenu();
    void OnLabelCommand(int command);

    // Line n (from 1) becomes the second visible line, with the caret at its start.
    void showLine(int line);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void onContentsChange(int position, int removed, int added);
    void paint(const assembler::LineSet& lines);
    void runAs(assembler::EditKind kind, const std::function<void()>& edit);
    std::vector<std::string> linesOf(int first, int last) const;

    assembler::EditorModel model_;
    assembler::EditKind pendingKind_ = assembler::EditKind::Typing;
};

} // namespace vorn::ui
