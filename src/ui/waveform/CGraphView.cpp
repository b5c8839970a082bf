#include "ui/waveform/CGraphView.h"

#include "ui/dialogs/QtPrompter.h"
#include "ui/waveform/CSignalNameDlg.h"
#include "ui/waveform/GraphToolbar.h"
#include "waveform/GraphCommands.h"
#include "waveform/GraphDrawing.h"
#include "waveform/WaveformFile.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <utility>

namespace vorn::ui {

namespace {

void SetUpScrollBar(QScrollBar* bar, int total, int visible, int page, int line) {
    bar->setRange(0, qMax(0, total - visible));
    bar->setPageStep(page);
    bar->setSingleStep(line);
}

// Names and notes are single-byte text, drawn as Latin-1 by the canvas.
QString FromModel(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToModel(const QString& text) {
    return text.toLatin1().toStdString();
}

// The commands that work on the model alone; each says whether the view must be repainted.
using ModelCommand = bool (*)(waveform::GraphModel&);

ModelCommand ModelCommandOf(int command) {
    static constexpr std::pair<int, ModelCommand> kCommands[] = {
        {ID_GRAPH_COMBINE, waveform::OnCombine}, {ID_GRAPH_SPREAD, waveform::OnSpread},
        {ID_GRAPH_REVERSE, waveform::OnReverse}, {ID_GRAPH_ZOOM_OUT, waveform::OnZoomOut},
        {ID_GRAPH_ZOOM_IN, waveform::OnZoomIn},  {ID_GRAPH_TOGGLE_GRID, waveform::OnToggleGrid},
    };
    for (const auto& [id, run] : kCommands)
        if (id == command) return run;
    return nullptr;
}

} // namespace

CGraphView::CGraphView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("CGraphView"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFocusPolicy(Qt::StrongFocus);
    // The view paints every pixel of its area itself, the background first.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

void CGraphView::setToolbar(GraphToolbar* toolbar) {
    toolbar_ = toolbar;
}

void CGraphView::OnInitialUpdate() {
    model_.OnInitialUpdate();
    UpdateScrollBars();
    UpdateToolbarState();
    viewport()->update();
}

void CGraphView::Refresh() {
    UpdateScrollBars();
    UpdateToolbarState();
    viewport()->repaint();
}

void CGraphView::UpdateScrollBars() {
    const waveform::ScrollSizes& sizes = model_.scrollSizes();
    SetUpScrollBar(horizontalScrollBar(), sizes.total.width, viewport()->width(), sizes.page.width,
                   sizes.line.width);
    SetUpScrollBar(verticalScrollBar(), sizes.total.height, viewport()->height(), sizes.page.height,
                   sizes.line.height);
}

void CGraphView::UpdateToolbarState() {
    if (toolbar_) toolbar_->ShowState(waveform::UpdateToolbarState(model_));
}

QPoint CGraphView::scrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CGraphView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    painter.translate(-scrollPosition());
    QtCanvas canvas(painter, canvasFonts_);
    waveform::OnDraw(model_, canvas);
}

void CGraphView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint() + scrollPosition();
        if (model_.OnLButtonDown({at.x(), at.y()}, event->modifiers().testFlag(Qt::ControlModifier),
                                 event->modifiers().testFlag(Qt::ShiftModifier)))
            Refresh();
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CGraphView::keyPressEvent(QKeyEvent* event) {
    const waveform::Key key = event->key() == Qt::Key_Up     ? waveform::Key::Up
                              : event->key() == Qt::Key_Down ? waveform::Key::Down
                                                             : waveform::Key::Other;
    // The arrow keys move rows here; they do not scroll.
    if (model_.OnKeyDown(key))
        Refresh();
    else
        QWidget::keyPressEvent(event);
}

void CGraphView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

bool CGraphView::OnCommand(int command) {
    QtPrompter prompter(this);
    bool changed = false;
    if (const ModelCommand run = ModelCommandOf(command))
        changed = run(model_);
    else if (command == ID_GRAPH_CHANGE_NAME)
        changed = OnChangeName();
    else if (command == ID_GRAPH_OPEN)
        changed = waveform::OnOpen(model_, prompter);
    else if (command == ID_GRAPH_SAVE)
        waveform::OnSave(model_, prompter);
    else
        return false;
    if (changed) Refresh();
    return true;
}

bool CGraphView::OnChangeName() {
    const std::optional<waveform::NameDialogRequest> request = waveform::BeginChangeName(model_);
    if (!request) return false;
    CSignalNameDlg dialog(this);
    dialog.text = FromModel(request->text);
    dialog.prompt = FromModel(request->prompt);
    dialog.selectionEnd = request->selectionEnd;
    if (dialog.exec() != QDialog::Accepted) return false;
    return waveform::FinishChangeName(model_, *request, ToModel(dialog.text));
}

} // namespace vorn::ui
