// The waveform window: its life in the main frame, the toolbar and what enables it, mouse and
// keys on the view, the name dialog, files through the toolbar, and the printed page.

#include "TempDir.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MdiMainFrame.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/PrintJob.h"
#include "ui/waveform/CGraphView.h"
#include "ui/waveform/CGraphWnd.h"
#include "ui/waveform/CSignalNameDlg.h"
#include "ui/waveform/GraphToolbar.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace vorn;
using namespace vorn::ui;

namespace {

const QString kActive = QStringLiteral("ACTIVE Signals Window");
const QString kReference = QStringLiteral("REFERENCE Signals Window");

// At zoom level 1 the rows start 50 pixels down, 40 pixels apart; the names stand from x 50.
QPoint RowPoint(int row) {
    return {100, 50 + 40 * row + 20};
}

// Three signals of four steps: CLK is bit 0 (0101), EN bit 1 (0011), D7 bit 7 (0001).
const std::vector<uint32_t> kSamples{0x00, 0x01, 0x02, 0x83};
const std::vector<waveform::CapturedSignal> kSignals{{"CLK", 0}, {"EN", 1}, {"D7", 7}};

std::vector<std::string> RowNames(const CGraphWnd& window) {
    std::vector<std::string> names;
    for (const waveform::SignalRow& row : window.view()->model().rows())
        names.push_back(row.name);
    return names;
}

struct Buttons {
    bool combine, reverse, spread, changeName;
    bool operator==(const Buttons&) const = default;
};

void PrintTo(const Buttons& b, std::ostream* out) {
    *out << "combine " << b.combine << ", reverse " << b.reverse << ", spread " << b.spread
         << ", change name " << b.changeName;
}

Buttons Enabled(const CGraphWnd& window) {
    auto on = [&](int id) { return window.toolbar()->button(id)->isEnabled(); };
    return {on(ID_GRAPH_COMBINE), on(ID_GRAPH_REVERSE), on(ID_GRAPH_SPREAD), on(ID_GRAPH_CHANGE_NAME)};
}

bool AllWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
    return true;
}

// Answers the next modal dialog once it runs.
void WhenDialogRuns(std::function<void(CSignalNameDlg&)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
        auto* dialog = qobject_cast<CSignalNameDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

class WaveformWindow : public ::testing::Test {
  protected:
    WaveformWindow() : frame(QStringLiteral("VORN b3"), {}, {}, nullptr) {
        frame.show();
        SetMessageBoxHook([this](const BoxRequest& box) {
            boxes << box.text;
            return true;
        });
    }
    ~WaveformWindow() override {
        // The frame is not destroyed while it shows windows: its menu would follow the
        // activations that their hiding causes.
        frame.hide();
        SetMessageBoxHook({});
        SetFileChooserHook({});
    }

    CGraphWnd* Open(const QString& caption) {
        auto* window = new CGraphWnd(caption, frame.mdiArea());
        if (caption == kActive)
            window->HideOpenButton();
        else
            window->HideSaveButton();
        window->show();
        return window;
    }

    CGraphWnd* ActiveWithSignals() {
        CGraphWnd* window = Open(kActive);
        window->SetSignals(4, kSamples, kSignals);
        return window;
    }

    void Click(CGraphWnd* window, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* viewport = window->view()->viewport();
        QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, modifiers);
        QApplication::sendEvent(viewport, &press);
    }

    void Key(CGraphWnd* window, int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(window->view(), &press);
    }

    // Files chosen in the dialogs, one answer each; the filters asked with are kept.
    void AnswerFileDialogs(std::vector<QString> answers) {
        SetFileChooserHook([this, answers = std::move(answers), next = size_t{0}](
                               FileDialogMode mode, const QString& filter) mutable -> std::optional<QString> {
            fileDialogs << QStringLiteral("%1 %2").arg(mode == FileDialogMode::Open ? "open" : "save",
                                                       filter);
            if (next >= answers.size()) return std::nullopt;
            return answers[next++];
        });
    }

    MdiMainFrame frame;
    QStringList boxes;
    QStringList fileDialogs;
    vorn::testing::TempDir dir;
};

} // namespace

