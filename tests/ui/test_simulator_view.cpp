// The DLX Simulator window in the main frame on the offscreen platform: the form built from its
// template, its fields and prompts wired to the form (whose rules the simulator's own tests
// prove), its menu and commands. Prompts are answered by timers, boxes and file dialogs by hooks.

#include "LabProgram.h"
#include "ModalDialogs.h"
#include "TempDir.h"
#include "WorkingDirectory.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CVORNb1App.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MessageBox.h"
#include "ui/shared/Workbench.h"
#include "ui/simulator/CSimGraphView.h"
#include "ui/simulator/SimulatorResources.h"
#include "ui/simulator/SimulatorTemplate.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <filesystem>
#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::ui;
using namespace vorn::testing;

namespace {

const std::string kLoop = VORN_SOURCE_DIR "/lab/examples/loop.s";

QString Text(const CSimGraphView& view, int id) {
    return view.control<QLineEdit>(id)->text();
}

// A simulator window in the main frame, with the process-wide workbench as the application has
// it, working in a folder of its own; boxes are kept as they are shown and answered No.
class SimulatorWindow : public ::testing::Test {
  protected:
    SimulatorWindow() : saved(TheWorkbench()), frame(&app) {
        TheWorkbench().instructionSet = LabInstructionSet();
        TheWorkbench().machineStore = std::make_shared<isa::MachineStore>(TheWorkbench().instructionSet);
        SetMessageBoxHook([this](const BoxRequest& box) {
            boxes << BoxLine(box.caption, box.text);
            return false;
        });
        frame.registerTemplate(SimulatorTemplate());
        frame.newDocument(frame.templates()[0]);
    }
    ~SimulatorWindow() override {
        SetMessageBoxHook({});
        SetFileChooserHook({});
        TheWorkbench() = saved;
    }
    CSimGraphView& view() const {
        return *qobject_cast<CSimGraphView*>(frame.mdiArea()->currentSubWindow()->widget());
    }
    QString Text(int id) const { return ::Text(view(), id); }
    isa::MachineState& machine() const { return view().document()->core().machine(); }
    void Focus(int id, QEvent::Type type, Qt::FocusReason reason = Qt::TabFocusReason) const {
        QFocusEvent event(type, reason);
        QApplication::sendEvent(view().control<QLineEdit>(id), &event);
    }
    void ChooseFile(const std::string& path) const {
        SetFileChooserHook([path](FileDialogMode, const QString&) {
            return std::optional<QString>(QString::fromStdString(path));
        });
    }

    Workbench saved;
    TempDir folder;
    WorkingDirectory workingDirectory{folder.path()};
    CVORNb1App app;
    CMainFrame frame;
    QStringList boxes;
};

} // namespace

