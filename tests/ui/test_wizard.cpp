// The configuration wizard's sheet: a Hardware Monitor engine on the emulated board behind it,
// boxes and file dialogs answered by their hooks, the modal sheet driven by a timer once shown.

#include "EmulatorPort.h"
#include "LabProgram.h"
#include "TempDir.h"
#include "board/BoardEmulator.h"
#include "board/BoardLink.h"
#include "board/TraceLog.h"
#include "isa/Settings.h"
#include "monitor/HardwareMonitor.h"
#include "ui/dialogs/QtPrompter.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MessageBox.h"
#include "ui/monitor/CWizardDlg.h"
#include "ui/monitor/CWizardPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <cstdio>
#include <deque>
#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::ui;
using monitor::LabelKind;
using vorn::testing::EmulatorPort;
using vorn::testing::LabInstructionSet;
using vorn::testing::ReadFile;
using vorn::testing::TempDir;
namespace control = monitor::control;

namespace {

class QuietHost : public monitor::MonitorHost {
  public:
    void FormChanged() override {}
    monitor::SignalWindowId CreateSignalWindow(const monitor::SignalWindowRequest&) override { return 0; }
    bool SignalWindowOpen(monitor::SignalWindowId) override { return false; }
    void DestroySignalWindow(monitor::SignalWindowId) override {}
    void SetSignals(monitor::SignalWindowId, const monitor::Capture&) override {}
    void TakeFocus() override {}
    void PostToUi(std::function<void()>) override {}
};

class StillClock : public Clock {
  public:
    int64_t NowSeconds() override { return 0; }
};

// Records the tools it is asked to run; each ends at once with exit code 0.
class RecordingRunner : public ProcessRunner {
  public:
    std::vector<std::vector<std::string>> runs;
    ProcessOutcome Run(const std::string&, const std::vector<std::string>& arguments, int) override {
        runs.push_back(arguments);
        return {};
    }
};

struct Box {
    QString text;
    QString caption;
    bool yesNo = false;
};

// The open sheet as the user sees it: the current page's controls by id, and the sheet's buttons.
class Sheet {
  public:
    explicit Sheet(QDialog& dialog) : dialog_(dialog) {}

    QDialog& dialog() const { return dialog_; }
    QStackedWidget* stack() const { return dialog_.findChild<QStackedWidget*>(); }
    QWidget* page() const { return stack()->currentWidget(); }
    QString pageId() const { return page()->objectName(); }
    template <class T> T* control(int id) const {
        T* widget = page()->findChild<T*>(QString::number(id), Qt::FindDirectChildrenOnly);
        EXPECT_NE(widget, nullptr) << "no control " << id << " on page " << pageId().toStdString();
        return widget;
    }
    QPushButton* button(int id) const { return dialog_.findChild<QPushButton*>(QString::number(id)); }

    // What the buttons row offers: "B" Back, "N" Next, "F" Finish, lower case when disabled,
    // left out when hidden.
    std::string buttons() const {
        std::string shown;
        for (auto [id, letter] : {std::pair{ID_WIZBACK, 'B'}, {ID_WIZNEXT, 'N'}, {ID_WIZFINISH, 'F'}})
            if (button(id)->isVisible()) shown += button(id)->isEnabled() ? letter : char(letter + 'a' - 'A');
        return shown;
    }
    void back() const { button(ID_WIZBACK)->click(); }
    void next() const { button(ID_WIZNEXT)->click(); }
    void finish() const { button(ID_WIZFINISH)->click(); }
    void cancel() const { button(IDCANCEL)->click(); }
    void click(int id) const { control<QPushButton>(id)->click(); }
    bool checked(int radio) const { return control<QRadioButton>(radio)->isChecked(); }

    void chooseLab(int lab) const { control<QRadioButton>(1000 + lab)->click(); }
    void type(int edit, const QString& text) const { control<QLineEdit>(edit)->setText(text); }
    QString text(int edit) const { return control<QLineEdit>(edit)->text(); }
    QStringList lines(int list) const {
        QStringList lines;
        const auto* box = control<QListWidget>(list);
        for (int row = 0; row < box->count(); ++row)
            lines << box->item(row)->text();
        return lines;
    }
    // Selects a line as a click does.
    void select(int list, int row) const { control<QListWidget>(list)->setCurrentRow(row); }
    // The labels page's insert with the given kind radio (1010 slave, 1011 graphic, 1012 memory).
    void insert(int kindRadio, const QString& name, const QString& address) const {
        control<QRadioButton>(kindRadio)->click();
        type(2000, name);
        type(2001, address);
        click(1009);
    }
    bool enabled(int id) const { return page()->findChild<QWidget*>(QString::number(id))->isEnabled(); }