TEST_F(WaveformWindow, AReferenceWindowOpenedAndClosedWithoutAFileShowsOnlyItsToolbarAndABlankView) {
    CGraphWnd* window = Open(kReference);
    const GraphWndRef ref(window);
    EXPECT_EQ(window->windowTitle(), kReference);
    EXPECT_EQ(window->geometry(), QRect(100, 100, 750, 500));
    EXPECT_EQ(window->toolbar()->geometry().height(), 24);
    EXPECT_EQ(window->view()->geometry(),
              QRect(0, 24, window->widget()->width(), window->widget()->height() - 24));

    QStringList shown;
    for (QAction* action : window->toolbar()->actions())
        if (!action->isSeparator() && action->isVisible()) shown << action->toolTip();
    EXPECT_EQ(shown, (QStringList{QString(), "Combine", "Spread", "Reverse", "Zoom Out", "Zoom In",
                                  "Toggle Grid", "Change name or add notes", "Open"}));
    EXPECT_TRUE(AllWhite(window->view()->viewport()->grab().toImage()));

    EXPECT_FALSE(ref.isGone());
    window->close();
    // Gone from the close on, before the window is freed and after.
    EXPECT_TRUE(ref.isGone());
    EXPECT_EQ(ref.window(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ref.isGone());
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(WaveformWindow, AWindowFreedWithItsMainFrameIsGone) {
    GraphWndRef ref;
    EXPECT_TRUE(ref.isGone());
    {
        MdiMainFrame other(QStringLiteral("VORN b3"), {}, {}, nullptr);
        ref = GraphWndRef(new CGraphWnd(kActive, other.mdiArea()));
        EXPECT_NE(ref.window(), nullptr);
    }
    EXPECT_TRUE(ref.isGone());
}

TEST_F(WaveformWindow, AWindowOfTwentyFourPixelsOrLessLeavesTheViewNoArea) {
    CGraphWnd* window = ActiveWithSignals();
    QWidget* client = window->widget();
    const int frameHeight = window->height() - client->height();
    for (int clientHeight : {24, 10}) {
        window->resize(400, frameHeight + clientHeight);
        ASSERT_EQ(client->height(), clientHeight);
        EXPECT_EQ(window->view()->height(), 0);
        EXPECT_TRUE(window->view()->visibleRegion().isEmpty());
    }
    window->resize(400, frameHeight + 124);
    EXPECT_EQ(window->view()->geometry(), QRect(0, 24, client->width(), 100));
}

TEST_F(WaveformWindow, WithoutItsOpenButtonTheActiveWindowStillSavesTheCurrentSamples) {
    CGraphWnd* window = ActiveWithSignals();
    EXPECT_FALSE(window->toolbar()->button(ID_GRAPH_OPEN)->isVisible());
    const QString path = QString::fromStdString(dir.file("capture"));
    AnswerFileDialogs({path});
    window->toolbar()->button(ID_GRAPH_SAVE)->trigger();
    EXPECT_EQ(fileDialogs, QStringList{"save Waveform Files(*.wf)"});
    EXPECT_EQ(vorn::testing::ReadFile(path.toStdString() + ".wf"),
              ".NUMSIGNALS\r\n3\r\n.NUMSTEPS\r\n4\r\n.NOTES\r\n\r\n"
              ".SIGNALS\r\nCLK 0101\r\nEN 0011\r\nD7 0001\r\n");

    // A refill replaces what the next save writes.
    const std::vector<uint32_t> later{0x80};
    window->SetSignals(1, later, kSignals);
    AnswerFileDialogs({path + ".wf"});
    window->toolbar()->button(ID_GRAPH_SAVE)->trigger();
    EXPECT_EQ(vorn::testing::ReadFile(path.toStdString() + ".wf"),
              ".NUMSIGNALS\r\n3\r\n.NUMSTEPS\r\n1\r\n.NOTES\r\n\r\n.SIGNALS\r\nCLK 0\r\nEN 0\r\nD7 1\r\n");
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(WaveformWindow, AReferenceWindowOpensAFileAndRefusesABadOneWithoutChange) {
    CGraphWnd* window = Open(kReference);
    const std::string good =
        dir.write("good.wf", ".NUMSIGNALS\r\n2\r\n.NUMSTEPS\r\n3\r\n.NOTES\r\nfirst run\r\n"
                             ".SIGNALS\r\nA 011\r\nB 110\r\n");
    const std::string bad =
        dir.write("bad.wf", ".NUMSIGNALS\r\n2\r\n.NUMSTEPS\r\n3\r\n.NOTES\r\n\r\n.SIGNALS\r\nA 011");
    AnswerFileDialogs({QString::fromStdString(good), QString::fromStdString(bad)});
    window->toolbar()->button(ID_GRAPH_OPEN)->trigger();
    EXPECT_EQ(RowNames(*window), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(window->view()->model().notes(), "first run");
    EXPECT_FALSE(AllWhite(window->view()->viewport()->grab().toImage()));

    window->toolbar()->button(ID_GRAPH_OPEN)->trigger();
    EXPECT_EQ(RowNames(*window), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(fileDialogs, (QStringList{"open Waveform Files(*.wf)", "open Waveform Files(*.wf)"}));
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(WaveformWindow, TheButtonsFollowTheSelectionAfterEveryClickFillLoadAndEdit) {
    CGraphWnd* window = ActiveWithSignals();
    EXPECT_EQ(Enabled(*window), (Buttons{false, false, false, true}));
    Click(window, RowPoint(0));
    EXPECT_EQ(Enabled(*window), (Buttons{false, false, false, true}));
    Click(window, RowPoint(1), Qt::ControlModifier);
    EXPECT_EQ(Enabled(*window), (Buttons{true, false, false, false}));

    window->toolbar()->button(ID_GRAPH_COMBINE)->trigger();
    EXPECT_EQ(RowNames(*window), (std::vector<std::string>{"~CLK[0:1]", "D7"}));
    // The new bus is selected: it can be reversed, spread and renamed at once.
    EXPECT_EQ(Enabled(*window), (Buttons{false, true, true, true}));
    window->toolbar()->button(ID_GRAPH_SPREAD)->trigger();
    EXPECT_EQ(RowNames(*window), (std::vector<std::string>{"CLK", "EN", "D7"}));
    EXPECT_EQ(Enabled(*window), (Buttons{false, false, false, true}));

    Click(window, RowPoint(0));
    Click(window, RowPoint(2), Qt::ShiftModifier);
    EXPECT_EQ(Enabled(*window), (Buttons{true, false, false, false}));
    window->SetSignals(4, kSamples, kSignals);
    EXPECT_EQ(Enabled(*window), (Buttons{false, false, false, true}));

    Click(window, RowPoint(0));
    Click(window, RowPoint(1), Qt::ControlModifier);
    const QString path = QString::fromStdString(
        dir.write("one.wf", ".NUMSIGNALS\n1\n.NUMSTEPS\n1\n.NOTES\n\n.SIGNALS\nX 1\n"));
    AnswerFileDialogs({path});
    window->view()->OnCommand(ID_GRAPH_OPEN);
    EXPECT_EQ(Enabled(*window), (Buttons{false, false, false, true}));
}

TEST_F(WaveformWindow, ClicksCountFromTheScrolledPositionAndTheArrowKeysMoveRowsWithoutScrolling) {
    CGraphWnd* window = ActiveWithSignals();
    CGraphView* view = window->view();
    window->resize(300, 160);
    // Four steps and three rows at zoom level 1 make an extent of 500 by 220 pixels.
    EXPECT_EQ(view->verticalScrollBar()->maximum(), 220 - view->viewport()->height());
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 500 - view->viewport()->width());
    EXPECT_EQ(view->verticalScrollBar()->pageStep(), 220 / 3);
    EXPECT_EQ(view->verticalScrollBar()->singleStep(), 50);
    ASSERT_GE(view->verticalScrollBar()->maximum(), 80);

    view->verticalScrollBar()->setValue(80);
    Click(window, {100, 30}); // row 1 scrolled up to where the ruler was
    Key(window, Qt::Key_Down);
    EXPECT_EQ(RowNames(*window), (std::vector<std::string>{"CLK", "D7", "EN"}));
    EXPECT_TRUE(view->model().rows()[2].selected);
    Key(window, Qt::Key_Down); // the last row stays
    Key(window, Qt::Key_Up);
    Key(window, Qt::Key_Up);
    EXPECT_EQ(RowNames(*window), (std::vector<std::string>{"EN", "CLK", "D7"}));
    EXPECT_EQ(view->verticalScrollBar()->value(), 80);

    // Above the rows over the traces a click sets the marker and keeps the selection.
    view->verticalScrollBar()->setValue(0);
    Click(window, {260, 20});
    EXPECT_EQ(view->model().marker(), 260 + view->horizontalScrollBar()->value());
    EXPECT_EQ(view->model().selectedCount(), 1);

    // A zoom clears the marker and makes the extent larger.
    window->toolbar()->button(ID_GRAPH_ZOOM_IN)->trigger();
    EXPECT_EQ(view->model().marker(), -1);
    EXPECT_EQ(view->verticalScrollBar()->maximum(), 3 * 50 + 2 * 62 - view->viewport()->height());
}

TEST_F(WaveformWindow, TheNameDialogRenamesARowWithTheSignalsStemSelected) {
    CGraphWnd* window = ActiveWithSignals();
    Click(window, RowPoint(1));
    Click(window, RowPoint(2), Qt::ControlModifier);
    window->toolbar()->button(ID_GRAPH_COMBINE)->trigger();
    QString shown, selected, prompt, caption;
    WhenDialogRuns([&](CSignalNameDlg& dialog) {
        auto* edit = dialog.control<QLineEdit>(1007);
        shown = edit->text();
        selected = edit->selectedText();
        prompt = dialog.control<QLabel>(1011)->text();
        caption = dialog.windowTitle();
        EXPECT_EQ(dialog.focusWidget(), edit);
        edit->setText(QStringLiteral("BUS"));
        dialog.control<QPushButton>(IDOK)->click();
    });
    window->toolbar()->button(ID_GRAPH_CHANGE_NAME)->trigger();
    EXPECT_EQ(shown, QStringLiteral("~EN[0:1]"));
    EXPECT_EQ(selected, QStringLiteral("EN"));
    EXPECT_EQ(prompt, QStringLiteral("enter a name for the graph"));
    EXPECT_EQ(caption, QStringLiteral("Signal Name"));
    EXPECT_EQ(RowNames(*window), (std::vector<std::string>{"CLK", "BUS"}));

    // Cancel keeps the name.
    WhenDialogRuns([](CSignalNameDlg& dialog) {
        dialog.control<QLineEdit>(1007)->setText(QStringLiteral("OTHER"));
        dialog.control<QPushButton>(IDCANCEL)->click();
    });
    window->toolbar()->button(ID_GRAPH_CHANGE_NAME)->trigger();
    EXPECT_EQ(RowNames(*window), (std::vector<std::string>{"CLK", "BUS"}));
}

TEST_F(WaveformWindow, WithNothingSelectedTheDialogWritesTheNotes) {
    CGraphWnd* window = ActiveWithSignals();
    QString shown, prompt;
    WhenDialogRuns([&](CSignalNameDlg& dialog) {
        auto* edit = dialog.control<QLineEdit>(1007);
        shown = edit->text();
        prompt = dialog.control<QLabel>(1011)->text();
        edit->setText(QStringLiteral("first run"));
        dialog.control<QPushButton>(IDOK)->click();
    });
    window->toolbar()->button(ID_GRAPH_CHANGE_NAME)->trigger();
    EXPECT_EQ(shown, QString());
    EXPECT_EQ(prompt, QStringLiteral("enter notes"));
    EXPECT_EQ(window->view()->model().notes(), "first run");
}

TEST_F(WaveformWindow, AButtonShowsItsPromptInTheMainFramesStatusBar) {
    CGraphWnd* window = Open(kReference);
    QToolButton* combine = qobject_cast<QToolButton*>(
        window->toolbar()->widgetForAction(window->toolbar()->button(ID_GRAPH_COMBINE)));
    ASSERT_NE(combine, nullptr);
    QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), combine->mapToGlobal(QPointF(4, 4)));
    QApplication::sendEvent(combine, &enter);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Combine "));
    EXPECT_EQ(combine->toolTip(), QStringLiteral("Combine"));
}

TEST_F(WaveformWindow, TheWaveformPrintsOnALandscapePdfPage) {
    CGraphWnd* window = ActiveWithSignals();
    const QString path = QString::fromStdString(dir.file("waveform.pdf"));
    EXPECT_TRUE(window->OnPrintWaveform(path));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray content = pdf.readAll();
    EXPECT_TRUE(content.startsWith("%PDF"));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
            .match(QString::fromLatin1(content));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_GT(box.captured(1).toDouble(), box.captured(2).toDouble());
    EXPECT_FALSE(window->OnPrintWaveform(QStringLiteral("/nonexistent-folder/waveform.pdf")));
}

TEST(PrintJob, ThePageDrawerSeesThePageInTheRequestedOrientation) {
    vorn::testing::TempDir dir;
    for (QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        Size page;
        PrintRequest request;
        request.orientation = orientation;
        request.pdfPath = QString::fromStdString(dir.file("page.pdf"));
        EXPECT_TRUE(PrintPage(request, [&](Canvas& canvas) { page = canvas.physicalSizeMm(); }));
        EXPECT_GT(page.width, 100);
        EXPECT_EQ(page.width > page.height, orientation == QPageLayout::Landscape);
    }
}
