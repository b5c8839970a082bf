// Dialog units as Windows takes them from the dialog font, checked on the about box and the
// simulator's form. The value prompts and the memory dump dialog are tried in the simulator's
// window.

#include "ui/app/CAboutDlg.h"
#include "ui/simulator/SimulatorResources.h"

#include <QGroupBox>
#include <QLabel>
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