  private:
    QDialog& dialog_;
};

class WizardTest : public ::testing::Test {
  protected:
    WizardTest() {
        auto lab = isa::LoadSettings(VORN_SOURCE_DIR "/lab/settings.xml");
        EXPECT_TRUE(lab.ok());
        settings = *lab;
        settings.hardwareWaitCycles = 5;
        board.Configure(board::LoadStoreDesign(), LabInstructionSet());
        auto link =
            std::make_unique<board::BoardLink>(settings, std::make_unique<EmulatorPort>(board), trace);
        monitor = std::make_unique<monitor::HardwareMonitor>(
            monitor::MonitorEnvironment{settings, LabInstructionSet(), "VORN", directory.path()},
            std::move(link), monitor::MonitorPorts{prompter, clock, processes, host});
        monitor->OnInitialUpdate();
        SetMessageBoxHook([this](const BoxRequest& request) {
            boxes.push_back({request.text, request.caption, request.buttons == BoxButtons::YesNo});
            if (request.buttons == BoxButtons::Ok || yesNoAnswers.empty())
                return request.buttons == BoxButtons::Ok;
            const bool answer = yesNoAnswers.front();
            yesNoAnswers.pop_front();
            return answer;
        });
        SetFileChooserHook([this](FileDialogMode mode, const QString& filter) -> std::optional<QString> {
            fileDialogs.push_back({mode, filter});
            if (fileAnswers.empty()) return std::nullopt;
            auto answer = fileAnswers.front();
            fileAnswers.pop_front();
            return answer;
        });
    }
    ~WizardTest() override {
        SetMessageBoxHook({});
        SetFileChooserHook({});
        SetWizardHook({});
    }

    // Shows the sheet; drive acts on it once it is modal and should end it (a sheet left open
    // is cancelled). False when no sheet was shown.
    bool Run(WizardSheet kind, const std::function<void(Sheet&)>& drive) {
        bool shown = false;
        QObject guard; // ends the waiting timer with this call
        std::function<void(int)> poll = [&](int tries) {
            QTimer::singleShot(0, &guard, [&, tries] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog) {
                    if (tries > 0) poll(tries - 1);
                    return;
                }
                shown = true;
                Sheet sheet(*dialog);
                drive(sheet);
                if (dialog->isVisible()) dialog->reject();
            });
        };
        poll(50);
        RunWizardSheet(nullptr, *monitor, kind);
        return shown;
    }

    // The full wizard run on the engine alone, as a starting point: a lab and its label file
    // (which sets the start fields), finished.
    void ChooseLabInEngine(int lab, const std::string& labelFile) {
        auto& wizard = monitor->wizard();
        wizard.OnShow();
        ASSERT_FALSE(wizard.OnLabChoiceNext(lab));
        wizard.labels.OnSetActive(true);
        fileAnswers.push_back(QString::fromStdString(VORN_SOURCE_DIR "/lab/" + labelFile));
        wizard.labels.OnLoadLabels();
        wizard.labels.CheckStartAddresses();
        monitor->OnWizardEnded(true);
        boxes.clear();
        fileDialogs.clear();
    }

    QStringList BoxTexts() {
        QStringList texts;
        for (const Box& box : boxes)
            texts << box.text;
        boxes.clear();
        return texts;
    }
    std::vector<std::string> SlaveNames() const {
        std::vector<std::string> names;
        for (const auto& label : monitor->labels().Of(LabelKind::Slave))
            names.push_back(label.name);
        return names;
    }

    TempDir directory;
    board::TraceLog trace{directory.file("in.log")};
    isa::Settings settings;
    board::BoardEmulator board;
    QtPrompter prompter;
    StillClock clock;
    RecordingRunner processes;
    QuietHost host;
    std::unique_ptr<monitor::HardwareMonitor> monitor;
    std::vector<Box> boxes;
    std::deque<bool> yesNoAnswers;
    std::vector<std::pair<FileDialogMode, QString>> fileDialogs;
    std::deque<std::optional<QString>> fileAnswers;
};

