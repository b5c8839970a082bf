// The Hardware Monitor window on the offscreen platform, on the emulated board through the
// embedded Python runtime, in a working directory that holds a copy of the lab: the wizard is
// answered through its hook, boxes and file dialogs through theirs, prompts by timers.

#include "DlxWords.h"
#include "LabProgram.h"
#include "ModalDialogs.h"
#include "TempDir.h"
#include "WorkingDirectory.h"
#include "board/FpgaLoadFile.h"
#include "isa/Settings.h"
#include "monitor/MonitorTexts.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CVORNb1App.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/QtProcessRunner.h"
#include "ui/monitor/CWizardDlg.h"
#include "ui/monitor/CvornctrlView.h"
#include "ui/monitor/MonitorResources.h"
#include "ui/monitor/MonitorTemplate.h"
#include "ui/shared/Workbench.h"
#include "ui/waveform/CGraphView.h"
#include "ui/waveform/GraphToolbar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::ui;
using namespace vorn::monitor::control;
using namespace vorn::testing;

namespace {

namespace fs = std::filesystem;

// The lab's files as the application finds them in its working directory.
const TempDir& CopyOfLab(const TempDir& folder) {
    fs::copy(VORN_SOURCE_DIR "/lab", folder.path(), fs::copy_options::recursive);
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

class MonitorView : public ::testing::Test {
  protected:
    MonitorView() {
        auto settings = isa::LoadSettings("settings.xml");
        EXPECT_TRUE(settings.ok());
        TheWorkbench().settings = *settings;
        TheWorkbench().instructionSet = LabInstructionSet();
        // A fresh load/store design, which the board takes up at the monitor's first connect.
        EXPECT_TRUE(board::HandOverBitFile("loadstore.bit"));
        SetMessageBoxHook([this](const BoxRequest& box) {
            boxes << BoxLine(box.caption, box.text);
            return true;
        });
        SetFileChooserHook(
            [](FileDialogMode, const QString&) { return std::optional<QString>("loadstore.lbl"); });
        SetWizardHook([this](monitor::HardwareMonitor& monitor, WizardSheet sheet) {
            sheets.push_back(sheet);
            FinishWizard(monitor, sheet);
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
        if (sheet == WizardSheet::LabelsConfig) return monitor.OnLabelsConfigEnded(true);
        if (sheet == WizardSheet::FpgaConfig) return monitor.OnFpgaConfigEnded(true);
        if (sheet == WizardSheet::MemoryConfig) return monitor.OnMemoryConfigEnded(true);
        ASSERT_FALSE(wizard.OnLabChoiceNext(monitor::LoadStore));
        wizard.labels.OnSetActive();
        wizard.labels.OnLoadLabels();
        wizard.labels.CheckStartAddresses();
        monitor.OnWizardEnded(true);
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
    std::vector<WizardSheet> sheets;
};

// The buttons, fields, lists and menu commands reach the board, and the panels, the disassembly,
// the dump and the signal windows show what it returns.
TEST_F(MonitorView, ControlsAndCommandsReachTheBoardAndItsStateIsShown) {
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(sheets, std::vector<WizardSheet>{WizardSheet::Full});
    EXPECT_TRUE(child->isMaximized());
    EXPECT_EQ(Lines(SlaveList),
              (QStringList{"PC = 0x00000000", "STATUS = 0x00000000", "COMMAND = 0x00000000"}));
    Upload({dlx.I("addi", 1, 1, 1), dlx.I("j", 0, 0, -2)});
    const QString jump = "0x0800fffe"; // opcode 2, offset -2
    EXPECT_EQ(Text(kDisassemblyRows[kPcRow + 1].word), jump);

    Click(Step);
    EXPECT_EQ(Lines(SlaveList).front(), "PC = 0x00000001");
    EXPECT_EQ(Text(FirstRegisterValue + 1), "0x00000001");
    EXPECT_EQ(Text(kDisassemblyRows[kPcRow].word), jump);
    Command(ID_MONITOR_STEP);
    EXPECT_EQ(Lines(SlaveList).front(), "PC = 0x00000000");

    // The active signals window opens over the maximised monitor and each refresh refills it.
    Click(SignalWaveforms);
    auto active = SignalWindows("ACTIVE Signals Window");
    ASSERT_EQ(active.size(), 1u);
    EXPECT_EQ(active[0]->view()->model().steps(), 2);
    EXPECT_TRUE(child->isMaximized());
    EXPECT_FALSE(active[0]->toolbar()->button(ID_GRAPH_OPEN)->isVisible());
    Click(Step);
    EXPECT_EQ(active[0]->view()->model().steps(), 3);
    Command(ID_MONITOR_ACTIVE_WINDOW); // a new one in place of the open one
    QApplication::processEvents();
    active = SignalWindows("ACTIVE Signals Window");
    ASSERT_EQ(active.size(), 1u);
    active[0]->close(); // by the user
    QApplication::processEvents();
    Click(Step);
    EXPECT_TRUE(SignalWindows("ACTIVE Signals Window").empty());
    Command(ID_MONITOR_REFERENCE_WINDOW);
    const auto reference = SignalWindows("REFERENCE Signals Window");
    ASSERT_EQ(reference.size(), 1u);
    EXPECT_FALSE(reference[0]->toolbar()->button(ID_GRAPH_SAVE)->isVisible());

    AnswerPrompt({"1", "9"});
    Command(ID_MONITOR_RUN_UNTIL_REG);
    EXPECT_EQ(Text(FirstRegisterValue + 1), "0x00000009");
    Click(Reset);
    EXPECT_EQ(Text(Reset), "&Reset=0");
    Click(Reset);
    EXPECT_EQ(Lines(SlaveList).front(), "PC = 0x00000000") << "the release refreshes";

    auto* memory = view->control<QListWidget>(MemoryList);
    memory->setCurrentRow(1);
    view->control<QLineEdit>(WriteEdit)->setText("0x2a");
    Click(Write);
    EXPECT_EQ(Lines(MemoryList)[1], "DATA = 0x0000002a");
    view->control<QListWidget>(SlaveList)->setCurrentRow(0);
    EXPECT_EQ(memory->selectedItems().size(), 0) << "one label of the two lists is selected";
    // Entering a field makes its button the default, which Enter presses; the typed text stays,
    // also through a refresh.
    auto* dump = view->control<QLineEdit>(DumpEdit);
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(dump, &focus);
    dump->setText("0x1F");
    QTest::keyClick(dump, Qt::Key_Return);
    EXPECT_EQ(Text(FirstDumpRowAddress + 3), "0x00000030");
    dump->setText("0x40");
    Click(RefreshData);
    EXPECT_EQ(Text(DumpEdit), "0x40");

    Command(ID_MONITOR_LABELS_CONFIG);
    EXPECT_EQ(sheets.back(), WizardSheet::LabelsConfig);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

// The form's access keys come before the menu bar's: Alt+S steps, Alt+R presses Reset=1 and
// Alt+W opens the signal window; a letter that no enabled button marks opens its menu.
TEST_F(MonitorView, TheFormsAccessKeysComeBeforeTheMenuBars) {
    ASSERT_NO_FATAL_FAILURE(Open());
    QTest::keyClick(&frame, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(Lines(SlaveList).front(), "PC = 0x00000001");
    QTest::keyClick(&frame, Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(Text(Reset), "&Reset=0");
    QTest::keyClick(&frame, Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(SignalWindows("ACTIVE Signals Window").size(), 1u);
    frame.mdiArea()->setActiveSubWindow(child);
    view->control<QPushButton>(Step)->setEnabled(false);
    QTest::keyClick(&frame, Qt::Key_S, Qt::AltModifier);
    ASSERT_NE(frame.menuBar()->activeAction(), nullptr);
    EXPECT_EQ(frame.menuBar()->activeAction()->text(), "&Signals");
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTest::keyClick(&frame, Qt::Key_F10);
    ASSERT_NE(frame.menuBar()->activeAction(), nullptr);
    EXPECT_EQ(frame.menuBar()->activeAction()->text(), "&File");
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
}

using ContinuousRun = MonitorView;

// While it runs, the buttons, the menu and the accelerators offer what the engine allows; a
// refused command that arrives by its accelerator does nothing. The button, or Enter once the
// run made it the default, stops it.
TEST_F(ContinuousRun, StartsAndStopsWithTheButtonAndWithEnter) {
    ASSERT_NO_FATAL_FAILURE(Open());
    Upload({dlx.I("j", 0, 0, -1)});
    Click(ContinuousMode);
    EXPECT_EQ(Text(ContinuousMode), "St&op");
    EXPECT_FALSE(frame.routeCommandUi(ID_MONITOR_STEP).enabled ||
                 view->control<QPushButton>(Step)->isEnabled());
    EXPECT_TRUE(frame.routeCommandUi(ID_MONITOR_DATA_SNAPSHOT).enabled);
    Command(ID_MONITOR_STEP);
    EXPECT_EQ(Text(ContinuousMode), "St&op");
    Click(ContinuousMode);
    EXPECT_TRUE(view->control<QPushButton>(Step)->isEnabled());
    Click(ContinuousMode);
    ASSERT_EQ(Text(ContinuousMode), "St&op");
    QTest::keyClick(view->control<QLineEdit>(DumpEdit), Qt::Key_Return);
    EXPECT_EQ(Text(ContinuousMode), "C&ontinuous Mode");
    EXPECT_TRUE(frame.routeCommandUi(ID_MONITOR_STEP).enabled);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

// The worker's halt box and stop reach the window on the ui thread.
TEST_F(ContinuousRun, TheHaltEndsItOnTheUiThread) {
    ASSERT_NO_FATAL_FAILURE(Open());
    Upload({dlx.I("addi", 1, 0, 500), dlx.I("subi", 1, 1, 1), dlx.I("bnez", 0, 1, -2), dlx.Halt()});
    Click(ContinuousMode);
    const QString halt = "BOX VORN | HALT has been reached. \\nStopping Continuous mode.";
    ASSERT_TRUE(WaitFor([&] { return boxes.contains(halt); }));
    EXPECT_EQ(boxes, QStringList{halt});
    EXPECT_EQ(Text(ContinuousMode), "C&ontinuous Mode");
    EXPECT_TRUE(view->control<QPushButton>(Step)->isEnabled());
    EXPECT_EQ(Lines(SlaveList).front(), "PC = 0x00000004");
}

TEST_F(MonitorView, FpgaConfigAndTestRunTheToolsOfTheLab) {
    if (!fs::exists("tools/xsload.exe") || !fs::exists("tools/xstest.exe")) GTEST_SKIP() << "no tools built";
    // The test tool's scratch file is made in the temporary folder, here the test's own.
    const QByteArray temporary = qgetenv("TMPDIR"); // null when unset
    qputenv("TMPDIR", QByteArray::fromStdString(folder.path().string()));
    const auto restore =
        qScopeGuard([&] { temporary.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", temporary); });
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

// The board maker's tools run through QProcess: each argument whole, the exit code, the system's
// error number of a failed start (2 for a program that is not there, 13 for a folder), a tool
// killed before its exit, and a tool left running after the wait.
TEST(ToolProcesses, TellHowEachRunEnded) {
    TempDir folder;
    QtProcessRunner runner;
    const auto shell = [&](const std::string& script, int waitMs = 10000) {
        return runner.Run("/bin/sh", {"-c", script, "sh", "-fpga", "my design.bit"}, waitMs);
    };
    const ProcessOutcome outcome = shell("printf '%s|' \"$@\" > " + folder.file("out") + "; exit 3");
    EXPECT_EQ(outcome.state, ProcessOutcome::State::Exited);
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_EQ(ReadFile(folder.file("out")), "-fpga|my design.bit|");
    for (const auto& [program, error] :
         {std::pair{std::string("vorn-no-such-tool"), 2}, std::pair{folder.path().string(), 13}}) {
        const ProcessOutcome failed = runner.Run(program, {}, 5000);
        EXPECT_EQ(failed.state, ProcessOutcome::State::StartFailed) << program;
        EXPECT_EQ(failed.errorCode, error) << program;
        EXPECT_FALSE(failed.errorText.empty());
    }
    EXPECT_EQ(shell("kill -9 $$").state, ProcessOutcome::State::ExitCodeUnreadable);
    EXPECT_EQ(shell("sleep 1; touch " + folder.file("done"), 100).state, ProcessOutcome::State::StillRunning);
    EXPECT_TRUE(WaitFor([&] { return fs::exists(folder.file("done")); }, 10000)) << "the tool was stopped";
}

} // namespace
