// The DLX Simulator window on the offscreen platform: the form built from its template, the
// menu, commands through the view and the main frame, field edits, prompts answered by
// timers, boxes and file dialogs by hooks.

#include "LabProgram.h"
#include "TempDir.h"
#include "simulator/StateFile.h"
#include "simulator/TypedNumber.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CVORNb1App.h"
#include "ui/app/DocumentViews.h"
#include "ui/app/Workbench.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MessageBox.h"
#include "ui/simulator/CSimGraphView.h"
#include "ui/simulator/SimulatorResources.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::ui;
using vorn::testing::LabInstructionSet;
using vorn::testing::ReadFile;
using vorn::testing::TempDir;

namespace {

const std::string kLoop = VORN_SOURCE_DIR "/lab/examples/loop.s";

// Runs action on the next modal dialog once it is shown.
void OnNextModal(std::function<void(QDialog&)> action, int tries = 50) {
    QTimer::singleShot(0, [action = std::move(action), tries] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            action(*dialog);
        else if (tries > 0)
            OnNextModal(action, tries - 1);
    });
}

// Fills the value fields of the next prompt and presses OK, or Cancel without values.
void AnswerPrompt(const QStringList& values, bool ok = true) {
    OnNextModal([values, ok](QDialog& dialog) {
        auto& prompt = static_cast<TemplateDialog&>(dialog);
        for (int i = 0; i < values.size(); ++i)
            prompt.control<QLineEdit>(2000 + i)->setText(values[i]);
        prompt.control<QPushButton>(ok ? IDOK : IDCANCEL)->click();
    });
}

void ChooseFile(const std::string& path) {
    SetFileChooserHook([path](FileDialogMode, const QString&) {
        return std::optional<QString>(QString::fromStdString(path));
    });
}

QString Text(const CSimGraphView& view, int id) {
    return view.control<QLineEdit>(id)->text();
}

// Boxes are kept as they are shown and answered No.
class BoxesKept : public ::testing::Test {
  protected:
    BoxesKept() {
        SetMessageBoxHook([this](const BoxRequest& box) {
            boxes << BoxLine(box.caption, box.text);
            return false;
        });
    }
    ~BoxesKept() override {
        SetMessageBoxHook({});
        SetFileChooserHook({});
    }
    QStringList boxes;
};

class SimGraphView : public BoxesKept {
  protected:
    QString Text(int id) const { return ::Text(view, id); }
    void Focus(int id, QEvent::Type type, Qt::FocusReason reason = Qt::TabFocusReason) {
        QFocusEvent event(type, reason);
        QApplication::sendEvent(view.control<QLineEdit>(id), &event);
    }
    // The user enters a field, types and tabs away.
    void Type(int id, const QString& text) {
        Focus(id, QEvent::FocusIn);
        view.control<QLineEdit>(id)->setText(text);
        Focus(id, QEvent::FocusOut);
    }
    isa::MachineState& machine() { return document->core().machine(); }

    TempDir folder;
    std::shared_ptr<isa::MachineStore> store = std::make_shared<isa::MachineStore>(LabInstructionSet());
    std::shared_ptr<CSimGraphDoc> document = std::make_shared<CSimGraphDoc>(simulator::SimulatorEnvironment{
        LabInstructionSet(), store, "XML file date: Wed 5/3/2014 10:7:09\n", "VORN", folder.path()});
    std::string prefix = "Q";
    CSimGraphView view{document, prefix};
};

} // namespace

TEST_F(SimGraphView, TheFormBuildsFromItsTemplate) {
    EXPECT_EQ(view.objectName(), "CSimGraphView");
    QStringList groups;
    for (auto* group : view.page()->findChildren<QGroupBox*>())
        groups << group->title();
    groups.sort();
    EXPECT_EQ(groups, (QStringList{"Commands", "Memory Watch", "Registers"}));
    EXPECT_EQ(view.control<QPushButton>(IDC_STEP)->text(), "Step");
    for (int id = 2000; id <= 2092; ++id) {
        if (id == 2062) continue;
        auto* edit = view.control<QLineEdit>(id);
        ASSERT_NE(edit, nullptr) << id;
        EXPECT_EQ(edit->isReadOnly(), !((id >= 2030 && id <= 2061) || id >= 2078)) << id;
    }
    EXPECT_EQ(view.control<QLineEdit>(2020)->size(), QSize(110, 15));
    EXPECT_EQ(view.control<QLineEdit>(2030)->size(), QSize(95, 15));
    EXPECT_EQ(view.control<QLineEdit>(2063)->size(), QSize(75, 15));
    // The initial update labels the registers R0 to R31 and shows the machine.
    EXPECT_EQ(prefix, "R");
    EXPECT_EQ(Text(IDC_REGISTER_LABEL), "R0");
    EXPECT_EQ(Text(IDC_REGISTER_LABEL + 31), "R31");
    EXPECT_EQ(Text(IDC_REGISTER + 31), "0x0");
    EXPECT_EQ(Text(IDC_ADDRESS + 4), "0x0");
    EXPECT_EQ(Text(IDC_ADDRESS + 3), QString());
}