// Each lab offers its label kinds and start fields on the labels page and the .cod path on the
// memory page, and the monitor shows its panels after Finish. Each showing starts on the first
// lab, whatever was chosen before.
TEST_F(WizardTest, EachLabOffersItsFieldsPagesAndPanels) {
    for (int lab : {monitor::LoadStore, monitor::SimpleSlave, monitor::SelfMonitoring, monitor::ReadWrite}) {
        SCOPED_TRACE(lab);
        const bool graphic = lab != monitor::SimpleSlave;
        const bool memory = lab == monitor::ReadWrite || lab == monitor::LoadStore;
        EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
            EXPECT_EQ(sheet.dialog().windowTitle(), "Configuration Wizard");
            ASSERT_EQ(sheet.stack()->count(), 4);
            EXPECT_EQ(sheet.pageId(), "130");
            EXPECT_TRUE(sheet.checked(1000));
            EXPECT_EQ(sheet.buttons(), "bN");
            sheet.chooseLab(lab);
            sheet.next();

            ASSERT_EQ(sheet.pageId(), "131");
            EXPECT_EQ(sheet.buttons(), "BN");
            EXPECT_TRUE(sheet.checked(1010));
            for (int id : {1004, 1016, 1011, 1015})
                EXPECT_EQ(sheet.enabled(id), graphic) << id;
            for (int id : {1005, 1024, 1012})
                EXPECT_EQ(sheet.enabled(id), memory) << id;
            EXPECT_TRUE(sheet.enabled(1014) && sheet.enabled(1003));
            sheet.next();
            QStringList expected{"CPU RAM address not set! No register view."};
            if (graphic) expected << "LA RAM address not set! No Graphic view.";
            EXPECT_EQ(BoxTexts(), expected);

            ASSERT_EQ(sheet.pageId(), "132");
            EXPECT_EQ(sheet.buttons(), "BN");
            EXPECT_TRUE(sheet.enabled(2000));
            sheet.next();

            ASSERT_EQ(sheet.pageId(), "133");
            EXPECT_EQ(sheet.buttons(), "BF");
            EXPECT_EQ(sheet.enabled(2000), memory);
            EXPECT_EQ(sheet.enabled(1008), memory);
            sheet.finish();
        }));
        monitor::LabFlags expected = *monitor::LabFlagsOf(lab);
        expected.labChosen = false; // the labels page acted on it
        EXPECT_EQ(monitor->wizard().state.flags, expected);
        EXPECT_EQ(monitor->form().Visible(control::SignalWaveforms), graphic);
        EXPECT_EQ(monitor->form().Visible(control::DumpGroup), memory);
        EXPECT_EQ(monitor->form().Visible(control::CommandGroup), lab == monitor::LoadStore);
        EXPECT_EQ(monitor->form().Text(control::RegisterGroup), "Registers - CPU RAM ADDRESS NOT SET");
        EXPECT_TRUE(BoxTexts().isEmpty());
    }
}

// Back keeps the chosen lab on its page; a new choice at Next decides again. Cancel hides the
// monitor's controls and says so.
TEST_F(WizardTest, BackKeepsTheLabAndCancelLeavesTheMonitorWaiting) {
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
        sheet.chooseLab(monitor::LoadStore);
        sheet.next();
        sheet.back();
        ASSERT_EQ(sheet.pageId(), "130");
        EXPECT_TRUE(sheet.checked(1003));
        EXPECT_EQ(sheet.buttons(), "bN");
        sheet.chooseLab(monitor::SimpleSlave);
        sheet.next();
        EXPECT_FALSE(sheet.enabled(1005) || sheet.enabled(1004));
        sheet.cancel();
    }));
    EXPECT_EQ(BoxTexts(), QStringList{"Wizard was not completed.\nPlease rerun wizard."});
    EXPECT_EQ(monitor->form().Text(control::SlaveCaption), "Wizard cancelled. Please start it again.");
    EXPECT_FALSE(monitor->form().Visible(control::RefreshData));
    EXPECT_FALSE(monitor->wizard().state.flags.memoryLabels);
}

