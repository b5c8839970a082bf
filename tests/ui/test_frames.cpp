// The main frame, its document kinds, the New chooser and the application's own commands.

#include "TempDir.h"
#include "WorkingDirectory.h"
#include "ui/app/CAboutDlg.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CVORNb1App.h"
#include "ui/editor/CompilerTemplate.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/NewDocumentChooser.h"
#include "ui/monitor/MonitorTemplate.h"
#include "ui/shared/Resources.h"
#include "ui/shared/Workbench.h"
#include "ui/simulator/SimulatorTemplate.h"
#include "ui/waveform/CGraphView.h"
#include "ui/waveform/CGraphWnd.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace vorn::ui;

namespace {

// The frame works in a folder of its own: a Hardware Monitor starts its trace, in.log, in the
// working directory.
class FrameTest : public ::testing::Test {
  protected:
    FrameTest() : frame(&app) {
        frame.registerTemplate(CompilerTemplate());
        frame.registerTemplate(SimulatorTemplate());
        frame.registerTemplate(MonitorTemplate());
        SetMessageBoxHook([this](const BoxRequest& box) {
            boxes << BoxLine(box.caption, box.text);
            return true;
        });
    }
    ~FrameTest() override {
        SetMessageBoxHook({});
        SetNewChooserHook({});
        SetFileChooserHook({});
    }
    QString activeTitle() const { return frame.mdiArea()->currentSubWindow()->widget()->windowTitle(); }
    void showActive() {
        frame.show();
        QApplication::setActiveWindow(&frame);
        QApplication::processEvents();
    }
    vorn::testing::TempDir folder;
    vorn::testing::WorkingDirectory workingDirectory{folder.path()};
    CVORNb1App app;
    CMainFrame frame;
    QStringList boxes;
};

} // namespace

