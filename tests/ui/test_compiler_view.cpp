// The Compiler view: loading and saving sources, colouring while typing, the label popup, the
// compile with its questions and output list, and the jump to an error's line. Boxes and file
// dialogs are answered by hooks, so nothing modal ever waits.

#include "LabProgram.h"
#include "ModalDialogs.h"
#include "TempDir.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CVORNb1App.h"
#include "ui/editor/CAssemblyEditor.h"
#include "ui/editor/CTextEditor.h"
#include "ui/editor/CompilerTemplate.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MessageBox.h"
#include "ui/shared/Resources.h"
#include "ui/shared/Workbench.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace vorn::ui;
using vorn::testing::ReadFile;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kErrorRed(254, 0, 0);
const QColor kGreen(0, 200, 0);

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

class CompilerViewTest : public ::testing::Test {
  protected:
    CompilerViewTest() {
        TheWorkbench().instructionSet = vorn::testing::LabInstructionSet();
        TheWorkbench().commandsXmlVersion = "XML file date: Wed 5/3/2014 10:7:09\n";
        SetMessageBoxHook([this](const BoxRequest& box) {
            boxes << BoxLine(box.caption, box.text);
            return answers.isEmpty() ? int(box.buttons == BoxButtons::Ok) : answers.takeFirst();
        });
        SetFileChooserHook([this](FileDialogMode mode, const QString& filter) -> std::optional<QString> {
            dialogs << QStringLiteral("%1 %2").arg(mode == FileDialogMode::Open ? "OPEN" : "SAVE", filter);
            return files.isEmpty() ? std::nullopt : files.takeFirst();
        });
        view = std::make_unique<CTextEditor>(TheWorkbench());
        view->resize(900, 700);
        current = view.get();
    }
    ~CompilerViewTest() override {
        SetMessageBoxHook({});
        SetFileChooserHook({});
    }

    CAssemblyEditor* editor() const { return current->editor(); }
    QListWidget* output() const { return current->control<QListWidget>(CTextEditor::kOutputList); }
    QStringList outputLines() const {
        QStringList lines;
        for (int row = 0; row < output()->count(); ++row)
            lines << output()->item(row)->text();
        return lines;
    }

    // Types into the editor key by key; '\n' is Enter.
    void type(const QString& text) {
        for (const QChar c : text) {
            const bool enter = c == QLatin1Char('\n');
            QKeyEvent press(QEvent::KeyPress, enter ? int(Qt::Key_Return) : int(c.toUpper().unicode()),
                            Qt::NoModifier, enter ? "\r" : QString(c));
            QApplication::sendEvent(editor(), &press);
        }
    }
    // The look of a character as the control paints it.
    QTextCharFormat formatAt(int line, int column) const {
        const QTextBlock block = editor()->document()->findBlockByNumber(line);
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            if (column >= range.start && column < range.start + range.length) return range.format;
        return {};
    }
    QColor colourAt(int line, int column) const {
        const QTextCharFormat format = formatAt(line, column);
        return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : QColor();
    }
    bool boldAt(int line, int column) const { return formatAt(line, column).fontWeight() == QFont::Bold; }

    std::string copyExample(const std::string& name) {
        const std::string target = folder.file(name);
        std::filesystem::copy_file(std::string(VORN_SOURCE_DIR) + "/lab/examples/" + name, target);
        return target;
    }

    // Opens the file in a Compiler window of the shown frame, as the current view.
    void openWindow(const std::string& path) {
        frame.registerTemplate(CompilerTemplate());
        frame.show();
        QApplication::setActiveWindow(&frame);
        child = frame.newDocument(frame.templates().front(), Q(path));
        ASSERT_NE(child, nullptr);
        current = dynamic_cast<CTextEditor*>(child->widget());
        ASSERT_NE(current, nullptr);
    }