// Typing, inserting, selecting, editing and deleting on the labels page reach the engine, and
// the lists show its model; the insert's checks answer with their boxes.
TEST_F(WizardTest, LabelsEditedThroughTheWidgetsReachTheListsAndTheMonitor) {
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
        sheet.chooseLab(monitor::LoadStore);
        sheet.next();
        sheet.insert(1010, "PC", "40");
        sheet.insert(1010, "STATUS", "0x41");
        sheet.insert(1011, "bit3", "3");
        sheet.insert(1012, "buf", "100");
        EXPECT_EQ(sheet.lines(1003), (QStringList{"PC@0x40", "STATUS@0x41"}));
        EXPECT_EQ(sheet.lines(1004), QStringList{"bit3@0x3"});
        EXPECT_EQ(sheet.lines(1005), QStringList{"buf@0x100"});
        EXPECT_TRUE(BoxTexts().isEmpty());

        sheet.insert(1010, "9lives", "1");
        sheet.insert(1011, "bit32", "20");
        sheet.insert(1010, "PC", "44");
        EXPECT_EQ(BoxTexts(),
                  (QStringList{"Label name must start with a letter!", "Address out of allowed range.",
                               "Label exists, delete previous one before trying again."}));

        // Selecting a line fills the fields and the kind, and takes the other lists' selection.
        sheet.select(1004, 0);
        EXPECT_TRUE(sheet.checked(1011));
        sheet.select(1003, 0);
        EXPECT_TRUE(sheet.control<QListWidget>(1004)->selectedItems().isEmpty());
        EXPECT_EQ(sheet.text(2000), "PC");
        EXPECT_EQ(sheet.text(2001), "0x40");
        EXPECT_TRUE(sheet.checked(1010));

        // The selected label's own name edits it in place.
        sheet.type(2001, "44");
        sheet.click(1009);
        EXPECT_EQ(sheet.lines(1003), (QStringList{"PC@0x44", "STATUS@0x41"}));
        EXPECT_TRUE(BoxTexts().isEmpty());

        // Delete takes the selected line only.
        sheet.click(1008);
        EXPECT_EQ(sheet.lines(1003).size(), 2);
        sheet.select(1003, 1);
        sheet.click(1008);
        EXPECT_EQ(sheet.lines(1003), QStringList{"PC@0x44"});

        sheet.next();
        sheet.next();
        sheet.finish();
    }));
    EXPECT_EQ(SlaveNames(), std::vector<std::string>{"PC"});
    EXPECT_EQ(monitor->labels().Find(LabelKind::Slave, "PC"), settings.SLAVEbase + 0x44);
    EXPECT_EQ(monitor->labels().Find(LabelKind::Graphic, "bit3"), 3u);
    EXPECT_EQ(monitor->labels().Find(LabelKind::Memory, "buf"), 0x100u);
}

// The start address fields are checked at Next: an unaligned offset is aligned with a box and
// shown aligned, an offset out of range empties its field.
TEST_F(WizardTest, StartAddressesAreCheckedAtNextAndShownAligned) {
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
        sheet.chooseLab(monitor::SelfMonitoring);
        sheet.next();
        sheet.type(1014, "45");
        sheet.type(1015, "400");
        sheet.next();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].caption, "VORN");
        EXPECT_EQ(BoxTexts(), (QStringList{"CPU RAM address has been aligned to 0x40.",
                                           "LA RAM Address out of allowed range, Registers NOT set."}));
        const auto& addresses = monitor->wizard().state.addresses;
        EXPECT_TRUE(addresses.cpuRamSet);
        EXPECT_EQ(addresses.cpuRam, settings.SLAVEbase + 0x40);
        EXPECT_FALSE(addresses.laRamSet);
        sheet.back();
        EXPECT_EQ(sheet.text(1014), "0x00000040");
        EXPECT_EQ(sheet.text(1015), QString());
        sheet.back(); // Back alone checks nothing
        EXPECT_TRUE(BoxTexts().isEmpty());
        sheet.cancel();
    }));
}

