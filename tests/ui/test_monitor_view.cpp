// The Hardware Monitor window on the offscreen platform, on the emulated board through the
// embedded Python runtime, in a working directory that holds a copy of the lab: the wizard is
// answered through its hook, boxes and file dialogs through theirs, prompts by timers.

#include "DlxWords.h"
#include "LabProgram.h"
#include "TempDir.h"
#include "WorkingDirectory.h"
#include "board/FpgaLoadFile.h"
#include "isa/Settings.h"
#include "monitor/MonitorTexts.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CVORNb1App.h"
#include "ui/app/DocumentViews.h"
#include "ui/app/Workbench.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/QtProcessRunner.h"
#include "ui/monitor/CWizardDlg.h"
#include "ui/monitor/CvornctrlView.h"
#include "ui/monitor/MonitorResources.h"
#include "ui/waveform/CGraphView.h"
#include "ui/waveform/GraphToolbar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::ui;
using namespace vorn::monitor::control;
using vorn::testing::DlxWords;
using vorn::testing::ReadFile;
using vorn::testing::TempDir;
using vorn::testing::WorkingDirectory;

namespace {

namespace fs = std::filesystem;

// The lab's files as the application finds them in its working directory.
const TempDir& CopyOfLab(const TempDir& folder) {
    const fs::path lab = VORN_SOURCE_DIR "/lab";
    for (const auto& entry : fs::directory_iterator(lab)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".xml" || extension == ".bit" || extension == ".lbl")
            fs::copy_file(entry.path(), folder.path() / entry.path().filename());
    }
    for (const char* directory : {"tools", "boardtest"})
        if (fs::exists(lab / directory))
            fs::copy(lab / directory, folder.path() / directory, fs::copy_options::recursive);
    return folder;
}