    vorn::testing::TempDir folder;
    std::unique_ptr<CTextEditor> view;
    CTextEditor* current; // the view that the helpers work on
    QStringList boxes;
    QStringList dialogs;
    QList<int> answers; // BoxAnswer
    QList<std::optional<QString>> files;
    CVORNb1App app;
    CMainFrame frame{&app};
    QMdiSubWindow* child = nullptr;
};

TEST_F(CompilerViewTest, ALoadedLabExampleIsColouredAndCompilesBesideItsSource) {
    const std::string source = copyExample("loop.s");
    files.push_back(Q(source));
    view->control<QPushButton>(CTextEditor::kLoad)->click();

    EXPECT_EQ(dialogs, QStringList{"OPEN S files (*.s);;All files (*.*)"});
    EXPECT_EQ(view->control<QLabel>(CTextEditor::kSourcePathText)->text(), Q(source));
    EXPECT_EQ(editor()->toPlainText().toStdString(), ReadFile(source));
    EXPECT_FALSE(editor()->model().TextChanged());
    // "start:  lw      r1 r0 count     * r1 = 10" is line 10 (from 0); lw takes the automatic colour.
    EXPECT_TRUE(colourAt(10, 0) == kBlue && boldAt(10, 5) && colourAt(10, 32) == kGreen);
    EXPECT_EQ(colourAt(10, 8), QColor());

    view->control<QPushButton>(CTextEditor::kCompile)->click();
    EXPECT_TRUE(boxes.isEmpty()); // nothing changed since the load
    const QStringList lines = outputLines();
    EXPECT_EQ(lines.size(), 7); // the heading and the report of the six labels
    EXPECT_EQ(lines.value(0),
              QStringLiteral("Compilation Succeeded on %1 - .cod,.lst files saved.").arg(Q(source)));
    EXPECT_TRUE(ReadFile(folder.file("loop.lst")).ends_with("*XML file date: Wed 5/3/2014 10:7:09\r\n"));

    // A file that cannot be opened, a pipe or a device leaves everything as it was, or opens no
    // window at all; nothing waits for the pipe (a reader that does is let go by a writer).
    const QString text = editor()->toPlainText();
    const std::string pipe = folder.file("pipe.s");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::atomic<bool> done = false;
    std::thread writer([&] {
        for (; !done; usleep(5000))
            if (const int end = open(pipe.c_str(), O_WRONLY | O_NONBLOCK); end >= 0) close(end);
    });
    files = {Q(folder.file("missing.s")), Q(pipe), QStringLiteral("/dev/null")};
    for (int load = 0; load < 3; ++load)
        view->OnLoad();
    const DocumentTemplate kind = CompilerTemplate();
    EXPECT_EQ(kind.createView(Q(pipe)), nullptr);
    done = true;
    writer.join();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_TRUE(boxes[0].startsWith("BOX problem opening file | ") &&
                boxes[0].endsWith("\\nPlease try again"));
    EXPECT_EQ(boxes.mid(1),
              QStringList(2, "BOX problem opening file | Not a regular file\\nPlease try again"));
    EXPECT_EQ(editor()->toPlainText(), text);
    EXPECT_EQ(view->sourcePath(), Q(source));
    EXPECT_EQ(outputLines(), lines);
    EXPECT_EQ(kind.createView(Q(folder.file("missing.s"))), nullptr);
    std::unique_ptr<QWidget> opened(kind.createView(Q(source)));
    ASSERT_TRUE(dynamic_cast<CTextEditor*>(opened.get()));
    EXPECT_EQ(dynamic_cast<CTextEditor&>(*opened).editor()->toPlainText(), text);
}