// "Clear All Labels" empties the lists and deletes what is selected in each field, also in the
// fields that have lost the focus since.
TEST_F(WizardTest, ClearAllDeletesTheSelectedPartOfEachField) {
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
        sheet.chooseLab(monitor::LoadStore);
        sheet.next();
        sheet.insert(1010, "PC", "40");
        sheet.insert(1012, "abc", "10");
        sheet.type(1014, "0x00000040");
        sheet.type(1015, "0x20");
        sheet.dialog().activateWindow();
        QApplication::processEvents();
        auto* cpuRam = sheet.control<QLineEdit>(1014);
        auto* name = sheet.control<QLineEdit>(2000);
        cpuRam->setFocus();
        cpuRam->selectAll();
        name->setFocus();
        name->setSelection(1, 1);
        sheet.control<QLineEdit>(1015)->setFocus();
        ASSERT_TRUE(sheet.control<QLineEdit>(1015)->hasFocus()) << "the sheet did not take the focus";
        EXPECT_FALSE(cpuRam->hasSelectedText());

        sheet.click(1018);
        EXPECT_EQ(sheet.text(1014), QString());
        EXPECT_EQ(sheet.text(2000), "ac");
        EXPECT_EQ(sheet.text(1015), "0x20");
        EXPECT_EQ(sheet.text(2001), "10");
        EXPECT_TRUE(sheet.lines(1003).isEmpty() && sheet.lines(1005).isEmpty());
        EXPECT_TRUE(monitor->wizard().labels.model().Empty());
        sheet.cancel();
    }));
}

// Labels saved from the page come back by a load, in their order and with the start fields;
// a load over shown labels asks first, and No or a cancelled file dialog keeps them.
TEST_F(WizardTest, LabelFilesSaveAndLoadThroughTheFileDialogs) {
    const std::string saved = directory.file("lab3");
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
        sheet.chooseLab(monitor::LoadStore);
        sheet.next();
        sheet.insert(1010, "STATUS", "41");
        sheet.insert(1010, "PC", "40");
        sheet.insert(1011, "clk", "0");
        sheet.insert(1012, "buf", "3fff");
        sheet.type(1014, "0x00000000");
        sheet.type(1015, "0x00000020");
        fileAnswers.push_back(QString::fromStdString(saved));
        sheet.click(1025);
        ASSERT_EQ(fileDialogs.size(), 1u);
        EXPECT_EQ(fileDialogs[0].first, FileDialogMode::Save);
        EXPECT_EQ(fileDialogs[0].second, "LBL Files (*.lbl *.LBL);;All Files (*.*)");
        EXPECT_EQ(ReadFile(saved + ".lbl"), "0x00000000\r\n0x00000020\r\n2\r\nSTATUS\r\n41\r\nPC\r\n40\r\n1\r"
                                            "\nclk\r\n0\r\n1\r\nbuf\r\n3fff\r\n");

        // No keeps everything and asks for no file.
        yesNoAnswers.push_back(false);
        sheet.click(1026);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].yesNo);
        EXPECT_EQ(boxes[0].caption, "Overwrite?");
        EXPECT_EQ(BoxTexts(), QStringList{"This will delete all existing labels. Continue?"});
        EXPECT_EQ(fileDialogs.size(), 1u);
        // A cancelled file dialog keeps everything too.
        yesNoAnswers.push_back(true);
        sheet.click(1026);
        EXPECT_EQ(fileDialogs.size(), 2u);
        EXPECT_EQ(sheet.lines(1003), (QStringList{"STATUS@0x41", "PC@0x40"}));

        sheet.click(1018);
        sheet.type(1014, {});
        sheet.type(1015, {});
        BoxTexts();
        fileAnswers.push_back(QString::fromStdString(saved + ".lbl"));
        sheet.click(1026);
        EXPECT_TRUE(BoxTexts().isEmpty()) << "an empty page asks nothing";
        EXPECT_EQ(sheet.lines(1003), (QStringList{"STATUS@0x41", "PC@0x40"}));
        EXPECT_EQ(sheet.lines(1004), QStringList{"clk@0x0"});
        EXPECT_EQ(sheet.lines(1005), QStringList{"buf@0x3fff"});
        EXPECT_EQ(sheet.text(1014), "0x00000000");
        EXPECT_EQ(sheet.text(1015), "0x00000020");
        sheet.next();
        EXPECT_TRUE(BoxTexts().isEmpty());
        sheet.next();
        sheet.finish();
    }));
    EXPECT_EQ(SlaveNames(), (std::vector<std::string>{"STATUS", "PC"}));
    EXPECT_EQ(monitor->form().Text(control::RegisterGroup), "Registers");
    EXPECT_EQ(monitor->laRamAddress(), settings.SLAVEbase + 0x20);
}

