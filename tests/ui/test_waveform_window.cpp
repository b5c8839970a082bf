// The waveform window: its life in the main frame, its toolbar and what enables it, mouse and
// keys on the scrolled view, the name dialog, files through the toolbar, and the printed page.
// The rules of the waveform itself are the waveform tests' own. The Qt canvas draws the view
// pixel for pixel as the kept reference; what the view does not reach is drawn alone.

#include "ModalDialogs.h"
#include "TempDir.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MdiMainFrame.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/QtCanvas.h"
#include "ui/waveform/CGraphView.h"
#include "ui/waveform/CGraphWnd.h"
#include "ui/waveform/CSignalNameDlg.h"
#include "ui/waveform/GraphToolbar.h"
#include "ui/waveform/RenderWaveformPng.h"
#include "waveform/GraphModel.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <sys/stat.h>
#include <vector>

using namespace vorn;
using namespace vorn::ui;
using namespace vorn::waveform;
using vorn::testing::ReadFile;
using Names = std::vector<std::string>;

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

bool AllWhite(const QImage& image) {
    QImage white(image.size(), image.format());
    white.fill(Qt::white);
    return image == white;
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

    void Open(const QString& caption) {
        window = new CGraphWnd(caption, frame.mdiArea());
        caption == kActive ? window->HideOpenButton() : window->HideSaveButton();
        window->show();
    }
    void OpenWithSignals() {
        Open(kActive);
        window->SetSignals(4, kSamples, kSignals);
    }
    CGraphView* view() const { return window->view(); }
    Names RowNames() const {
        Names names;
        for (const waveform::SignalRow& row : view()->model().rows())
            names.push_back(row.name);
        return names;
    }
    // The enabled buttons: Combine, Reverse, Spread, change Name; '-' for a disabled one.
    std::string Enabled() const {
        std::string shown;
        for (int id : {ID_GRAPH_COMBINE, ID_GRAPH_REVERSE, ID_GRAPH_SPREAD, ID_GRAPH_CHANGE_NAME})
            shown += window->toolbar()->button(id)->isEnabled() ? "CRSN"[shown.size()] : '-';
        return shown;
    }
    void Press(int button) const { window->toolbar()->button(button)->trigger(); }
    // The view keeps its fonts and texts between repaints, yet shows what a new canvas draws.
    bool ShowsWhatANewCanvasDraws() const {
        QImage expected(view()->viewport()->size(), QImage::Format_RGB32);
        const QPoint scrolled(view()->horizontalScrollBar()->value(), view()->verticalScrollBar()->value());
        QPainter(&expected).drawImage(-scrolled, RenderWaveform(view()->model()));
        return view()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32) == expected;
    }
    void Click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QWidget* viewport = view()->viewport();
        QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, modifiers);
        QApplication::sendEvent(viewport, &press);
    }

    // Files chosen in the dialogs, one answer each; the filters asked with are kept.
    void AnswerFileDialogs(std::vector<QString> answers) {
        SetFileChooserHook([this, answers = std::move(answers), next = size_t{0}](
                               FileDialogMode mode, const QString& filter) mutable -> std::optional<QString> {
            fileDialogs << (mode == FileDialogMode::Open ? "open " : "save ") + filter;
            if (next >= answers.size()) return std::nullopt;
            return answers[next++];
        });
    }

    MdiMainFrame frame;
    CGraphWnd* window = nullptr;
    QStringList boxes;
    QStringList fileDialogs;
    vorn::testing::TempDir dir;
};

} // namespace

// A reference window without a file shows its toolbar, whose buttons prompt in the frame's status
// bar, and a blank view below it; the view has no area in a client of 24 pixels or less. It is
// gone from the close on, and with its main frame.
TEST_F(WaveformWindow, AReferenceWindowWithoutAFileShowsItsToolbarAndABlankViewUntilItCloses) {
    Open(kReference);
    const GraphWndRef ref(window);
    EXPECT_EQ(window->geometry(), QRect(100, 100, 750, 500));
    QStringList shown;
    for (QAction* action : window->toolbar()->actions())
        if (!action->isSeparator() && action->isVisible()) shown << action->toolTip();
    EXPECT_EQ(shown, (QStringList{QString(), "Combine", "Spread", "Reverse", "Zoom Out", "Zoom In",
                                  "Toggle Grid", "Change name or add notes", "Open"}));
    EXPECT_TRUE(AllWhite(view()->viewport()->grab().toImage()));
    auto* combine = window->toolbar()->widgetForAction(window->toolbar()->button(ID_GRAPH_COMBINE));
    QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), combine->mapToGlobal(QPointF(4, 4)));
    QApplication::sendEvent(combine, &enter);
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Combine ");

    QWidget* client = window->widget();
    const int frameHeight = window->height() - client->height();
    window->resize(400, frameHeight + 10);
    EXPECT_TRUE(view()->height() == 0 && view()->visibleRegion().isEmpty());
    window->resize(400, frameHeight + 124);
    EXPECT_EQ(view()->geometry(), QRect(0, 24, client->width(), 100));

    window->close();
    EXPECT_TRUE(ref.isGone() && ref.window() == nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ref.isGone());
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    GraphWndRef freed;
    {
        MdiMainFrame other(QStringLiteral("VORN b3"), {}, {}, nullptr);
        freed = GraphWndRef(new CGraphWnd(kActive, other.mdiArea()));
        EXPECT_FALSE(freed.isGone());
    }
    EXPECT_TRUE(freed.isGone());
}