// Every character that was loaded and not edited is saved as it came, non-breaking spaces and
// line separators included; only the line ends become CR LF.
TEST_F(CompilerViewTest, LoadingReadsEitherLineEndAndSavingWritesCrLfKeepingTheBytes) {
    const std::string source = folder.write("latin.s", "nop\r\n*\xA0"
                                                       "caf\xE9\r\nhalt");
    ASSERT_FALSE(view->LoadFile(Q(source)));
    EXPECT_EQ(editor()->textCursor().blockNumber(), 3); // the start of the last line
    const std::string copy = folder.file("copy.s");
    files.push_back(Q(copy));
    view->OnSave();
    EXPECT_EQ(ReadFile(copy), "nop\r\n*\xA0"
                              "caf\xE9\r\nhalt\r\n");
    EXPECT_EQ(view->control<QLabel>(CTextEditor::kSourcePathText)->text(), Q(copy));

    ASSERT_FALSE(view->LoadFile(Q(folder.write("utf8.s", "* \xC5\x99\xE2\x80\xA8\xC2\xA0x\nnop\n"))));
    EXPECT_EQ(editor()->document()->firstBlock().text(), "* \u0159\u2028\u00A0x");
    files.push_back(Q(copy));
    view->OnSave();
    EXPECT_EQ(ReadFile(copy), "* \xC5\x99\xE2\x80\xA8\xC2\xA0x\r\nnop\r\n");
}

// The keys reach the model and its verdicts are painted; which colour is the model's rule.
TEST_F(CompilerViewTest, TypedLinesAreColouredAsTheyAreTyped) {
    type("beqz r1 x\n");
    EXPECT_EQ(colourAt(0, 8), kRed);
    EXPECT_TRUE(editor()->model().TextChanged());
    type("x: add r1 r2\n");
    EXPECT_TRUE(colourAt(1, 5) == kErrorRed && formatAt(1, 5).underlineStyle() == QTextCharFormat::DotLine);
    EXPECT_EQ(colourAt(0, 8), kBlue); // the label became defined
    // Backspace at the start of the line joins it to the line above.
    editor()->moveCursor(QTextCursor::Up);
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(editor(), &backspace);
    EXPECT_EQ(editor()->document()->firstBlock().text(), "beqz r1 xx: add r1 r2");
    EXPECT_EQ(colourAt(0, 0), kErrorRed);
}

// Refresh colors rebuilds the colours and puts the caret at the start of its line; an undo is
// judged again; the popup offers the labels and inserts the chosen one.
TEST_F(CompilerViewTest, RefreshUndoAndThePopupOfLabels) {
    std::unique_ptr<QMenu> empty = editor()->labelMenu();
    ASSERT_EQ(empty->actions().size(), 1);
    EXPECT_EQ(empty->actions()[0]->text(), "No labels found.");
    empty->actions()[0]->trigger();
    type("j x\nx: nop");
    editor()->ClearColouring();
    view->control<QPushButton>(CTextEditor::kRefreshColors)->click();
    EXPECT_EQ(colourAt(0, 2), kBlue);
    EXPECT_EQ(editor()->textCursor().position(), 4);
    for (int step = 0; step < 20 && editor()->toPlainText() != "j x\n"; ++step)
        editor()->undoEdit();
    ASSERT_EQ(editor()->toPlainText(), "j x\n");
    EXPECT_EQ(colourAt(0, 2), kRed);

    type("b: nop\na: nop\nj ");
    std::unique_ptr<QMenu> menu = editor()->labelMenu();
    ASSERT_EQ(menu->actions().size(), 2);
    menu->actions()[1]->trigger();
    EXPECT_EQ(editor()->document()->lastBlock().text(), "j a");
    EXPECT_EQ(colourAt(3, 2), kBlue);
}