bool WaitFor(const std::function<bool()>& condition, int limitMs = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > limitMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Types the values into the next one- or two-value prompt once it shows, and presses OK.
void AnswerNextPrompt(const QStringList& values, int tries = 100) {
    QTimer::singleShot(10, [values, tries] {
        auto* prompt = qobject_cast<TemplateDialog*>(QApplication::activeModalWidget());
        if (!prompt) {
            if (tries > 0) AnswerNextPrompt(values, tries - 1);
            return;
        }
        for (int i = 0; i < values.size(); ++i)
            prompt->control<QLineEdit>(2000 + i)->setText(values[i]);
        prompt->control<QPushButton>(IDOK)->click();
    });
}

class MonitorView : public ::testing::Test {
  protected:
    MonitorView() {
        auto settings = isa::LoadSettings("settings.xml");
        EXPECT_TRUE(settings.ok());
        TheWorkbench().settings = *settings;
        TheWorkbench().instructionSet = vorn::testing::LabInstructionSet();
        // A fresh load/store design, which the board takes up at the monitor's first connect.
        EXPECT_TRUE(board::HandOverBitFile("loadstore.bit"));
        SetMessageBoxHook([this](const BoxRequest& box) {
            boxes << BoxLine(box.caption, box.text);
            return answerYes;
        });
        SetFileChooserHook(
            [this](FileDialogMode, const QString&) { return std::optional<QString>(nextFile); });
        SetWizardHook([this](monitor::HardwareMonitor& monitor, WizardSheet sheet) {
            sheets.push_back(sheet);
            wizardAnswer(monitor, sheet);
        });
        frame.registerTemplate(MonitorTemplate());
    }
    ~MonitorView() override {
        frame.close();
        QApplication::processEvents();
        SetMessageBoxHook({});
        SetFileChooserHook({});
        SetWizardHook({});
    }

    // The full wizard as a user finishes it for the load/store lab: the lab, its label file,
    // Finish. The other sheets finish with the paths as they stand.
    void FinishWizard(monitor::HardwareMonitor& monitor, WizardSheet sheet) {
        auto& wizard = monitor.wizard();
        wizard.OnShow();
        switch (sheet) {
        case WizardSheet::Full:
            ASSERT_FALSE(wizard.OnLabChoiceNext(monitor::LoadStore));
            wizard.labels.OnSetActive(true);
            nextFile = "loadstore.lbl";
            wizard.labels.OnLoadLabels();
            wizard.labels.CheckStartAddresses();
            return monitor.OnWizardEnded(true);
        case WizardSheet::LabelsConfig:
            return monitor.OnLabelsConfigEnded(true);
        case WizardSheet::FpgaConfig:
            return monitor.OnFpgaConfigEnded(true);
        case WizardSheet::MemoryConfig:
            return monitor.OnMemoryConfigEnded(true);
        }
    }

    // Opens a Hardware Monitor in the shown frame and waits for its initial update.
    void Open() {
        frame.show();
        child = frame.newDocument(frame.templates().front());
        ASSERT_NE(child, nullptr);
        view = qobject_cast<CvornctrlView*>(child->widget());
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(WaitFor([this] { return !sheets.empty(); }));
        boxes.clear();
    }
    // Uploads the words from address 0 through "Memory Config".
    void Upload(const std::vector<uint32_t>& words) {
        std::string cod = ".CODE\r\n0x00000000\r\n" + monitor::Format("0x%.8x\r\n", unsigned(words.size()));
        for (uint32_t word : words)
            cod += monitor::Format("0x%.8X\r\n", unsigned(word));
        view->monitor().wizard().memory.path = folder.write("program.cod", cod);
        Command(ID_MONITOR_MEMORY_CONFIG);
    }

    QString Text(int id) const {
        if (auto* label = view->control<QLabel>(id)) return label->text();
        if (auto* group = view->control<QGroupBox>(id)) return group->title();
        if (auto* button = view->control<QPushButton>(id)) return button->text();
        return view->control<QLineEdit>(id)->text();
    }
    QStringList Lines(int list) const {
        QStringList lines;
        auto* box = view->control<QListWidget>(list);
        for (int i = 0; i < box->count(); ++i)
            lines << box->item(i)->text();
        return lines;
    }
    void Click(int id) { view->control<QPushButton>(id)->click(); }
    // A command of menu 129, which the frame shows while the monitor's window is active.
    void Command(int id) {
        frame.mdiArea()->setActiveSubWindow(child);
        frame.routeCommand(id);
    }
    void PressEnter(QWidget* widget) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
    }
    std::vector<CGraphWnd*> SignalWindows(const QString& title) const {
        std::vector<CGraphWnd*> windows;
        for (QMdiSubWindow* window : frame.mdiArea()->subWindowList())
            if (auto* graph = qobject_cast<CGraphWnd*>(window);
                graph && !graph->isDestroyed() && graph->widget()->windowTitle() == title)
                windows.push_back(graph);
        return windows;
    }

    TempDir folder;
    WorkingDirectory workingDirectory{CopyOfLab(folder).path()};
    DlxWords dlx;
    CVORNb1App app;
    CMainFrame frame{&app};
    QMdiSubWindow* child = nullptr;
    CvornctrlView* view = nullptr;
    QStringList boxes;
    bool answerYes = true;
    QString nextFile;
    std::vector<WizardSheet> sheets;
    std::function<void(monitor::HardwareMonitor&, WizardSheet)> wizardAnswer =
        [this](monitor::HardwareMonitor& monitor, WizardSheet sheet) { FinishWizard(monitor, sheet); };
};

TEST_F(MonitorView, OpensWithTheWizardAndShowsTheBoard) {
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(view->objectName(), "CvornctrlView");
    EXPECT_EQ(sheets, std::vector<WizardSheet>{WizardSheet::Full});
    EXPECT_TRUE(child->isMaximized());
    QStringList menus;
    for (QAction* action : frame.menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&Configuration", "&Run", "&Signals", "&Tests", "&View",
                                  "&Window", "&Help"}));
    EXPECT_TRUE(frame.routeCommandUi(ID_MONITOR_RUN_UNTIL_HALT).enabled);

    EXPECT_EQ(Lines(SlaveList),
              (QStringList{"PC = 0x00000000", "STATUS = 0x00000000", "COMMAND = 0x00000000"}));
    EXPECT_EQ(Text(RegisterGroup), "Registers");
    EXPECT_EQ(Text(FirstRegisterNumber + 28), "28");
    EXPECT_EQ(Text(DumpEdit), "0x00000000");
    EXPECT_EQ(Text(kDisassemblyRows[kPcRow - 1].word), "Out of range");
    for (int id : {Step, Reset, RefreshData, ContinuousMode, SignalWaveforms, Write, UpdateDump})
        EXPECT_TRUE(view->control<QPushButton>(id)->isVisible()) << id;
    EXPECT_TRUE(view->control<QLabel>(Status)->font().bold());
    EXPECT_TRUE(view->control<QLabel>(DumpValuesHeading)->font().underline());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

