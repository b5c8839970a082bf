// The configuration wizard's sheet: a Hardware Monitor engine on the emulated board behind it,
// boxes and file dialogs answered by their hooks, the modal sheet driven by a timer once shown.

#include "../monitor/MonitorFixture.h" // the monitor engine tests' fakes
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
            boxes << request.text;
            return request.buttons == BoxButtons::Ok; // No to every question
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
        fileAnswers.clear(); // a load over earlier labels was refused
    }

    QStringList BoxTexts() { return std::exchange(boxes, {}); }
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
    vorn::testing::FakeClock clock;
    vorn::testing::FakeProcessRunner processes;
    vorn::testing::FakeHost host;
    std::unique_ptr<monitor::HardwareMonitor> monitor;
    QStringList boxes;
    std::vector<std::pair<FileDialogMode, QString>> fileDialogs;
    std::deque<std::optional<QString>> fileAnswers;
};

// Each lab offers its label kinds and start fields on the labels page and the .cod path on the
// memory page, and the monitor shows its panels after Finish. Each showing starts on the first
// lab, whatever was chosen before; Back keeps the chosen lab on its page.
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
            sheet.back();
            EXPECT_TRUE(sheet.checked(1000 + lab));
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
            sheet.next();

            ASSERT_EQ(sheet.pageId(), "133");
            EXPECT_EQ(sheet.buttons(), "BF");
            EXPECT_EQ(sheet.enabled(2000), memory);
            EXPECT_EQ(sheet.enabled(1008), memory);
            sheet.finish();
        }));
        EXPECT_EQ(monitor->form().Visible(control::SignalWaveforms), graphic);
        EXPECT_EQ(monitor->form().Visible(control::DumpGroup), memory);
        EXPECT_EQ(monitor->form().Visible(control::CommandGroup), lab == monitor::LoadStore);
        EXPECT_TRUE(BoxTexts().isEmpty());
    }
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) { sheet.cancel(); }));
    EXPECT_EQ(BoxTexts(), QStringList{"Wizard was not completed.\nPlease rerun wizard."});
}

// Typing, inserting, selecting, editing and deleting on the labels page reach the engine, and
// the lists show its model; a start field checked at Next shows its aligned value.
TEST_F(WizardTest, LabelsEditedThroughTheWidgetsReachTheListsAndTheMonitor) {
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
        sheet.chooseLab(monitor::LoadStore);
        sheet.next();
        sheet.insert(1010, "PC", "40");
        sheet.insert(1010, "STATUS", "0x41");
        sheet.insert(1011, "bit3", "3");
        sheet.insert(1012, "buf", "100");
        sheet.insert(1010, "9lives", "1");
        EXPECT_EQ(sheet.lines(1003), (QStringList{"PC@0x40", "STATUS@0x41"}));
        EXPECT_EQ(sheet.lines(1004), QStringList{"bit3@0x3"});
        EXPECT_EQ(sheet.lines(1005), QStringList{"buf@0x100"});
        EXPECT_EQ(BoxTexts(), QStringList{"Label name must start with a letter!"});

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

        sheet.type(1014, "45");
        sheet.type(1015, "0x20");
        sheet.next();
        EXPECT_EQ(BoxTexts(), QStringList{"CPU RAM address has been aligned to 0x40."});
        sheet.back();
        EXPECT_EQ(sheet.text(1014), "0x00000040");
        sheet.next();
        sheet.next();
        sheet.finish();
    }));
    EXPECT_EQ(SlaveNames(), std::vector<std::string>{"PC"});
    EXPECT_EQ(monitor->labels().Find(LabelKind::Slave, "PC"), settings.SLAVEbase + 0x44);
    EXPECT_EQ(monitor->labels().Find(LabelKind::Graphic, "bit3"), 3u);
    EXPECT_EQ(monitor->labels().Find(LabelKind::Memory, "buf"), 0x100u);
    EXPECT_EQ(monitor->cpuRamAddress(), settings.SLAVEbase + 0x40);
    EXPECT_EQ(monitor->laRamAddress(), settings.SLAVEbase + 0x20);
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

