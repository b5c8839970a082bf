// The configuration wizard's sheet over the monitor engine tests' engine on the emulated board,
// the modal sheet driven by a timer once shown. The engine's page rules are proven by the monitor
// tests; these prove that the sheet's buttons and each page's controls reach them and show them.

#include "../monitor/MonitorFixture.h"
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
#include <cstdlib>
#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::ui;
using monitor::LabelKind;
namespace control = monitor::control;

namespace {

// The open sheet as the user sees it: the current page's controls by id, and the sheet's buttons.
class Sheet {
  public:
    explicit Sheet(QDialog& dialog) : dialog_(dialog) {}

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
    bool enabled(int id) const { return page()->findChild<QWidget*>(QString::number(id))->isEnabled(); }
    void type(int edit, const QString& text) const { control<QLineEdit>(edit)->setText(text); }
    QString text(int edit) const { return control<QLineEdit>(edit)->text(); }
    QStringList lines(int list) const {
        QStringList lines;
        for (int row = 0; row < control<QListWidget>(list)->count(); ++row)
            lines << control<QListWidget>(list)->item(row)->text();
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

  private:
    QDialog& dialog_;
};

class WizardTest : public vorn::testing::MonitorTest {
  protected:
    using Texts = std::vector<std::string>;
    WizardTest() { MakeMonitor(); }

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
};

// Each lab offers its label kinds and start fields on the labels page and the .cod path on the
// memory page, and the monitor shows its panels after Finish; Back keeps the chosen lab on its
// page. A cancelled sheet, or one in print mode (never shown), ends the wizard unfinished.
TEST_F(WizardTest, EachLabOffersItsFieldsPagesAndPanels) {
    for (int lab : {monitor::LoadStore, monitor::SimpleSlave, monitor::SelfMonitoring, monitor::ReadWrite}) {
        SCOPED_TRACE(lab);
        const bool graphic = lab != monitor::SimpleSlave;
        const bool memory = lab == monitor::ReadWrite || lab == monitor::LoadStore;
        EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
            ASSERT_EQ(sheet.stack()->count(), 4);
            EXPECT_EQ(sheet.pageId(), "130");
            EXPECT_TRUE(sheet.checked(1000));
            EXPECT_EQ(sheet.buttons(), "bN");
            sheet.control<QRadioButton>(1000 + lab)->click();
            sheet.next();
            sheet.back();
            EXPECT_TRUE(sheet.checked(1000 + lab));
            sheet.next();
            ASSERT_EQ(sheet.pageId(), "131");
            EXPECT_EQ(sheet.buttons(), "BN");
            for (int id : {1004, 1016, 1011, 1015})
                EXPECT_EQ(sheet.enabled(id), graphic) << id;
            for (int id : {1005, 1024, 1012})
                EXPECT_EQ(sheet.enabled(id), memory) << id;
            sheet.next();
            EXPECT_EQ(TakeBoxes().size(), graphic ? 2u : 1u) << "the unset start addresses";
            ASSERT_EQ(sheet.pageId(), "132");
            sheet.next();
            ASSERT_EQ(sheet.pageId(), "133");
            EXPECT_EQ(sheet.buttons(), "BF");
            EXPECT_EQ(sheet.enabled(2000) && sheet.enabled(1008), memory);
            sheet.finish();
        }));
        EXPECT_EQ(monitor->form().Visible(control::SignalWaveforms), graphic);
        EXPECT_EQ(monitor->form().Visible(control::DumpGroup), memory);
    }
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) { sheet.cancel(); }));
    qputenv("VORN_BOXES", "print");
    EXPECT_FALSE(Run(WizardSheet::Full, [](Sheet&) {}));
    qunsetenv("VORN_BOXES");
    EXPECT_EQ(TakeBoxes(), Texts(2, "Wizard was not completed.\nPlease rerun wizard."));
    EXPECT_FALSE(monitor->form().Visible(control::Step));
}

// Typing, inserting, selecting, editing and deleting on the labels page reach the engine and the
// lists show its model; Next checks the start fields as typed last, with no other command
// between, and the page then shows the aligned values.
TEST_F(WizardTest, LabelsEditedThroughTheWidgetsReachTheListsAndNextTakesTheStartFields) {
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
        sheet.control<QRadioButton>(1003)->click();
        sheet.next();
        sheet.insert(1010, "PC", "40");
        sheet.insert(1010, "STATUS", "0x41");
        sheet.insert(1011, "bit3", "3");
        sheet.insert(1012, "buf", "100");
        EXPECT_EQ(sheet.lines(1003), (QStringList{"PC@0x40", "STATUS@0x41"}));
        EXPECT_EQ(sheet.lines(1004), QStringList{"bit3@0x3"});
        EXPECT_EQ(sheet.lines(1005), QStringList{"buf@0x100"});

        // Selecting a line fills the fields and the kind, and takes the other lists' selection.
        sheet.select(1004, 0);
        sheet.select(1003, 0);
        EXPECT_TRUE(sheet.control<QListWidget>(1004)->selectedItems().isEmpty());
        EXPECT_EQ(sheet.text(2000), "PC");
        EXPECT_EQ(sheet.text(2001), "0x40");
        EXPECT_TRUE(sheet.checked(1010));
        sheet.type(2001, "44"); // the selected label's own name edits it in place
        sheet.click(1009);
        EXPECT_EQ(sheet.lines(1003), (QStringList{"PC@0x44", "STATUS@0x41"}));
        sheet.click(1008); // nothing selected
        sheet.select(1003, 1);
        sheet.click(1008);
        EXPECT_EQ(sheet.lines(1003), QStringList{"PC@0x44"});

        TakeBoxes();
        sheet.type(1014, "0x55");
        sheet.type(1015, "3f");
        sheet.next();
        EXPECT_EQ(TakeBoxes(), (Texts{"CPU RAM address has been aligned to 0x40.",
                                      "LA RAM address has been aligned to 0x20."}));
        sheet.back();
        EXPECT_EQ(sheet.text(1015), "0x00000020");
        sheet.next();
        sheet.next();
        sheet.finish();
    }));
    EXPECT_EQ(monitor->cpuRamAddress(), settings.SLAVEbase + 0x40);
}