TEST_F(SimGraphView, OpenSourceAndTheStepButtonRefreshTheRows) {
    ChooseFile(kLoop);
    EXPECT_TRUE(view.onCommand(ID_OPEN_SOURCE));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
    EXPECT_EQ(Text(IDC_COMMAND + 4), "lw R1 R0 0x0021");
    EXPECT_EQ(Text(IDC_VALUE + 4), QString::fromStdString(simulator::HexText(machine().ReadMemory(0))));
    EXPECT_EQ(ReadFile(folder.file("err.txt")), "");

    view.control<QPushButton>(IDC_STEP)->click();
    EXPECT_EQ(Text(IDC_ADDRESS + 4), "0x1");
    EXPECT_EQ(Text(IDC_COMMAND + 4), "addi R2 R0 0x0000");
    EXPECT_EQ(Text(IDC_COMMAND + 3), "lw R1 R0 0x0021");
    EXPECT_EQ(Text(IDC_REGISTER + 1), "0xa");

    view.onCommand(ID_RUN_UNTIL_HALT);
    EXPECT_EQ(Text(IDC_REGISTER + 2), "0x37");
    EXPECT_TRUE(machine().Halted);

    // Printing to a file makes one PDF page.
    const std::string path = folder.file("state.pdf");
    EXPECT_TRUE(view.OnFilePrint(QString::fromStdString(path)));
    const std::string pdf = ReadFile(path);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos);
}

TEST_F(SimGraphView, ALeftFieldCommitsItsValue) {
    Type(IDC_REGISTER + 5, "0x1F");
    EXPECT_EQ(machine().GetRegister(5), 31);
    EXPECT_EQ(Text(IDC_REGISTER + 5), "0x1f");

    Type(IDC_REGISTER + 5, "abc");
    EXPECT_EQ(machine().GetRegister(5), 31);
    EXPECT_EQ(Text(IDC_REGISTER + 5), "0x1f");
    EXPECT_EQ(boxes, QStringList{"BOX VORN | Invalid number"});

    // A menu that opens does not take the field's focus: nothing is committed.
    Focus(IDC_REGISTER + 6, QEvent::FocusIn);
    view.control<QLineEdit>(IDC_REGISTER + 6)->setText("7");
    Focus(IDC_REGISTER + 6, QEvent::FocusOut, Qt::PopupFocusReason);
    EXPECT_EQ(machine().GetRegister(6), 0);
    Focus(IDC_REGISTER + 6, QEvent::FocusOut);
    EXPECT_EQ(machine().GetRegister(6), 7);
}

