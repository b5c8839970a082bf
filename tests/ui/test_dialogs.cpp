// The dialog units, the value prompts and the memory dump dialog, answered by timers while they
// are modal.

#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "isa/MachineState.h"
#include "ui/app/CAboutDlg.h"
#include "ui/dialogs/Dialog2Values.h"
#include "ui/dialogs/DialogMemDump.h"
#include "ui/dialogs/DialogTrace.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MessageBox.h"
#include "ui/simulator/SimulatorResources.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace vorn::ui;

// Windows takes a dialog's base units from its font: the rounded average width of the letters
// A-Z and a-z, and the font's height (DejaVu Sans 8 is a font where that differs from the
// average of all its characters).
TEST(DialogUnits, ComeFromTheFontsLettersAndShowEveryTextWhole) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    EXPECT_EQ(DialogUnits(font).x(4), 7);
    EXPECT_EQ(DialogUnits(font).y(8), 13);

    CAboutDlg about;
    for (const QLabel* label : about.findChildren<QLabel*>())
        for (const QString& line : label->text().split('\n'))
            EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->width()) << line.toStdString();

    // As on Windows, a group's frame runs through the middle of its title, at the top of its
    // rectangle, so that it never crosses the first row of the controls it holds.
    QWidget form;
    BuildControls(&form, SimulatorFormTemplate());
    for (QGroupBox* box : form.findChildren<QGroupBox*>()) {
        const QImage look = box->grab().toImage();
        const int x = box->width() * 3 / 4;
        int line = 0;
        while (line < look.height() && look.pixel(x, line) == look.pixel(x, 0))
            ++line;
        EXPECT_LE(line, box->fontMetrics().height() / 2 + 1) << box->title().toStdString();
    }
}

// Each prompt starts on its first field, shows its prompt from the first character; OK takes the
// texts, Cancel keeps the preset values.
TEST(ValueDialogs, StartOnTheFirstFieldAndOnlyOkTakesTheTexts) {
    DialogTrace one;
    one.prompt = "Enter PC stop address:";
    one.label = "Address:";
    one.value = "0x10";
    QTimer::singleShot(0, &one, [&] {
        EXPECT_EQ(one.focusWidget(), one.control<QLineEdit>(2000));
        EXPECT_EQ(one.control<QLineEdit>(2002)->text(), "Enter PC stop address:");
        EXPECT_TRUE(one.control<QLineEdit>(2003)->isReadOnly());
        one.control<QLineEdit>(2000)->setText("0x20");
        one.control<QPushButton>(IDOK)->click();
    });
    EXPECT_EQ(one.exec(), QDialog::Accepted);
    EXPECT_EQ(one.value, "0x20");

    Dialog2Values two;
    two.firstValue = "1";
    two.secondValue = "2";
    two.prompt = "Enter memory address and stop value:";
    QTimer::singleShot(0, &two, [&] {
        EXPECT_EQ(two.focusWidget(), two.control<QLineEdit>(2000));
        EXPECT_EQ(two.control<QLineEdit>(2002)->cursorPosition(), 0);
        two.control<QLineEdit>(2000)->setText("7");
        two.control<QLineEdit>(2001)->setText("8");
        two.control<QPushButton>(IDCANCEL)->click();
    });
    EXPECT_EQ(two.exec(), QDialog::Rejected);
    EXPECT_EQ(two.firstValue + two.secondValue, "12");
}

// The simulator's window lists a range through this dialog; here its Save button writes the file
// or reports one that cannot be written.
TEST(MemoryDumpDialog, SavesItsFileOrReportsOneThatCannotBeWritten) {
    vorn::isa::InstructionSet set;
    vorn::testing::ScriptedPrompter prompter;
    vorn::isa::MachineState machine(set, prompter);
    machine.WriteMemory(17, 5);
    machine.WriteMemory(18, -1);
    vorn::testing::TempDir dir;
    QStringList paths{QString::fromStdString(dir.file("dump.txt")),
                      QString::fromStdString(dir.file("no/dump.txt"))};
    SetFileChooserHook([&](FileDialogMode mode, const QString&) -> std::optional<QString> {
        EXPECT_EQ(mode, FileDialogMode::Save);
        return paths.takeFirst();
    });
    QStringList boxes;
    SetMessageBoxHook([&](const BoxRequest& box) {
        boxes << box.text;
        return true;
    });
    DialogMemDump dialog(machine);
    dialog.first = 16;
    dialog.last = 18;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.control<QPushButton>(1008)->click();
        dialog.control<QPushButton>(1008)->click();
        dialog.reject();
    });
    dialog.exec();
    SetFileChooserHook({});
    SetMessageBoxHook({});
    EXPECT_EQ(vorn::testing::ReadFile(dir.file("dump.txt")),
              "Dump\r\n0x10  0x0\r\n0x11  0x5\r\n0x12  0xffffffff\r\n");
    EXPECT_EQ(boxes.size(), 1);
}