// Cancelled, New leaves the empty frame: its own menu, title and status, the menu items without
// a handler disabled. New lists the three kinds in order and each opens maximised.
TEST_F(FrameTest, NewOpensEachKindMaximisedAndCancelledLeavesTheEmptyFrame) {
    SetNewChooserHook([](const QStringList&) { return std::optional<int>{}; });
    EXPECT_FALSE(frame.fileNew());
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    QStringList menus;
    for (QAction* action : frame.menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&View", "&Help"}));
    EXPECT_EQ(frame.windowTitle(), "VORN b3");
    EXPECT_EQ(frame.message(), "Ready");
    for (const auto& [id, enabled] : {std::pair{int(ID_APP_ABOUT), true},
                                      {ID_COMMANDS_XML_VERSION, true},
                                      {ID_FILE_CLOSE, false},
                                      {ID_VIEW_TOOLBAR, false},
                                      {ID_SIMULATOR_STEP, false}})
        EXPECT_EQ(frame.routeCommandUi(id).enabled, enabled) << id;

    QStringList offered;
    int next = 0;
    SetNewChooserHook([&](const QStringList& names) -> std::optional<int> {
        offered = names;
        return next++;
    });
    const QStringList classes{"CTextEditor", "CSimGraphView", "CvornctrlView"};
    for (int kind = 0; kind < 3; ++kind) {
        ASSERT_TRUE(frame.fileNew());
        QMdiSubWindow* child = frame.mdiArea()->subWindowList().back();
        EXPECT_TRUE(child->isMaximized());
        EXPECT_EQ(child->widget()->objectName(), classes[kind]);
    }
    EXPECT_EQ(offered, (QStringList{"Compiler", "DLX Simulator", "Hardware Monitor"}));
    EXPECT_EQ(frame.mdiArea()->subWindowList()[0]->widget()->windowTitle(), "Compiler1");

    // The application's own command reaches it from a document's window.
    TheWorkbench().commandsXmlVersion = "XML file date: Wed 5/3/2014 10:7:09\n";
    EXPECT_TRUE(frame.routeCommandUi(ID_FILE_CLOSE).enabled);
    frame.routeCommand(ID_COMMANDS_XML_VERSION);
    EXPECT_EQ(boxes, QStringList{QStringLiteral(
                         "BOX commands.xml version | XML file date: Wed 5/3/2014 10:7:09\\n")});
}

// The Compiler's caret line fills the spare status-bar pane while its window is active.
TEST_F(FrameTest, TheActiveViewFillsTheSparePane) {
    EXPECT_EQ(frame.indicatorText(), QString());
    QMdiSubWindow* child = frame.newDocument(
        frame.templates()[0], QString::fromStdString(folder.write("three.s", "nop\nnop\nhalt")));
    EXPECT_EQ(frame.indicatorText(), "Line: 4"); // after the loaded text
    child->widget()->findChild<QPlainTextEdit*>()->moveCursor(QTextCursor::Start);
    EXPECT_EQ(frame.indicatorText(), "Line: 1");
    child->close();
    EXPECT_EQ(frame.indicatorText(), QString());
}

// A simulator state file, which nothing reads back, is refused whatever the case of its name.
TEST_F(FrameTest, OpenOffersTheFiltersOfTheKindsAndRefusesAStateFile) {
    QString offered;
    const QString state = QString::fromStdString(folder.write("STATE.SIM", "address\r\n"));
    SetFileChooserHook([&](FileDialogMode, const QString& filter) {
        offered = filter;
        return std::optional<QString>(state);
    });
    frame.routeCommand(ID_FILE_OPEN);
    EXPECT_EQ(offered, "Compiler Files (*.txt);;DLX Simulator Files (*.sim);;All Files (*.*)");
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(boxes.size() == 1 && boxes[0].startsWith("BOX VORN | " + state + "\\ncannot be opened as a"));
}

// New Window numbers the windows of one document without counting a new document; the Window
// menu lists every window, numbered, the active one checked, and activates the one chosen;
// Ctrl+F6 and Ctrl+Tab go to the next.
TEST_F(FrameTest, WindowsAreNumberedListedAndSwitched) {
    frame.newDocument(frame.templates()[0]);
    frame.newDocument(frame.templates()[1]);
    frame.routeCommand(ID_WINDOW_NEW);
    EXPECT_EQ(activeTitle(), "DLX Simulator1:2");
    EXPECT_EQ(frame.mdiArea()->subWindowList()[1]->widget()->windowTitle(), "DLX Simulator1:1");
    EXPECT_EQ(frame.windowTitle(), "VORN b3 - [DLX Simulator1:2]");
    frame.newDocument(frame.templates()[1]);
    EXPECT_EQ(activeTitle(), "DLX Simulator2");

    QMenu* menu = frame.windowMenu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    emit menu->aboutToShow(); // listed once however often the menu opens
    QStringList entries;
    for (const QAction* action : menu->actions())
        if (action->text().startsWith('&') && action->text()[1].isDigit())
            entries << action->text() + (action->isChecked() ? "*" : "");
    EXPECT_EQ(entries, (QStringList{"&1 Compiler1", "&2 DLX Simulator1:1", "&3 DLX Simulator1:2",
                                    "&4 DLX Simulator2*"}));
    menu->actions()[menu->actions().size() - 3]->trigger();
    EXPECT_EQ(activeTitle(), "DLX Simulator1:1");

    showActive();
    QTest::keyClick(&frame, Qt::Key_F6, Qt::ControlModifier);
    EXPECT_NE(activeTitle(), "DLX Simulator1:1");
    const QString afterF6 = activeTitle();
    QTest::keyClick(&frame, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_NE(activeTitle(), afterF6);

    // With one window left, the document's title stands alone again.
    frame.mdiArea()->subWindowList()[2]->close();
    EXPECT_EQ(frame.mdiArea()->subWindowList()[1]->widget()->windowTitle(), "DLX Simulator1");
}

// The signal windows of the monitor stay in sight whatever the window commands do, and the
// frame names the active one alone.
TEST_F(FrameTest, SignalWindowsStayInSightAndTitleTheFrame) {
    showActive();
    frame.newDocument(frame.templates()[0]);
    auto* graph = new CGraphWnd(QStringLiteral("ACTIVE Signals Window"), frame.mdiArea());
    graph->show();
    frame.mdiArea()->setActiveSubWindow(graph);
    // A maximised child writes its title into the frame's as well; the frame keeps its own.
    frame.setWindowTitle("VORN b3 - [ACTIVE Signals Window] - [Compiler1]");
    EXPECT_EQ(frame.windowTitle(), "VORN b3 - [ACTIVE Signals Window]");
    for (const int command : {ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_CASCADE}) {
        frame.routeCommand(command);
        QApplication::processEvents();
        const QWidget* view = graph->view();
        const QPoint centre = view->mapTo(frame.mdiArea()->viewport(), view->rect().center());
        const QWidget* seen = frame.mdiArea()->viewport()->childAt(centre);
        EXPECT_TRUE(view->height() > 100 && graph->isAncestorOf(seen)) << command;
    }
}

namespace {
// A view whose menu shows Print with Ctrl+P; it prints while printing is enabled.
class PrintView : public QWidget, public CommandTarget {
  public:
    bool onCommand(int id) override { return id == ID_FILE_PRINT && ++printed; }
    std::optional<CommandUi> commandUi(int id) const override {
        return id == ID_FILE_PRINT ? std::optional(CommandUi{enabled}) : std::nullopt;
    }
    int printed = 0;
    bool enabled = true;
};
} // namespace

TEST_F(FrameTest, CtrlPPrintsWhereTheMenuShowsItAndPrintingIsEnabled) {
    PrintView* view = nullptr;
    frame.registerTemplate(
        {1, "\nPrints", {{"&File", {{"&Print...\tCtrl+P", ID_FILE_PRINT}}}}, [&](const QString&) {
             return view = new PrintView;
         }});
    frame.newDocument(frame.templates().back());
    showActive();
    QTest::keyClick(&frame, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(view->printed, 1);
    view->enabled = false;
    QTest::keyClick(&frame, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(view->printed, 1);
}

// Windows takes a dialog's base units from its font: the rounded average width of the letters
// A-Z and a-z, and the font's height (DejaVu Sans 8 is a font where that differs from the
// average of all its characters). The about box shows every text whole.
TEST(DialogUnits, ComeFromTheFontsLettersAndShowEveryTextWhole) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    EXPECT_EQ(DialogUnits(font).x(4), 7);
    EXPECT_EQ(DialogUnits(font).y(8), 13);
    CAboutDlg about;
    for (const QLabel* label : about.findChildren<QLabel*>())
        for (const QString& line : label->text().split('\n'))
            EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->width()) << line.toStdString();
}
