#pragma once
// The view of the "Compiler" document: form 103 with the colouring source editor, the compiler
// output list and the Load, Save, Compile and Refresh colors buttons. It loads and saves ".s"
// files, assembles the editor's text into .lst and .cod files beside the source, and lists the
// errors or the success line with the label report; double-clicking an error line shows that
// source line.

#include "ui/editor/SourceCodec.h"
#include "ui/framework/CommandIds.h"
#include "ui/framework/DialogTemplate.h"
#include "ui/framework/SavableDocument.h"

#include <QScrollArea>

class QListWidgetItem;

namespace vorn::ui {

struct Workbench;
class CAssemblyEditor;

inline constexpr int ID_OPTIONS_COLORIZE = 32850;

class CTextEditor : public QScrollArea, public CommandTarget, public SavableDocument {
    Q_OBJECT
  public:
    enum ControlId {
        kSourcePathText = 1012,
        kEditor = 1001,
        kOutputList = 1002,
        kLoad = 1010,
        kSave = 1008,
        kCompile = 1009,
        kRefreshColors = 1016
    };

    explicit CTextEditor(const Workbench& workbench, QWidget* parent = nullptr);
    static DialogSpec Template();

    template <class T> T* control(int id) const { return controls_.control<T>(id); }
    CAssemblyEditor* editor() const { return editor_; }
    const QString& sourcePath() const { return sourcePath_; }

    // Reads a source file into the editor; the file's error text when it cannot be read.
    std::optional<QString> LoadFile(const QString& path);

    void OnLoad();
    // False when the dialog was cancelled or the file could not be written.
    bool OnSave();
    void OnCompile();
    void OnRefreshColors();
    void OnColorize();
    void OnErrorListDblClk(QListWidgetItem* item);

    bool onCommand(int command) override;
    std::optional<CommandUi> commandUi(int command) const override;

    // The text holds edits that no save, load or compile has taken.
    bool IsModified() const override;
    QString DocumentName() const override;
    // Saves to the source path without asking; a text without one asks for a path first.
    bool DoFileSave() override;

  private:
    bool WriteSourceFile(const QString& path);
    void ShowSourcePath();
    QStringList BlockTexts() const;
    std::vector<std::string> SourceLines() const;

    const Workbench& workbench_;
    ControlMap controls_;
    CAssemblyEditor* editor_;
    QString sourcePath_;
    SourceCodec codec_;
};

} // namespace vorn::ui