TEST_F(SimGraphView, WatchesComeFromThePromptAndTakeEdits) {
    machine().WriteMemory(0x20, 55);
    AnswerPrompt({"0x20"});
    view.onCommand(ID_ADD_WATCH);
    EXPECT_EQ(Text(IDC_WATCH_ADDRESS), "0x20");
    EXPECT_EQ(Text(IDC_WATCH_VALUE), "0x37");

    Type(IDC_WATCH_VALUE, "12");
    EXPECT_EQ(machine().ReadMemory(0x20), 12);
    EXPECT_EQ(Text(IDC_WATCH_VALUE), "0xc");

    // The value field of a slot not in use gets its empty text back.
    Type(IDC_WATCH_VALUE + 1, "5");
    EXPECT_EQ(Text(IDC_WATCH_VALUE + 1), QString());

    AnswerPrompt({}, false);
    view.onCommand(ID_ADD_WATCH);
    EXPECT_EQ(view.form().watchCount(), 1);
    view.onCommand(ID_REMOVE_WATCHES);
    EXPECT_EQ(Text(IDC_WATCH_ADDRESS), QString());
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(SimGraphView, ReplaceRegisterSetRelabelsTheFields) {
    AnswerPrompt({"S"});
    view.onCommand(ID_REPLACE_REGISTER_SET);
    EXPECT_EQ(Text(IDC_REGISTER_LABEL + 7), "S7");
    AnswerPrompt({"nope"});
    view.onCommand(ID_REPLACE_REGISTER_SET);
    EXPECT_EQ(boxes, QStringList{"BOX VORN | bad name"});
    EXPECT_EQ(Text(IDC_REGISTER_LABEL + 7), "S7");
}

TEST_F(SimGraphView, MemoryDumpListsTheCheckedRangeAndSaveStateWritesThePicture) {
    machine().WriteMemory(0x11, 5);
    QStringList lines;
    AnswerPrompt({"0x10", "0x12"});
    OnNextModal([&](QDialog& dialog) {
        if (auto* list = dialog.findChild<QListWidget*>()) {
            for (int i = 0; i < list->count(); ++i)
                lines << list->item(i)->text();
            dialog.reject();
        }
    });
    view.onCommand(ID_MEMORY_DUMP);
    EXPECT_EQ(lines, (QStringList{"0x10  0x0", "0x11  0x5", "0x12  0x0"}));
    AnswerPrompt({"0", "0x10000"});
    view.onCommand(ID_MEMORY_DUMP);
    EXPECT_EQ(boxes, QStringList{"BOX VORN | Cannot dump address space larger than 64k"});

    const std::string path = folder.file("picture.sim");
    ChooseFile(path);
    view.onCommand(ID_SAVE_STATE);
    EXPECT_EQ(ReadFile(path), simulator::StateFileText(view.form().texts()));
    EXPECT_EQ(boxes.size(), 1);
}

// The window in the main frame, with the process-wide workbench as the application has it.
class SimulatorWindow : public BoxesKept {
  protected:
    SimulatorWindow() : saved(TheWorkbench()), frame(&app) {
        TheWorkbench().instructionSet = LabInstructionSet();
        TheWorkbench().machineStore = std::make_shared<isa::MachineStore>(TheWorkbench().instructionSet);
        std::filesystem::current_path(folder.path());
        frame.registerTemplate(SimulatorTemplate());
    }
    ~SimulatorWindow() override {
        std::filesystem::current_path(workingDirectory);
        TheWorkbench() = saved;
    }
    CSimGraphView* ActiveView() const {
        QMdiSubWindow* child = frame.mdiArea()->currentSubWindow();
        return child ? qobject_cast<CSimGraphView*>(child->widget()) : nullptr;
    }

    Workbench saved;
    std::filesystem::path workingDirectory = std::filesystem::current_path();
    TempDir folder;
    CVORNb1App app;
    CMainFrame frame;
};

TEST_F(SimulatorWindow, Menu107AndTheLabLoopThroughOpenSource) {
    ASSERT_NE(frame.newDocument(frame.templates()[0]), nullptr);
    QStringList menus;
    for (QAction* action : frame.menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&Simulator", "&Run", "&View", "&Window", "&Help"}));
    EXPECT_FALSE(frame.routeCommandUi(ID_FILE_PRINT_SETUP).enabled);
    EXPECT_TRUE(frame.routeCommandUi(ID_OPEN_COD).enabled);
    EXPECT_TRUE(frame.routeCommandUi(ID_ADD_WATCH).enabled);

    SetFileChooserHook([](FileDialogMode, const QString& filter) {
        EXPECT_EQ(filter, "Source (*.s);;All (*.*)");
        return std::optional<QString>(QString::fromStdString(kLoop));
    });
    frame.routeCommand(ID_OPEN_SOURCE);
    // The assembly's files land in the working directory.
    EXPECT_TRUE(std::filesystem::exists(folder.file("temp.cod")));
    EXPECT_EQ(ReadFile(folder.file("err.txt")), "");
    frame.routeCommand(ID_SIMULATOR_STEP);
    frame.routeCommand(ID_RUN_UNTIL_HALT);
    ASSERT_NE(ActiveView(), nullptr);
    EXPECT_EQ(Text(*ActiveView(), IDC_REGISTER + 2), "0x37");
    EXPECT_EQ(TheWorkbench().machineStore->dataMemory.at(0x20), 55);
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(SimulatorWindow, NewWindowShowsTheSameDocumentWithoutItsWatches) {
    frame.newDocument(frame.templates()[0]);
    CSimGraphView* first = ActiveView();
    AnswerPrompt({"0x5"});
    frame.routeCommand(ID_ADD_WATCH);
    frame.routeCommand(ID_WINDOW_NEW);
    CSimGraphView* second = ActiveView();
    ASSERT_NE(second, first);
    EXPECT_EQ(second->document(), first->document());
    EXPECT_EQ(second->form().watchCount(), 0);
    EXPECT_EQ(first->form().watchCount(), 1);

    // A step in one window refreshes both.
    frame.routeCommand(ID_SIMULATOR_STEP);
    EXPECT_EQ(Text(*first, IDC_ADDRESS + 4), "0x1");
    EXPECT_EQ(Text(*second, IDC_ADDRESS + 4), "0x1");

    // A second document zeroes the registers that both windows show.
    TheWorkbench().machineStore->registerFiles[0].cells[3] = 9;
    frame.newDocument(frame.templates()[0]);
    EXPECT_EQ(TheWorkbench().machineStore->registerFiles[0].cells[3], 0);
    EXPECT_EQ(TheWorkbench().machineStore->PC, 1);
}
