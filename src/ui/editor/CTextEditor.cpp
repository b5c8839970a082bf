#include "ui/editor/CTextEditor.h"

#include "assembler/CompileOutput.h"
#include "assembler/Compiler.h"
#include "text/TextFile.h"
#include "text/WholeFile.h"
#include "ui/editor/CAssemblyEditor.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MdiMainFrame.h"
#include "ui/framework/MessageBox.h"
#include "ui/shared/Workbench.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>
#include <sstream>

namespace vorn::ui {

namespace {

const QString kSourceFilter = QStringLiteral("S files (*.s);;All files (*.*)");
const QString kSourceSuffix = QStringLiteral("s");

} // namespace

DialogSpec CTextEditor::Template() {
    return {103,
            {},
            582,
            390,
            {{ControlKind::Static, kSourcePathText, {}, 6, 0, 498, 8},
             {ControlKind::MultiLineEdit, kEditor, {}, 6, 12, 570, 240, TabStop},
             {ControlKind::Static, -1, QStringLiteral("Compiler Output:"), 6, 258, 144, 8},
             {ControlKind::ListBox,
              kOutputList,
              {},
              6,
              270,
              570,
              91,
              NoIntegralHeight | VerticalScroll | TabStop},
             {ControlKind::Button, kLoad, QStringLiteral("&Load...&"), 6, 366, 54, 18},
             {ControlKind::Button, kSave, QStringLiteral("Save..."), 66, 366, 54, 18},
             {ControlKind::Button, kCompile, QStringLiteral("Compile"), 126, 366, 54, 18},
             {ControlKind::Button, kRefreshColors, QStringLiteral("Refresh colors"), 186, 366, 54, 18}}};
}

CTextEditor::CTextEditor(const Workbench& workbench, QWidget* parent)
    : QScrollArea(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("CTextEditor"));
    auto* form = new QWidget;
    controls_ = BuildControls(form, Template());
    setWidget(form);

    // The template's edit control becomes the colouring editor, in the same place.
    QWidget* placeholder = controls_.find(kEditor);
    editor_ = new CAssemblyEditor(workbench_.instructionSet, form);
    editor_->setObjectName(placeholder->objectName());
    editor_->setGeometry(placeholder->geometry());
    delete placeholder;
    controls_.add(kEditor, editor_);
    editor_->show();
    auto* output = control<QListWidget>(kOutputList);
    QWidget::setTabOrder(editor_, output);
    setFocusProxy(editor_);

    output->setSelectionMode(QAbstractItemView::NoSelection);
    output->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(output, &QListWidget::itemDoubleClicked, this, &CTextEditor::OnErrorListDblClk);
    // The caret's line shows in the main frame's spare status-bar pane.
    connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (auto* frame = qobject_cast<MdiMainFrame*>(window())) frame->refreshIndicator();
    });
    connect(control<QPushButton>(kLoad), &QPushButton::clicked, this, &CTextEditor::OnLoad);
    connect(control<QPushButton>(kSave), &QPushButton::clicked, this, &CTextEditor::OnSave);
    connect(control<QPushButton>(kCompile), &QPushButton::clicked, this, &CTextEditor::OnCompile);
    connect(control<QPushButton>(kRefreshColors), &QPushButton::clicked, this, &CTextEditor::OnRefreshColors);
}

std::optional<QString> CTextEditor::LoadFile(const QString& path) {
    std::string failure;
    std::optional<std::string> bytes = text::ReadWholeFile(QFile::encodeName(path).toStdString(), failure);
    if (!bytes) return QString::fromLocal8Bit(failure);
    // Lines of either line end, each followed by a line break.
    std::istringstream in(std::move(*bytes));
    std::string joined;
    for (std::string line; text::ReadTextLine(in, line);)
        joined += line + '\n';

    sourcePath_ = path;
    ShowSourcePath();
    control<QListWidget>(kOutputList)->clear();
    assembler::EditorModel& model = editor_->model();
    const QString text = codec_.decode(QByteArray::fromStdString(joined));
    if (model.CheckingEnabled()) {
        model.SetCheckingEnabled(false);
        editor_->setPlainText(text);
        editor_->RecheckAll();
        model.SetCheckingEnabled(true);
    } else {
        editor_->setPlainText(text);
    }
    model.ClearTextChanged();
    return std::nullopt;
}

void CTextEditor::OnLoad() {
    const std::optional<QString> path = ChooseFile(this, FileDialogMode::Open, kSourceFilter, kSourceSuffix);
    if (!path || !SaveModified(this)) return;
    if (const std::optional<QString> error = LoadFile(*path))
        ShowMessageBox({this, error->left(256) + QStringLiteral("\nPlease try again"),
                        QStringLiteral("problem opening file")});
}

// The dialog opens on the text's own file, so that keeping the name is one key.
bool CTextEditor::OnSave() {
    const std::optional<QString> path =
        ChooseFile(this, FileDialogMode::Save, kSourceFilter, kSourceSuffix, sourcePath_);
    if (!path || !WriteSourceFile(*path)) return false;
    sourcePath_ = *path;
    ShowSourcePath();
    editor_->model().ClearTextChanged();
    return true;
}

