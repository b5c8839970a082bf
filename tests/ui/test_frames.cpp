// The main frame, its document kinds, the New chooser and the application's own commands.

#include "ui/app/CMainFrame.h"
#include "ui/app/CVORNb1App.h"
#include "ui/app/DocumentViews.h"
#include "ui/app/Resources.h"
#include "ui/app/Workbench.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/NewDocumentChooser.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <gtest/gtest.h>

using namespace vorn::ui;

namespace {

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
    }
    CVORNb1App app;
    CMainFrame frame;
    QStringList boxes;
};

} // namespace

TEST_F(FrameTest, NewListsTheThreeKindsInOrderAndEachOpensMaximised) {
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
}

TEST_F(FrameTest, CancellingNewLeavesTheEmptyFrameWithItsMenu) {
    SetNewChooserHook([](const QStringList&) { return std::optional<int>{}; });
    EXPECT_FALSE(frame.fileNew());
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    QStringList menus;
    for (QAction* action : frame.menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&View", "&Help"}));
    EXPECT_EQ(frame.windowTitle(), "VORN b3");
    EXPECT_EQ(frame.message(), "Ready");
}

TEST_F(FrameTest, CommandsXmlVersionReachesTheApplicationFromAnyWindow) {
    TheWorkbench().commandsXmlVersion = "XML file date: Wed 5/3/2014 10:7:09\n";
    SetNewChooserHook([](const QStringList&) { return std::optional<int>{1}; });
    frame.fileNew();
    frame.routeCommand(ID_COMMANDS_XML_VERSION);
    EXPECT_EQ(boxes, QStringList{QStringLiteral(
                         "BOX commands.xml version | XML file date: Wed 5/3/2014 10:7:09\\n")});
}

TEST_F(FrameTest, MenuItemsWithoutAHandlerAreDisabled) {
    EXPECT_TRUE(frame.routeCommandUi(ID_APP_ABOUT).enabled);
    EXPECT_TRUE(frame.routeCommandUi(ID_COMMANDS_XML_VERSION).enabled);
    EXPECT_FALSE(frame.routeCommandUi(ID_FILE_CLOSE).enabled);
    EXPECT_FALSE(frame.routeCommandUi(ID_VIEW_TOOLBAR).enabled);
    EXPECT_FALSE(frame.routeCommandUi(ID_SIMULATOR_STEP).enabled);
    SetNewChooserHook([](const QStringList&) { return std::optional<int>{0}; });
    frame.fileNew();
    EXPECT_TRUE(frame.routeCommandUi(ID_FILE_CLOSE).enabled);
}

TEST(MainFrameLifetime, ClosesWithVisibleChildren) {
    CVORNb1App app;
    auto frame = std::make_unique<CMainFrame>(&app);
    frame->registerTemplate(CompilerTemplate());
    frame->registerTemplate(SimulatorTemplate());
    frame->show();
    frame->newDocument(frame->templates()[0]);
    frame->newDocument(frame->templates()[1]);
    frame.reset(); // must not touch the frame while its children go
    SUCCEED();
}

namespace {
// A view that fills the spare status-bar pane.
class LineView : public QWidget, public CommandTarget {
  public:
    bool onCommand(int) override { return false; }
    std::optional<CommandUi> commandUi(int id) const override {
        if (id != ID_INDICATOR_SPARE) return std::nullopt;
        return CommandUi{true, false, "Line: 7"};
    }
};
} // namespace

TEST_F(FrameTest, TheActiveViewFillsTheSparePane) {
    EXPECT_EQ(frame.indicatorText(), QString());
    DocumentTemplate kind{1, "\nLines\nLines", {}, [](const QString&) { return new LineView; }};
    frame.newDocument(kind);
    EXPECT_EQ(frame.indicatorText(), "Line: 7");
    frame.mdiArea()->currentSubWindow()->close();
    frame.refreshIndicator();
    EXPECT_EQ(frame.indicatorText(), QString());
}