TEST_F(SimulatorWindow, TheFormBuildsFromItsTemplateAndItsFieldsCommitWhenLeftOrACommandRuns) {
    QStringList groups;
    // As on Windows, a group's frame runs through the middle of its title, at the top of its
    // rectangle, so that it never crosses the first row of the controls it holds.
    for (QGroupBox* box : view().page()->findChildren<QGroupBox*>()) {
        groups << box->title();
        const QImage look = box->grab().toImage();
        const int x = box->width() * 3 / 4;
        int line = 0;
        while (line < look.height() && look.pixel(x, line) == look.pixel(x, 0))
            ++line;
        EXPECT_LE(line, box->fontMetrics().height() / 2 + 1) << box->title().toStdString();
    }
    groups.sort();
    EXPECT_EQ(groups, (QStringList{"Commands", "Memory Watch", "Registers"}));
    for (int id = 2000; id <= 2092; ++id) {
        if (id == 2062) continue;
        auto* edit = view().control<QLineEdit>(id);
        ASSERT_NE(edit, nullptr) << id;
        EXPECT_EQ(edit->isReadOnly(), !((id >= 2030 && id <= 2061) || id >= 2078)) << id;
    }
    EXPECT_EQ(view().control<QLineEdit>(2030)->size(), QSize(95, 15));
    // The initial update labels the registers R0 to R31 and shows the machine.
    EXPECT_EQ(Text(IDC_REGISTER_LABEL + 31), "R31");
    EXPECT_EQ(Text(IDC_ADDRESS + 4), "0x0");

    // Leaving a field commits it; a menu that opens takes no focus and commits nothing.
    Focus(IDC_REGISTER + 31, QEvent::FocusIn);
    view().control<QLineEdit>(IDC_REGISTER + 31)->setText("0x1F");
    Focus(IDC_REGISTER + 31, QEvent::FocusOut, Qt::PopupFocusReason);
    EXPECT_EQ(machine().GetRegister(31), 0);
    Focus(IDC_REGISTER + 31, QEvent::FocusOut);
    EXPECT_EQ(machine().GetRegister(31), 31);
    EXPECT_EQ(Text(IDC_REGISTER + 31), "0x1f");

    // A command takes in what the field holds before it runs, although the field keeps the focus
    // (Ctrl+T or a menu); the editing commands work on the field's text and take nothing in.
    Focus(IDC_REGISTER + 30, QEvent::FocusIn);
    view().control<QLineEdit>(IDC_REGISTER + 30)->setText("7");
    frame.routeCommand(ID_EDIT_PASTE);
    EXPECT_EQ(machine().GetRegister(30), 0);
    frame.routeCommand(ID_SIMULATOR_STEP);
    EXPECT_EQ(machine().GetRegister(30), 7);
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(SimulatorWindow, ThePromptsOfTheViewsCommandsReachTheForm) {
    machine().WriteMemory(1, 7);
    machine().WriteMemory(0x20, 55);
    machine().SetRegister(31, 0x1F);
    AnswerPrompt({"0x20"});
    frame.routeCommand(ID_ADD_WATCH);
    EXPECT_EQ(Text(IDC_WATCH_ADDRESS), "0x20");
    EXPECT_EQ(Text(IDC_WATCH_VALUE), "0x37");
    // "Save State..." writes the picture shown, with row 5 (PC + 1) marked.
    const std::string path = folder.file("picture.sim");
    ChooseFile(path);
    frame.routeCommand(ID_SAVE_STATE);
    EXPECT_EQ(ReadFile(path), ReadFile(VORN_SOURCE_DIR "/tests/ui/data/picture.sim"));
    EXPECT_TRUE(boxes.isEmpty());
    Focus(IDC_WATCH_VALUE, QEvent::FocusIn);
    view().control<QLineEdit>(IDC_WATCH_VALUE)->setText("12");
    Focus(IDC_WATCH_VALUE, QEvent::FocusOut);
    EXPECT_EQ(machine().ReadMemory(0x20), 12);
    AnswerPrompt({}, false);
    frame.routeCommand(ID_ADD_WATCH);
    EXPECT_EQ(view().form().watchCount(), 1);
    frame.routeCommand(ID_REMOVE_WATCHES);
    EXPECT_EQ(Text(IDC_WATCH_ADDRESS), QString());

    AnswerPrompt({"S"});
    frame.routeCommand(ID_REPLACE_REGISTER_SET);
    EXPECT_EQ(Text(IDC_REGISTER_LABEL + 7), "S7");

    // The dump lists the range and saves it, or reports a file that cannot be written.
    QStringList lines;
    QStringList dumps{QString::fromStdString(folder.file("dump.txt")),
                      QString::fromStdString(folder.file("no/dump.txt"))};
    SetFileChooserHook([&](FileDialogMode, const QString&) { return std::optional(dumps.takeFirst()); });
    AnswerPrompt({"0x1F", "0x20"});
    OnNextModal([&](QDialog& dialog) {
        if (auto* list = dialog.findChild<QListWidget*>()) {
            for (int i = 0; i < list->count(); ++i)
                lines << list->item(i)->text();
            static_cast<TemplateDialog&>(dialog).control<QPushButton>(1008)->click();
            static_cast<TemplateDialog&>(dialog).control<QPushButton>(1008)->click();
            dialog.reject();
        }
    });
    frame.routeCommand(ID_MEMORY_DUMP);
    EXPECT_EQ(lines, (QStringList{"0x1f  0x0", "0x20  0xc"}));
    EXPECT_EQ(ReadFile(folder.file("dump.txt")), "Dump\r\n0x1f  0x0\r\n0x20  0xc\r\n");
    EXPECT_EQ(boxes.size(), 1);
}

// Every simulator window shows the one machine after any document changes it: a window of the
// same document, and one of another document when a new document clears the registers.
TEST_F(SimulatorWindow, EveryWindowShowsTheSharedMachine) {
    CSimGraphView* first = &view();
    AnswerPrompt({"0x5"});
    frame.routeCommand(ID_ADD_WATCH);
    frame.routeCommand(ID_WINDOW_NEW);
    CSimGraphView* second = &view();
    ASSERT_NE(second, first);
    EXPECT_EQ(second->document(), first->document());
    EXPECT_TRUE(second->form().watchCount() == 0 && first->form().watchCount() == 1);
    machine().SetRegister(31, 5);
    frame.routeCommand(ID_SIMULATOR_STEP);
    EXPECT_EQ(Text(IDC_ADDRESS + 4), "0x1");
    EXPECT_EQ(::Text(*first, IDC_ADDRESS + 4), "0x1");

    ASSERT_NE(frame.newDocument(frame.templates()[0]), nullptr);
    EXPECT_EQ(::Text(*first, IDC_REGISTER + 31), "0x0");
}

TEST_F(SimulatorWindow, Menu107AndTheLabLoopThroughOpenSourceStepAndPrint) {
    QStringList menus;
    for (QAction* action : frame.menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&Simulator", "&Run", "&View", "&Window", "&Help"}));
    EXPECT_FALSE(frame.routeCommandUi(ID_FILE_PRINT_SETUP).enabled);
    EXPECT_TRUE(frame.routeCommandUi(ID_OPEN_COD).enabled);

    SetFileChooserHook([](FileDialogMode, const QString& filter) {
        EXPECT_EQ(filter, "Source (*.s);;All (*.*)");
        return std::optional<QString>(QString::fromStdString(kLoop));
    });
    frame.routeCommand(ID_OPEN_SOURCE);
    // The assembly's files land in the working directory.
    EXPECT_TRUE(std::filesystem::exists(folder.file("temp.cod")));
    EXPECT_EQ(ReadFile(folder.file("err.txt")), "");
    EXPECT_EQ(Text(IDC_COMMAND + 4), "lw R1 R0 0x0021");
    view().control<QPushButton>(IDC_STEP)->click();
    EXPECT_EQ(Text(IDC_ADDRESS + 4), "0x1");
    EXPECT_EQ(Text(IDC_COMMAND + 3), "lw R1 R0 0x0021");
    EXPECT_EQ(Text(IDC_REGISTER + 1), "0xa");
    frame.routeCommand(ID_RUN_UNTIL_HALT);
    EXPECT_EQ(Text(IDC_REGISTER + 2), "0x37");
    EXPECT_TRUE(boxes.isEmpty());

    // Printing to a file makes one PDF page.
    const std::string path = folder.file("state.pdf");
    EXPECT_TRUE(view().OnFilePrint(QString::fromStdString(path)));
    const std::string pdf = ReadFile(path);
    EXPECT_TRUE(pdf.starts_with("%PDF-") && pdf.find("/Count 1") != std::string::npos);
}