// The labels and the start fields go to a file and come back through the file dialogs; "Clear
// All Labels" empties the lists and deletes what is selected in each field, also in the fields
// that have lost the focus since.
TEST_F(WizardTest, LabelsGoToAFileAndComeBack) {
    const std::string saved = directory.file("lab3");
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
        sheet.control<QRadioButton>(1003)->click();
        sheet.next();
        sheet.insert(1010, "PC", "44");
        sheet.type(1014, "0x00000055");
        sheet.type(1015, "0x20");
        prompter.fileAnswers = {saved, saved + ".lbl"};
        sheet.click(1025);
        sheet.type(2000, "abc");
        sheet.page()->window()->activateWindow();
        QApplication::processEvents();
        sheet.control<QLineEdit>(1014)->setFocus();
        sheet.control<QLineEdit>(1014)->selectAll();
        sheet.control<QLineEdit>(2000)->setFocus();
        sheet.control<QLineEdit>(2000)->setSelection(1, 1);
        sheet.control<QLineEdit>(1015)->setFocus();
        ASSERT_TRUE(sheet.control<QLineEdit>(1015)->hasFocus()) << "the sheet did not take the focus";
        sheet.click(1018);
        EXPECT_EQ(sheet.text(1014), QString());
        EXPECT_EQ(sheet.text(2000), "ac");
        EXPECT_EQ(sheet.text(1015), "0x20");
        EXPECT_TRUE(sheet.lines(1003).isEmpty());
        sheet.click(1026);
        EXPECT_EQ(sheet.lines(1003), QStringList{"PC@0x44"});
        EXPECT_EQ(sheet.text(1014), "0x00000055");
    }));
}

// Each page alone: Labels Config shows the monitor's labels and Finish hands the page's back;
// the FPGA page's Browse fills the path (with the default extension) and Finish runs the loader
// on the path typed last; a page's path is offered only where the engine allows it.
TEST_F(WizardTest, EachPageAloneShowsAndHandsBackTheMonitorsSettings) {
    LoadStoreLab();
    EXPECT_TRUE(Run(WizardSheet::LabelsConfig, [&](Sheet& sheet) {
        ASSERT_EQ(sheet.stack()->count(), 1);
        EXPECT_EQ(sheet.pageId(), "131");
        EXPECT_EQ(sheet.buttons(), "bF");
        EXPECT_EQ(sheet.lines(1003), (QStringList{"PC@0x40", "STATUS@0x41", "COMMAND@0x42"}));
        EXPECT_EQ(sheet.text(1015), "0x00000020");
        sheet.select(1003, 1);
        sheet.click(1008);
        sheet.finish();
    }));
    EXPECT_FALSE(monitor->labels().Find(LabelKind::Slave, "STATUS").has_value());

    EXPECT_TRUE(Run(WizardSheet::FpgaConfig, [&](Sheet& sheet) {
        EXPECT_EQ(sheet.pageId(), "132");
        prompter.fileAnswers.push_back("/designs/counter");
        sheet.click(1008);
        EXPECT_EQ(sheet.text(2000), "/designs/counter.bit");
        sheet.type(2000, "/designs/other.bit");
        sheet.finish();
    }));
    ASSERT_EQ(processes.calls.size(), 1u);
    EXPECT_EQ(processes.calls[0].arguments.back(), "/designs/other.bit");

    EXPECT_TRUE(Run(WizardSheet::MemoryConfig, [&](Sheet& sheet) {
        EXPECT_EQ(sheet.pageId(), "133");
        EXPECT_TRUE(sheet.enabled(2000) && sheet.enabled(1008));
        sheet.finish();
    }));
    EXPECT_EQ(TakeBoxes().back(), ".COD filename was empty.\nDid not upload.");
}

using WizardDeathTest = WizardTest;

// Next with no lab checked shows its box with no owner and ends the process with code 0.
TEST_F(WizardDeathTest, NoLabCheckedAtNextEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    SetMessageBoxHook([](const BoxRequest& box) {
        std::fprintf(stderr, "box%s: %s | %s\n", box.owner ? " owned" : "", qPrintable(box.caption),
                     qPrintable(box.text));
        return true;
    });
    const auto noLab = [](Sheet& sheet) {
        sheet.control<QRadioButton>(1000)->setAutoExclusive(false); // the lab each showing starts on
        sheet.control<QRadioButton>(1000)->setChecked(false);
        sheet.next();
    };
    // The child ends without unwinding: its own temporary folder goes at its exit.
    static std::filesystem::path childFolder;
    childFolder = directory.path();
    const auto runInChild = [&] {
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(childFolder, ignored);
        });
        Run(WizardSheet::Full, noLab);
    };
    EXPECT_EXIT(runInChild(), ::testing::ExitedWithCode(0),
                "box: VORN \\| Error - no lab selected\\. REPORT TO ZUVO\\.");
    SetMessageBoxHook({});
}

// Every page's controls lie inside the page and show their whole texts.
TEST_F(WizardTest, EveryPageShowsItsControlsWhole) {
    EXPECT_TRUE(Run(WizardSheet::Full, [&](Sheet& sheet) {
        sheet.control<QRadioButton>(1003)->click();
        for (int n = 1; n <= 4; ++n) {
            SCOPED_TRACE(n);
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
    }));
}

} // namespace