// A new text is saved before it compiles, never compiled if it cannot be written; a changed one
// is saved only when the answer is Yes.
TEST_F(CompilerViewTest, ATextIsSavedBeforeItCompiles) {
    type("loop: nop\nj loop\n");
    view->OnCompile();
    EXPECT_EQ(boxes, QStringList{"BOX VORN | You must save file before compiling."});

    const std::string source = folder.file("new.s");
    files.push_back(Q(source));
    view->OnCompile();
    EXPECT_EQ(ReadFile(source), "loop: nop\r\nj loop\r\n");
    EXPECT_EQ(
        outputLines(),
        (QStringList{QStringLiteral("Compilation Succeeded on %1 - .cod,.lst files saved.").arg(Q(source)),
                     "loop: 1 D: 2"}));
    EXPECT_FALSE(editor()->model().TextChanged());

    type("halt");
    answers = {false};
    view->OnCompile();
    EXPECT_EQ(boxes.back(),
              QStringLiteral("BOX Save? | File has been changed. Save to\\n%1\\nbefore compilation?")
                  .arg(Q(source)));
    EXPECT_EQ(ReadFile(source), "loop: nop\r\nj loop\r\n");
    EXPECT_TRUE(editor()->model().TextChanged());
    answers = {true};
    view->OnCompile();
    EXPECT_EQ(ReadFile(source), "loop: nop\r\nj loop\r\nhalt");
    EXPECT_EQ(boxes.size(), 3);

    CTextEditor other(TheWorkbench());
    current = &other;
    type("nop");
    const std::string unwritable = folder.file("no/such/folder/prog.s");
    files.push_back(Q(unwritable));
    other.OnCompile();
    EXPECT_TRUE(
        boxes.back().startsWith(QStringLiteral("BOX VORN | %1 could not be written.").arg(Q(unwritable))));
    EXPECT_EQ(output()->count(), 0);
    // The path that failed is not taken up: the next Compile asks for one again.
    const qsizetype shown = boxes.size();
    files.push_back(Q(folder.file("prog2.s")));
    other.OnCompile();
    EXPECT_EQ(boxes.size(), shown);
    EXPECT_EQ(ReadFile(folder.file("prog2.s")), "nop");
}

// Load..., File > Open, closing the window and quitting ask before they drop an edited text.
TEST_F(CompilerViewTest, EditsAreNeverDroppedWithoutAsking) {
    const std::string source = folder.write("prog.s", "x: nop\n");
    ASSERT_NO_FATAL_FAILURE(openWindow(source));
    editor()->appendPlainText("halt");
    const QString edited = editor()->toPlainText();

    // Cancel keeps the window, the text and the application.
    answers = {BoxCancel, BoxCancel, BoxCancel, BoxCancel};
    const QString other = Q(copyExample("loop.s"));
    files = {other, other};
    current->control<QPushButton>(CTextEditor::kLoad)->click();
    frame.routeCommand(ID_FILE_OPEN);
    frame.routeCommand(ID_FILE_CLOSE);
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(boxes, QStringList(4, QStringLiteral("BOX VORN | Save changes to %1?").arg(Q(source))));
    EXPECT_TRUE(child->isVisible() && frame.isVisible());
    EXPECT_EQ(editor()->toPlainText(), edited);

    // A Yes whose save fails keeps the window open.
    std::filesystem::remove(source);
    std::filesystem::create_directory(source);
    answers = {BoxYes};
    frame.routeCommand(ID_FILE_CLOSE);
    EXPECT_TRUE(child->isVisible());
    EXPECT_TRUE(
        boxes.back().startsWith(QStringLiteral("BOX VORN | %1 could not be written.").arg(Q(source))));
    std::filesystem::remove(source);

    // Yes saves where the text belongs, then the window goes.
    answers = {BoxYes};
    frame.routeCommand(ID_FILE_CLOSE);
    EXPECT_FALSE(child->isVisible());
    EXPECT_EQ(ReadFile(source), "x: nop\r\n\r\nhalt");

    // A new text asks for its path on Ctrl+S and does not take up one that cannot be written;
    // No drops the edits and quits.
    QMdiSubWindow* fresh = frame.newDocument(frame.templates().front());
    ASSERT_NE(fresh, nullptr);
    auto* freshEditor = fresh->widget()->findChild<CAssemblyEditor*>();
    ASSERT_NE(freshEditor, nullptr);
    freshEditor->appendPlainText("x");
    const std::string unwritable = folder.file("no/such/prog.s");
    files = {Q(unwritable)};
    frame.routeCommand(ID_FILE_SAVE);
    EXPECT_TRUE(
        boxes.back().startsWith(QStringLiteral("BOX VORN | %1 could not be written.").arg(Q(unwritable))));
    answers = {BoxNo};
    boxes.clear();
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(boxes, QStringList{"BOX VORN | Save changes to Compiler2?"});
}