TEST_F(MonitorView, AnUploadedProgramStepsAndResetsAndTheRegistersShowIt) {
    ASSERT_NO_FATAL_FAILURE(Open());
    Upload({dlx.I("addi", 1, 0, 5), dlx.I("addi", 2, 1, 7), dlx.I("j", 0, 0, -1)});
    EXPECT_EQ(sheets.back(), WizardSheet::MemoryConfig);
    EXPECT_EQ(Text(kDisassemblyRows[kPcRow + 1].word),
              QString::fromStdString(monitor::WordText(dlx.I("addi", 2, 1, 7))));

    Click(Step);
    EXPECT_EQ(Lines(SlaveList).front(), "PC = 0x00000001");
    EXPECT_EQ(Text(FirstRegisterValue + 1), "0x00000005");
    EXPECT_EQ(Text(kDisassemblyRows[kPcRow].text), "addi R2 R1 0x0007");

    Command(ID_MONITOR_STEP);
    EXPECT_EQ(Lines(SlaveList).front(), "PC = 0x00000002");
    EXPECT_EQ(Text(FirstRegisterValue + 2), "0x0000000c");
    // The form is drawn with the arrow at the PC row.
    const QImage picture = view->page()->grab().toImage();
    EXPECT_LT(picture.pixelColor(view->control<QLabel>(PcArrow)->geometry().center()).lightness(), 64);

    Click(Reset);
    EXPECT_EQ(Text(Reset), "&Reset=0");
    Click(Reset);
    EXPECT_EQ(Text(Reset), "&Reset=1");
    EXPECT_EQ(Lines(SlaveList).front(), "PC = 0x00000000") << "the release refreshes";
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

TEST_F(MonitorView, RunNStepsAsksThroughItsPromptAndEmptiesTheStatus) {
    ASSERT_NO_FATAL_FAILURE(Open());
    Upload({dlx.I("addi", 1, 1, 1), dlx.I("j", 0, 0, -2)});
    AnswerNextPrompt({"7"});
    Command(ID_MONITOR_RUN_STEPS);
    EXPECT_EQ(Text(FirstRegisterValue + 1), "0x00000004");
    EXPECT_EQ(Text(Status), QString());

    AnswerNextPrompt({"1", "9"});
    Command(ID_MONITOR_RUN_UNTIL_REG);
    EXPECT_EQ(Text(FirstRegisterValue + 1), "0x00000009");
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

class ContinuousRun : public MonitorView {
  protected:
    const std::vector<int> runButtons{Step, Reset, RefreshData, Write, SignalWaveforms, UpdateDump};
    void ExpectButtons(bool enabled) {
        for (int id : runButtons)
            EXPECT_EQ(view->control<QPushButton>(id)->isEnabled(), enabled) << id;
    }
};

TEST_F(ContinuousRun, StartsAndStopsWithTheButtonAndWithEnter) {
    ASSERT_NO_FATAL_FAILURE(Open());
    Upload({dlx.I("j", 0, 0, -1)});
    Click(ContinuousMode);
    EXPECT_EQ(Text(ContinuousMode), "St&op");
    ExpectButtons(false);
    // Only the worker talks to the board: its menu commands are off, even by an accelerator.
    for (int id : {ID_MONITOR_STEP, ID_MONITOR_RUN_UNTIL_HALT, ID_MONITOR_WIZARD, ID_MONITOR_TEST_BOARD})
        EXPECT_FALSE(frame.routeCommandUi(id).enabled) << id;
    EXPECT_TRUE(frame.routeCommandUi(ID_MONITOR_DATA_SNAPSHOT).enabled);
    Command(ID_MONITOR_STEP);
    EXPECT_EQ(Text(ContinuousMode), "St&op");
    Click(ContinuousMode);
    EXPECT_EQ(Text(ContinuousMode), "C&ontinuous Mode");
    ExpectButtons(true);

    Click(ContinuousMode);
    ASSERT_EQ(Text(ContinuousMode), "St&op");
    PressEnter(view->control<QLineEdit>(DumpEdit)); // the run made its button the default
    EXPECT_EQ(Text(ContinuousMode), "C&ontinuous Mode");
    ExpectButtons(true);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

TEST_F(ContinuousRun, TheHaltEndsItOnTheUiThread) {
    ASSERT_NO_FATAL_FAILURE(Open());
    Upload({dlx.I("addi", 1, 0, 500), dlx.I("subi", 1, 1, 1), dlx.I("bnez", 0, 1, -2), dlx.Halt()});
    Click(ContinuousMode);
    const QString halt = "BOX VORN | HALT has been reached. \\nStopping Continuous mode.";
    ASSERT_TRUE(WaitFor([&] { return boxes.contains(halt); }));
    EXPECT_EQ(boxes, QStringList{halt});
    EXPECT_EQ(Text(ContinuousMode), "C&ontinuous Mode");
    ExpectButtons(true);
    EXPECT_EQ(Lines(SlaveList).front(), "PC = 0x00000004");
}

TEST_F(MonitorView, TheActiveSignalsWindowIsMadeRefilledAndLetGo) {
    ASSERT_NO_FATAL_FAILURE(Open());
    Upload({dlx.I("addi", 1, 0, 1), dlx.R("add", 2, 1, 1), dlx.I("j", 0, 0, -3)});
    Click(Step);
    Click(Step);
    Click(SignalWaveforms);
    auto active = SignalWindows("ACTIVE Signals Window");
    ASSERT_EQ(active.size(), 1u);
    EXPECT_EQ(active[0]->view()->model().steps(), 2);
    EXPECT_EQ(active[0]->geometry(), QRect(100, 100, 750, 500));
    EXPECT_TRUE(child->isMaximized()) << "the monitor stays maximised beneath it";
    EXPECT_FALSE(active[0]->toolbar()->button(ID_GRAPH_OPEN)->isVisible());
    EXPECT_TRUE(active[0]->toolbar()->button(ID_GRAPH_SAVE)->isVisible());

    Click(Step); // the refresh refills the open window
    EXPECT_EQ(active[0]->view()->model().steps(), 3);
    Command(ID_MONITOR_ACTIVE_WINDOW); // a new one in place of the open one
    QApplication::processEvents();
    active = SignalWindows("ACTIVE Signals Window");
    ASSERT_EQ(active.size(), 1u);

    active[0]->close(); // by the user
    QApplication::processEvents();
    Click(Step);
    EXPECT_TRUE(SignalWindows("ACTIVE Signals Window").empty());
    Click(SignalWaveforms);
    active = SignalWindows("ACTIVE Signals Window");
    ASSERT_EQ(active.size(), 1u);
    EXPECT_EQ(active[0]->view()->model().steps(), 4);

    Command(ID_MONITOR_REFERENCE_WINDOW);
    const auto reference = SignalWindows("REFERENCE Signals Window");
    ASSERT_EQ(reference.size(), 1u);
    EXPECT_FALSE(reference[0]->toolbar()->button(ID_GRAPH_SAVE)->isVisible());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

TEST_F(MonitorView, WriteAndTheDumpFieldWorkThroughTheirButtonsAndEnter) {
    ASSERT_NO_FATAL_FAILURE(Open());
    auto* memory = view->control<QListWidget>(MemoryList);
    memory->setCurrentRow(1);
    view->control<QLineEdit>(WriteEdit)->setText("0x2a");
    Click(Write);
    EXPECT_EQ(Lines(MemoryList)[1], "DATA = 0x0000002a");

    view->control<QListWidget>(SlaveList)->setCurrentRow(0);
    EXPECT_EQ(memory->selectedItems().size(), 0) << "one label of the two lists is selected";

    // Entering a field makes its button the default, which Enter presses.
    auto* dump = view->control<QLineEdit>(DumpEdit);
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(dump, &focus);
    EXPECT_TRUE(view->control<QPushButton>(UpdateDump)->isDefault());
    dump->setText("0x1F");
    PressEnter(dump);
    EXPECT_EQ(Text(FirstDumpRowAddress + 3), "0x00000030");
    EXPECT_EQ(Text(DumpEdit), "0x1F") << "the typed text stays";

    // A text being typed is not overwritten by a refresh.
    dump->setText("0x40");
    Click(RefreshData);
    EXPECT_EQ(Text(DumpEdit), "0x40");
}

TEST_F(MonitorView, ACancelledWizardHidesTheMonitorUntilItIsRunAgain) {
    wizardAnswer = [](monitor::HardwareMonitor& monitor, WizardSheet) {
        monitor.wizard().OnShow();
        monitor.OnWizardEnded(false);
    };
    frame.show();
    child = frame.newDocument(frame.templates().front());
    view = qobject_cast<CvornctrlView*>(child->widget());
    ASSERT_TRUE(WaitFor([this] { return !sheets.empty(); }));
    EXPECT_EQ(boxes, QStringList{"BOX VORN | Wizard was not completed.\\nPlease rerun wizard."});
    EXPECT_EQ(Text(SlaveCaption), "Wizard cancelled. Please start it again.");
    for (int id : {Step, ContinuousMode, Write})
        EXPECT_FALSE(view->control<QPushButton>(id)->isVisible()) << id;

    wizardAnswer = [this](monitor::HardwareMonitor& monitor, WizardSheet sheet) {
        FinishWizard(monitor, sheet);
    };
    Command(ID_MONITOR_WIZARD);
    for (int id : {Step, ContinuousMode, Write})
        EXPECT_TRUE(view->control<QPushButton>(id)->isVisible()) << id;
}

TEST_F(MonitorView, FpgaConfigAndTestRunTheToolsOfTheLab) {
    if (!fs::exists("tools/xsload.exe") || !fs::exists("tools/xstest.exe")) GTEST_SKIP() << "no tools built";
    // The test tool's scratch file is made in the temporary folder, here the test's own.
    const std::optional<QByteArray> temporary =
        qEnvironmentVariableIsSet("TMPDIR") ? std::optional(qgetenv("TMPDIR")) : std::nullopt;
    qputenv("TMPDIR", QByteArray::fromStdString(folder.path().string()));
    const auto restore =
        qScopeGuard([&] { temporary ? qputenv("TMPDIR", *temporary) : qunsetenv("TMPDIR"); });
    ASSERT_NO_FATAL_FAILURE(Open());
    view->monitor().wizard().fpga.path = "slave.bit";
    Command(ID_MONITOR_FPGA_CONFIG);
    const auto load = board::ReadFpgaLoad();
    ASSERT_TRUE(load.has_value());
    EXPECT_NE(load->bitText.find("design slave"), std::string::npos);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();

    Command(ID_MONITOR_TEST_FPGA);
    EXPECT_EQ(boxes, QStringList{"BOX VORN | test successful"});
}

// The board maker's tools run through QProcess.
class ToolProcesses : public ::testing::Test {
  protected:
    ProcessOutcome Shell(const std::string& script, std::vector<std::string> more = {}, int waitMs = 10000) {
        std::vector<std::string> arguments{"-c", script, "sh"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return runner.Run("/bin/sh", arguments, waitMs);
    }
    QtProcessRunner runner;
    TempDir folder;
};

TEST_F(ToolProcesses, GiveTheExitCodeAndPassEachArgumentWhole) {
    const std::string out = folder.file("out");
    ProcessOutcome outcome = Shell("printf '%s|' \"$@\" > " + out + "; exit 3", {"-fpga", "my design.bit"});
    EXPECT_EQ(outcome.state, ProcessOutcome::State::Exited);
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_EQ(ReadFile(out), "-fpga|my design.bit|");
    EXPECT_EQ(Shell("exit 0").exitCode, 0);
}

TEST_F(ToolProcesses, TellAFailedStartAndAToolKilledBeforeItsExit) {
    // The system's error number: 2 for a program that is not there, 13 for a folder.
    for (const auto& [program, error] :
         {std::pair{folder.file("no-such-tool.exe"), 2}, std::pair{std::string("vorn-no-such-tool"), 2},
          std::pair{folder.path().string(), 13}}) {
        const ProcessOutcome failed = runner.Run(program, {}, 5000);
        EXPECT_EQ(failed.state, ProcessOutcome::State::StartFailed) << program;
        EXPECT_EQ(failed.errorCode, error) << program;
        EXPECT_FALSE(failed.errorText.empty());
    }
    EXPECT_EQ(Shell("kill -9 $$").state, ProcessOutcome::State::ExitCodeUnreadable);
}

TEST_F(ToolProcesses, LeaveAToolRunningAfterTheWait) {
    const std::string done = folder.file("done");
    const ProcessOutcome outcome = Shell("sleep 1; touch " + done, {}, 100);
    EXPECT_EQ(outcome.state, ProcessOutcome::State::StillRunning);
    EXPECT_TRUE(WaitFor([&] { return fs::exists(done); }, 10000)) << "the tool was stopped";
}

} // namespace