// Labels saved from the page through the save dialog come back by a load through the open
// dialog, in their order and with the start fields.
TEST_F(WizardTest, LabelFilesSaveAndLoadThroughTheFileDialogs) {
    const std::string saved = directory.file("lab3");
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
        sheet.chooseLab(monitor::LoadStore);
        sheet.next();
        sheet.insert(1010, "STATUS", "41");
        sheet.insert(1010, "PC", "40");
        sheet.insert(1011, "clk", "0");
        sheet.type(1014, "0x00000000");
        fileAnswers.push_back(QString::fromStdString(saved));
        sheet.click(1025);
        ASSERT_EQ(fileDialogs.size(), 1u);
        EXPECT_EQ(fileDialogs[0].first, FileDialogMode::Save);
        EXPECT_EQ(fileDialogs[0].second, "LBL Files (*.lbl *.LBL);;All Files (*.*)");
        EXPECT_EQ(ReadFile(saved + ".lbl"),
                  "0x00000000\r\n\r\n2\r\nSTATUS\r\n41\r\nPC\r\n40\r\n1\r\nclk\r\n0\r\n0\r\n");

        sheet.click(1018);
        sheet.type(1014, {});
        BoxTexts();
        fileAnswers.push_back(QString::fromStdString(saved + ".lbl"));
        sheet.click(1026);
        EXPECT_EQ(fileDialogs.at(1).first, FileDialogMode::Open);
        EXPECT_EQ(sheet.lines(1003), (QStringList{"STATUS@0x41", "PC@0x40"}));
        EXPECT_EQ(sheet.lines(1004), QStringList{"clk@0x0"});
        EXPECT_EQ(sheet.text(1014), "0x00000000");
        sheet.cancel();
    }));
}

// Labels Config shows the labels page alone with the monitor's labels and start addresses;
// Finish hands the page's labels to the monitor, Cancel puts the monitor's back into the page.
TEST_F(WizardTest, LabelsConfigAloneEditsTheMonitorsLabels) {
    ChooseLabInEngine(monitor::LoadStore, "loadstore.lbl");
    EXPECT_TRUE(Run(WizardSheet::LabelsConfig, [&](Sheet& sheet) {
        ASSERT_EQ(sheet.stack()->count(), 1);
        EXPECT_EQ(sheet.pageId(), "131");
        EXPECT_EQ(sheet.buttons(), "bF");
        EXPECT_EQ(sheet.lines(1003), (QStringList{"PC@0x40", "STATUS@0x41", "COMMAND@0x42"}));
        EXPECT_EQ(sheet.text(1015), "0x00000020");
        sheet.select(1003, 2);
        sheet.click(1008);
        sheet.cancel();
    }));
    EXPECT_TRUE(Run(WizardSheet::LabelsConfig, [&](Sheet& sheet) {
        EXPECT_EQ(sheet.lines(1003).size(), 3) << "the cancelled delete is undone";
        sheet.select(1003, 1);
        sheet.click(1008);
        sheet.finish();
    }));
    EXPECT_EQ(SlaveNames(), (std::vector<std::string>{"PC", "COMMAND"}));
}

// The FPGA page alone: Browse fills the path (with the default extension), Finish runs the
// loader on it, and without configureBit the path is fixed.
TEST_F(WizardTest, FpgaConfigBrowsesAndRunsTheLoader) {
    ChooseLabInEngine(monitor::LoadStore, "loadstore.lbl");
    EXPECT_TRUE(Run(WizardSheet::FpgaConfig, [&](Sheet& sheet) {
        ASSERT_EQ(sheet.stack()->count(), 1);
        EXPECT_EQ(sheet.pageId(), "132");
        EXPECT_EQ(sheet.buttons(), "bF");
        fileAnswers.push_back("/designs/counter");
        sheet.click(1008);
        EXPECT_EQ(sheet.text(2000), "/designs/counter.bit");
        sheet.finish();
    }));
    ASSERT_EQ(processes.calls.size(), 1u);
    EXPECT_EQ(processes.calls[0].arguments.back(), "/designs/counter.bit");

    settings.configureBit = false;
    EXPECT_TRUE(Run(WizardSheet::FpgaConfig, [&](Sheet& sheet) {
        EXPECT_FALSE(sheet.enabled(2000) || sheet.enabled(1008));
        sheet.finish();
    }));
    EXPECT_EQ(processes.calls.size(), 2u);
}

// The memory page alone offers its path only with memory labels.
TEST_F(WizardTest, MemoryConfigFollowsTheLab) {
    for (const auto& [lab, file] :
         {std::pair{monitor::SimpleSlave, "slave.lbl"}, {monitor::LoadStore, "loadstore.lbl"}}) {
        ChooseLabInEngine(lab, file);
        EXPECT_TRUE(Run(WizardSheet::MemoryConfig, [&](Sheet& sheet) {
            EXPECT_EQ(sheet.pageId(), "133");
            EXPECT_EQ(sheet.buttons(), "bF");
            EXPECT_EQ(sheet.enabled(2000) && sheet.enabled(1008), lab == monitor::LoadStore);
            sheet.finish();
        }));
        EXPECT_EQ(BoxTexts(), QStringList{".COD filename was empty.\nDid not upload."});
    }
}

// Print mode cancels the sheet without showing it.
TEST_F(WizardTest, PrintModeCancelsWithoutShowingTheSheet) {
    qputenv("VORN_BOXES", "print");
    const bool shown = Run(WizardSheet::Full, [](Sheet&) {});
    qunsetenv("VORN_BOXES");
    EXPECT_FALSE(shown);
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