// The window brings its own menu; Colorize off removes the colours, keeps them off while
// loading and disables Refresh colors. Ctrl+S writes the text to its own file without a dialog,
// after which closing asks nothing; Save... keeps its dialog, which opens on that file.
TEST_F(CompilerViewTest, AWindowsMenuColorizeAndCtrlSSavingWhereTheTextBelongs) {
    const std::string source = folder.write("prog.s", "x: nop\n");
    ASSERT_NO_FATAL_FAILURE(openWindow(source));
    QStringList menus;
    for (QAction* action : frame.menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&Options", "&View", "&Window", "&Help"}));
    EXPECT_FALSE(frame.routeCommandUi(ID_SIMULATOR_STEP).enabled);
    auto* refresh = current->control<QPushButton>(CTextEditor::kRefreshColors);
    frame.routeCommand(ID_OPTIONS_COLORIZE);
    EXPECT_FALSE(frame.routeCommandUi(ID_OPTIONS_COLORIZE).checked || refresh->isEnabled());
    EXPECT_TRUE(editor()->document()->firstBlock().layout()->formats().isEmpty());
    ASSERT_FALSE(current->LoadFile(Q(source)));
    EXPECT_TRUE(editor()->document()->firstBlock().layout()->formats().isEmpty());
    frame.routeCommand(ID_OPTIONS_COLORIZE);
    EXPECT_TRUE(frame.routeCommandUi(ID_OPTIONS_COLORIZE).checked && refresh->isEnabled());
    EXPECT_EQ(colourAt(0, 0), kBlue);
    EXPECT_FALSE(current->IsModified());

    editor()->appendPlainText("halt");
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile(source), "x: nop\r\n\r\nhalt");

    SetFileChooserHook({});
    QString offered;
    vorn::testing::OnNextModal([&](QDialog& dialog) {
        if (auto* chooser = qobject_cast<QFileDialog*>(&dialog)) offered = chooser->selectedFiles().value(0);
        dialog.reject();
    });
    current->control<QPushButton>(CTextEditor::kSave)->click();
    EXPECT_EQ(offered, Q(source));

    frame.routeCommand(ID_FILE_CLOSE);
    EXPECT_FALSE(child->isVisible());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

// The line of an error is shown second from the top, the first line at the top.
TEST_F(CompilerViewTest, ErrorsAreListedAndADoubleClickShowsTheirLine) {
    QString text;
    for (int line = 1; line <= 150; ++line)
        text += line == 1 ? "foo r1\n" : line == 60 ? "add r1 r2\n" : "nop\n";
    editor()->setPlainText(text);
    files.push_back(Q(folder.file("errors.s")));
    view->show();
    QApplication::setActiveWindow(view.get());
    QApplication::processEvents();
    view->OnCompile();
    EXPECT_EQ(outputLines(),
              (QStringList{"Compilation failed. Errors:", "ERROR ON LINE: 1. unknown command: foo",
                           "ERROR ON LINE: 60. add - third parameter illegal"}));

    emit output()->itemDoubleClicked(output()->item(2));
    EXPECT_EQ(editor()->textCursor().position(), 7 + 58 * 4);
    EXPECT_EQ(editor()->verticalScrollBar()->value(), 58); // line 60 is the second visible line
    EXPECT_TRUE(editor()->hasFocus());

    emit output()->itemDoubleClicked(output()->item(0)); // the heading names no line
    EXPECT_EQ(editor()->textCursor().blockNumber(), 59);
    emit output()->itemDoubleClicked(output()->item(1));
    EXPECT_EQ(editor()->textCursor().blockNumber(), 0);
    EXPECT_EQ(editor()->verticalScrollBar()->value(), 0);
}

} // namespace