// The active window saves the samples it shows and prints them on a landscape page; a reference
// window opens a file, and refuses a pipe without waiting on it.
TEST_F(WaveformWindow, FilesGoThroughTheToolbarButtonsAndThePrintJob) {
    OpenWithSignals();
    EXPECT_FALSE(window->toolbar()->button(ID_GRAPH_OPEN)->isVisible());
    const QString path = QString::fromStdString(dir.file("capture"));
    AnswerFileDialogs({path});
    Press(ID_GRAPH_SAVE);
    EXPECT_EQ(ReadFile(path.toStdString() + ".wf"), ".NUMSIGNALS\r\n3\r\n.NUMSTEPS\r\n4\r\n.NOTES\r\n\r\n"
                                                    ".SIGNALS\r\nCLK 0101\r\nEN 0011\r\nD7 0001\r\n");
    const std::string pdf = dir.file("waveform.pdf");
    EXPECT_TRUE(window->OnPrintWaveform(QString::fromStdString(pdf)));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("^%PDF.*/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"),
                           QRegularExpression::DotMatchesEverythingOption)
            .match(QString::fromLatin1(ReadFile(pdf)));
    EXPECT_GT(box.captured(1).toDouble(), box.captured(2).toDouble());
    EXPECT_FALSE(window->OnPrintWaveform(QString::fromStdString(dir.file("no/waveform.pdf"))));

    Open(kReference);
    const std::string pipe = dir.file("pipe.wf");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    AnswerFileDialogs({path + ".wf", QString::fromStdString(pipe)});
    Press(ID_GRAPH_OPEN);
    EXPECT_EQ(RowNames(), (Names{"CLK", "EN", "D7"}));
    EXPECT_FALSE(AllWhite(view()->viewport()->grab().toImage()));
    Press(ID_GRAPH_OPEN);
    EXPECT_EQ(RowNames(), (Names{"CLK", "EN", "D7"}));
    EXPECT_EQ(fileDialogs, (QStringList{"save Waveform Files(*.wf)", "open Waveform Files(*.wf)",
                                        "open Waveform Files(*.wf)"}));
    EXPECT_TRUE(boxes.isEmpty());
}

// Clicks count from the scrolled position, the arrow keys move rows without scrolling, the
// buttons follow the selection after every click, command and fill; the name dialog shows the
// name with its stem selected, or the notes, and only OK takes the text.
TEST_F(WaveformWindow, MouseKeysButtonsAndTheNameDialogOnTheScrolledView) {
    OpenWithSignals();
    EXPECT_EQ(Enabled(), "---N");
    Click(RowPoint(1));
    Click(RowPoint(2), Qt::ControlModifier);
    EXPECT_EQ(Enabled(), "C---");
    Press(ID_GRAPH_COMBINE);
    EXPECT_EQ(Enabled(), "-RSN");
    QStringList seen;
    auto answer = [&](const QString& text, int button) {
        vorn::testing::OnNextModal([&, text, button](QDialog& modal) {
            auto* dialog = qobject_cast<CSignalNameDlg*>(&modal);
            if (!dialog) return modal.reject();
            auto* edit = dialog->control<QLineEdit>(1007);
            seen = {edit->text(), edit->selectedText(), dialog->control<QLabel>(1011)->text(),
                    dialog->windowTitle()};
            EXPECT_EQ(dialog->focusWidget(), edit);
            edit->setText(text);
            dialog->control<QPushButton>(button)->click();
        });
        Press(ID_GRAPH_CHANGE_NAME);
    };
    answer("BUS", IDOK);
    EXPECT_EQ(seen, (QStringList{"~EN[0:1]", "EN", "enter a name for the graph", "Signal Name"}));
    EXPECT_EQ(RowNames(), (Names{"CLK", "BUS"}));
    answer("OTHER", IDCANCEL);
    EXPECT_EQ(RowNames(), (Names{"CLK", "BUS"}));
    Click(RowPoint(1), Qt::ControlModifier); // nothing selected: the notes
    answer("first run", IDOK);
    EXPECT_EQ(seen, (QStringList{"", "", "enter notes", "Signal Name"}));
    EXPECT_EQ(view()->model().notes(), "first run");
    Click(RowPoint(1));
    window->SetSignals(4, kSamples, kSignals);
    EXPECT_EQ(Enabled(), "---N");

    QScrollBar* vertical = view()->verticalScrollBar();
    window->resize(300, 160);
    // Four steps and three rows at zoom level 1 make an extent of 500 by 220 pixels.
    EXPECT_EQ(vertical->maximum(), 220 - view()->viewport()->height());
    EXPECT_EQ(view()->horizontalScrollBar()->maximum(), 500 - view()->viewport()->width());
    EXPECT_EQ(vertical->pageStep(), 220 / 3);
    EXPECT_EQ(vertical->singleStep(), 50);
    ASSERT_GE(vertical->maximum(), 80);
    vertical->setValue(80);
    Click({100, 30}); // row 1 scrolled up to where the ruler was
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(view(), &down);
    EXPECT_EQ(RowNames(), (Names{"CLK", "D7", "EN"}));
    EXPECT_EQ(vertical->value(), 80);
    EXPECT_TRUE(ShowsWhatANewCanvasDraws());
    // Above the rows a click sets the marker; a zoom clears it and makes the extent larger.
    vertical->setValue(0);
    Click({260, 20});
    EXPECT_EQ(view()->model().marker(), 260 + view()->horizontalScrollBar()->value());
    Press(ID_GRAPH_ZOOM_IN);
    EXPECT_EQ(view()->model().marker(), -1);
    EXPECT_EQ(vertical->maximum(), 3 * 50 + 2 * 62 - view()->viewport()->height());
    view()->horizontalScrollBar()->setValue(70);
    EXPECT_TRUE(ShowsWhatANewCanvasDraws());
}