bool CTextEditor::IsModified() const {
    return editor_->model().TextChanged();
}

QString CTextEditor::DocumentName() const {
    return sourcePath_.isEmpty() ? windowTitle() : sourcePath_;
}

bool CTextEditor::DoFileSave() {
    if (sourcePath_.isEmpty()) return OnSave();
    if (!WriteSourceFile(sourcePath_)) return false;
    ShowSourcePath();
    editor_->model().ClearTextChanged();
    return true;
}

void CTextEditor::OnCompile() {
    assembler::EditorModel& model = editor_->model();
    if (model.TextChanged() && !sourcePath_.isEmpty()) {
        const QString question =
            QStringLiteral("File has been changed. Save to\n%1\nbefore compilation?").arg(sourcePath_);
        if (!ShowMessageBox({this, question, QStringLiteral("Save?"), BoxButtons::YesNo}) ||
            !WriteSourceFile(sourcePath_))
            return;
    }
    if (sourcePath_.isEmpty()) {
        const std::optional<QString> path =
            ChooseFile(this, FileDialogMode::Save, kSourceFilter, kSourceSuffix);
        if (!path) {
            ShowMessageBox({this, QStringLiteral("You must save file before compiling.")});
            return;
        }
        // A path that cannot be written is not taken up: the next Compile asks again.
        if (!WriteSourceFile(*path)) return;
        sourcePath_ = *path;
        ShowSourcePath();
    }

    auto* output = control<QListWidget>(kOutputList);
    output->clear();
    assembler::Compiler compiler(workbench_.instructionSet,
                                 assembler::OutputBaseName(QFile::encodeName(sourcePath_).toStdString()),
                                 workbench_.commandsXmlVersion);
    compiler.Compile(SourceLines());
    // The list shows source words as the source encodes them, and the path with them.
    for (const std::string& line :
         assembler::CompileOutput(compiler, codec_.encode(sourcePath_).toStdString()))
        output->addItem(codec_.toScreen(line));
    model.ClearTextChanged();
}

void CTextEditor::OnRefreshColors() {
    editor_->RecheckAll();
}

void CTextEditor::OnColorize() {
    assembler::EditorModel& model = editor_->model();
    const bool colouring = !model.CheckingEnabled();
    control<QPushButton>(kRefreshColors)->setEnabled(colouring);
    if (colouring) {
        model.SetCheckingEnabled(true);
        editor_->RecheckAll();
    } else {
        editor_->ClearColouring();
        model.SetCheckingEnabled(false);
    }
}

void CTextEditor::OnErrorListDblClk(QListWidgetItem* item) {
    if (const std::optional<int32_t> line = assembler::ErrorLineNumber(item->text().toStdString()))
        editor_->showLine(*line);
}

bool CTextEditor::onCommand(int command) {
    switch (command) {
    case ID_FILE_OPEN:
        OnLoad();
        return true;
    case ID_FILE_SAVE:
        DoFileSave();
        return true;
    case ID_EDIT_CUT:
        editor_->cutSelection();
        return true;
    case ID_EDIT_COPY:
        editor_->copy();
        return true;
    case ID_EDIT_PASTE:
        editor_->paste();
        return true;
    case ID_EDIT_UNDO:
        editor_->undoEdit();
        return true;
    case ID_OPTIONS_COLORIZE:
        OnColorize();
        return true;
    default:
        return false;
    }
}

std::optional<CommandUi> CTextEditor::commandUi(int command) const {
    switch (command) {
    case ID_FILE_OPEN:
    case ID_FILE_SAVE:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_EDIT_UNDO:
        return CommandUi{};
    case ID_OPTIONS_COLORIZE:
        return CommandUi{true, editor_->model().CheckingEnabled()};
    case ID_INDICATOR_SPARE:
        return CommandUi{true, false, "Line: " + std::to_string(editor_->textCursor().blockNumber() + 1)};
    default:
        return std::nullopt;
    }
}

// Written whole with CR LF line ends, or not at all: a file that cannot be written keeps its
// old contents. The lines are those that a compile reads, each character as the editor holds
// it (the editor's plain text would make blanks of non-breaking spaces and line ends of line
// separators).
bool CTextEditor::WriteSourceFile(const QString& path) {
    const QByteArray bytes = codec_.encode(BlockTexts().join(QLatin1String("\r\n")));
    if (text::WriteWholeFile(QFile::encodeName(path).toStdString(),
                             {bytes.constData(), size_t(bytes.size())}))
        return true;
    ShowMessageBox({this, QStringLiteral("%1 could not be written.").arg(path)});
    return false;
}

void CTextEditor::ShowSourcePath() {
    control<QLabel>(kSourcePathText)->setText(sourcePath_);
}

// The editor's lines, each character as the editor holds it.
QStringList CTextEditor::BlockTexts() const {
    QStringList lines;
    for (QTextBlock block = editor_->document()->firstBlock(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

// Each line as the source file holds it, up to its first carriage return.
std::vector<std::string> CTextEditor::SourceLines() const {
    std::vector<std::string> lines;
    for (const QString& line : BlockTexts())
        lines.push_back(codec_.encode(line.section(QLatin1Char('\r'), 0, 0)).toStdString());
    return lines;
}

} // namespace vorn::ui