// Labels Config shows the labels page alone with the monitor's labels and start addresses;
// Finish hands the page's labels to the monitor, Cancel puts the monitor's back into the page.
TEST_F(WizardTest, LabelsConfigAloneEditsTheMonitorsLabels) {
    ChooseLabInEngine(monitor::LoadStore, "loadstore.lbl");
    const std::vector<std::string> before = SlaveNames();
    ASSERT_EQ(before, (std::vector<std::string>{"PC", "STATUS", "COMMAND"}));
    EXPECT_TRUE(Run(WizardSheet::LabelsConfig, [&](Sheet& sheet) {
        ASSERT_EQ(sheet.stack()->count(), 1);
        EXPECT_EQ(sheet.pageId(), "131");
        EXPECT_EQ(sheet.buttons(), "bF");
        EXPECT_EQ(sheet.lines(1003), (QStringList{"PC@0x40", "STATUS@0x41", "COMMAND@0x42"}));
        EXPECT_EQ(sheet.text(1014), "0x00000000");
        EXPECT_EQ(sheet.text(1015), "0x00000020");
        sheet.select(1003, 2);
        sheet.click(1008);
        sheet.cancel();
    }));
    EXPECT_EQ(SlaveNames(), before);
    EXPECT_TRUE(Run(WizardSheet::LabelsConfig, [&](Sheet& sheet) {
        EXPECT_EQ(sheet.lines(1003).size(), 3) << "the cancelled delete is undone";
        sheet.select(1003, 1);
        sheet.click(1008);
        sheet.type(1014, "0x21");
        sheet.finish();
    }));
    EXPECT_EQ(BoxTexts(), QStringList{"CPU RAM address has been aligned to 0x20."});
    EXPECT_EQ(SlaveNames(), (std::vector<std::string>{"PC", "COMMAND"}));
    EXPECT_EQ(monitor->cpuRamAddress(), settings.SLAVEbase + 0x20);
}

// The FPGA page alone: Browse fills the path (with the default extension), Finish runs the
// loader on it, a cancel keeps the old path, and without configureBit the path is fixed.
TEST_F(WizardTest, FpgaConfigBrowsesKeepsItsPathAndRunsTheLoader) {
    ChooseLabInEngine(monitor::LoadStore, "loadstore.lbl");
    EXPECT_TRUE(Run(WizardSheet::FpgaConfig, [&](Sheet& sheet) {
        ASSERT_EQ(sheet.stack()->count(), 1);
        EXPECT_EQ(sheet.pageId(), "132");
        EXPECT_EQ(sheet.buttons(), "bF");
        EXPECT_EQ(sheet.text(2000), QString());
        fileAnswers.push_back("/designs/counter");
        sheet.click(1008);
        EXPECT_EQ(sheet.text(2000), "/designs/counter.bit");
        EXPECT_EQ(fileDialogs.at(0).first, FileDialogMode::Open);
        sheet.finish();
    }));
    ASSERT_EQ(processes.runs.size(), 1u);
    EXPECT_NE(std::find(processes.runs[0].begin(), processes.runs[0].end(), "/designs/counter.bit"),
              processes.runs[0].end());

    EXPECT_TRUE(Run(WizardSheet::FpgaConfig, [&](Sheet& sheet) {
        sheet.type(2000, "/designs/other.bit");
        sheet.cancel();
    }));
    EXPECT_EQ(processes.runs.size(), 1u);

    EXPECT_TRUE(Run(WizardSheet::FpgaConfig, [&](Sheet& sheet) {
        EXPECT_EQ(sheet.text(2000), "/designs/counter.bit") << "a cancel keeps the old path";
        sheet.type(2000, "/designs/typed.bit");
        sheet.finish();
    }));
    ASSERT_EQ(processes.runs.size(), 2u);
    EXPECT_EQ(processes.runs[1].back(), "/designs/typed.bit");

    settings.configureBit = false;
    EXPECT_TRUE(Run(WizardSheet::FpgaConfig, [&](Sheet& sheet) {
        EXPECT_EQ(sheet.text(2000), "/designs/typed.bit");
        EXPECT_FALSE(sheet.enabled(2000) || sheet.enabled(1008));
        sheet.finish();
    }));
    EXPECT_EQ(processes.runs.size(), 3u);
}