namespace {

QImage WhiteImage(int width, int height, int dotsPerInch) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

int DarkPixelsIn(const QImage& image, const QRect& area) {
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++found;
    return found;
}

// At the smallest zoom: bit rows, a 24-bit bus whose values take the smaller font, a selected
// bit row and a selected bus in inverse video, the notes and the marker.
GraphModel SmallView() {
    std::vector<RawSignal> raw(30);
    uint32_t seed = 7;
    for (size_t j = 0; j < raw.size(); ++j) {
        raw[j].name = "S" + std::to_string(j);
        for (int s = 0; s < 8; ++s) {
            seed = seed * 1664525u + 1013904223u;
            raw[j].value[s] = seed >> 31;
        }
    }
    GraphModel model;
    model.Fill(8, raw);
    std::vector<int> wide(24);
    std::iota(wide.begin(), wide.end(), 2);
    model.CombineRows(wide, "WIDE");
    model.CombineRows({3, 4, 5, 6}, "NIB");
    model.SelectOnly(1);
    model.ToggleSelection(3);
    model.setNotes("notes");
    while (model.ZoomOut()) {
    }
    model.OnLButtonDown({model.tracesLeft() + 80, 5}, false, false);
    return model;
}

} // namespace

TEST(QtCanvas, DrawsTheWaveformViewPixelForPixelAsTheReference) {
    const QImage reference(QStringLiteral(VORN_SOURCE_DIR "/tests/ui/data/waveform_reference.png"));
    ASSERT_FALSE(reference.isNull());
    EXPECT_TRUE(ui::RenderWaveform(SmallView()) == reference.convertToFormat(QImage::Format_RGB32));
}

// Hundredths of an inch with y up, wide pens, upright text, the average character width and
// rectangles without their far edges.
TEST(QtCanvas, MapsHundredthsOfAnInchWithYUpAndMeasuresAndFillsAsWindowsDoes) {
    QImage image = WhiteImage(200, 200, 100); // one unit is one pixel
    {
        QPainter painter(&image);
        ui::QtCanvas canvas(painter);
        canvas.selectFont({"Arial", 40, 0});
        EXPECT_EQ(canvas.averageCharWidth(), 16); // as Windows gives Arial in a 40-pixel cell
        canvas.fillRect({10, 10, 20, 30}, kBlack);
        canvas.setMappingMode(MappingMode::LoEnglish);
        EXPECT_EQ(canvas.physicalSizeMm(), (Size{51, 51}));
        canvas.line({10, -120}, {60, -120});
        canvas.selectPen({kBlack, 3});
        canvas.line({10, -150}, {60, -150});
        canvas.selectFont({"Arial", 60, 700});
        canvas.setBackgroundMode(BackgroundMode::Transparent);
        canvas.text({100, -40}, "L");
    }
    EXPECT_TRUE(IsBlack(image, 10, 10) && IsBlack(image, 19, 29));
    EXPECT_FALSE(IsBlack(image, 20, 29) || IsBlack(image, 19, 30));
    EXPECT_TRUE(IsBlack(image, 10, 120) && IsBlack(image, 60, 120) && !IsBlack(image, 35, 119));
    EXPECT_TRUE(IsBlack(image, 35, 149) && IsBlack(image, 35, 151));
    // The cell runs from y 40 down to 100; an upright L has its foot at the bottom left.
    EXPECT_EQ(DarkPixelsIn(image, QRect(100, 0, 100, 39)), 0);
    EXPECT_GT(DarkPixelsIn(image, QRect(100, 70, 20, 30)), DarkPixelsIn(image, QRect(120, 40, 20, 30)));
}