// The memory page alone offers its path only with memory labels; Finish with no path says so.
TEST_F(WizardTest, MemoryConfigFollowsTheLabAndRefusesAnEmptyPath) {
    ChooseLabInEngine(monitor::SimpleSlave, "slave.lbl");
    EXPECT_TRUE(Run(WizardSheet::MemoryConfig, [&](Sheet& sheet) {
        EXPECT_EQ(sheet.pageId(), "133");
        EXPECT_EQ(sheet.buttons(), "bF");
        EXPECT_FALSE(sheet.enabled(2000) || sheet.enabled(1008));
        sheet.finish();
    }));
    EXPECT_EQ(BoxTexts(), QStringList{".COD filename was empty.\nDid not upload."});

    ChooseLabInEngine(monitor::LoadStore, "loadstore.lbl");
    EXPECT_TRUE(Run(WizardSheet::MemoryConfig, [&](Sheet& sheet) {
        EXPECT_TRUE(sheet.enabled(2000) && sheet.enabled(1008));
        sheet.cancel();
    }));
    EXPECT_TRUE(BoxTexts().isEmpty());
}

// A hook answers in the sheet's place, on a wizard made fresh for the showing; print mode
// cancels the sheet without showing it.
TEST_F(WizardTest, HookAndPrintModeAnswerWithoutShowingTheSheet) {
    ChooseLabInEngine(monitor::LoadStore, "loadstore.lbl");
    monitor->wizard().lab = monitor::ReadWrite;
    std::vector<WizardSheet> asked;
    SetWizardHook([&](monitor::HardwareMonitor& hooked, WizardSheet sheet) {
        EXPECT_EQ(&hooked, monitor.get());
        EXPECT_EQ(hooked.wizard().lab, monitor::SimpleSlave);
        asked.push_back(sheet);
    });
    EXPECT_FALSE(Run(WizardSheet::MemoryConfig, [](Sheet&) {}));
    EXPECT_FALSE(Run(WizardSheet::Full, [](Sheet&) {}));
    EXPECT_EQ(asked, (std::vector<WizardSheet>{WizardSheet::MemoryConfig, WizardSheet::Full}));
    EXPECT_TRUE(BoxTexts().isEmpty()) << "the hook ends the sheet itself";
    SetWizardHook({});

    qputenv("VORN_BOXES", "print");
    const bool shownMemory = Run(WizardSheet::MemoryConfig, [](Sheet&) {});
    const bool shownFull = Run(WizardSheet::Full, [](Sheet&) {});
    qunsetenv("VORN_BOXES");
    EXPECT_FALSE(shownMemory || shownFull);
    EXPECT_EQ(BoxTexts(), QStringList{"Wizard was not completed.\nPlease rerun wizard."});
    EXPECT_FALSE(monitor->form().Visible(control::Step));
}

using WizardDeathTest = WizardTest;

// Next with no lab checked shows its box with no owner and ends the process with code 0.
TEST_F(WizardDeathTest, NoLabCheckedAtNextEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SetMessageBoxHook([](const BoxRequest& request) {
                std::fprintf(stderr, "box%s: %s | %s\n", request.owner ? " owned" : "",
                             request.caption.toLocal8Bit().constData(),
                             request.text.toLocal8Bit().constData());
                return true;
            });
            Run(WizardSheet::Full, [](Sheet& sheet) {
                for (int lab = 0; lab < 4; ++lab) {
                    sheet.control<QRadioButton>(1000 + lab)->setAutoExclusive(false);
                    sheet.control<QRadioButton>(1000 + lab)->setChecked(false);
                }
                sheet.next();
            });
            std::fprintf(stderr, "the process went on\n");
        },
        ::testing::ExitedWithCode(0), "box: VORN \\| Error - no lab selected\\. REPORT TO ZUVO\\.");
}

// Every page's controls lie inside the page and show their whole texts.
TEST_F(WizardTest, EveryPageShowsItsControlsWhole) {
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
        sheet.chooseLab(monitor::LoadStore);
        for (int n = 1; n <= 4; ++n) {
            SCOPED_TRACE(n);
            if (n == 2) {
                sheet.insert(1010, "COMMAND", "42");
                sheet.insert(1011, "clk", "1f");
                sheet.insert(1012, "counter", "3fff");
                sheet.type(1014, "0x00000000");
            }
            for (QWidget* child :
                 sheet.page()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                const std::string id = child->objectName().toStdString();
                EXPECT_TRUE(sheet.page()->rect().contains(child->geometry())) << id;
                const auto* label = qobject_cast<QLabel*>(child);
                if (label && label->wordWrap()) {
                    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << id;
                } else if (label || qobject_cast<QAbstractButton*>(child)) {
                    EXPECT_LE(child->sizeHint().width(), child->width()) << id;
                }
            }
            if (n < 4) sheet.next();
        }
        BoxTexts();
        sheet.cancel();
    }));
}

} // namespace
