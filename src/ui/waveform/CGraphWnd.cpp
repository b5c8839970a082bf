#include "ui/waveform/CGraphWnd.h"

#include "ui/framework/PrintJob.h"
#include "ui/waveform/CGraphView.h"
#include "ui/waveform/GraphToolbar.h"
#include "waveform/GraphPrinting.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>

namespace vorn::ui {

namespace {
const QRect kCreationRect(100, 100, 850 - 100, 600 - 100);
} // namespace

CGraphWnd::CGraphWnd(const QString& caption, QMdiArea* mdiArea)
    : client_(new QWidget), toolbar_(new GraphToolbar(client_, [this](int command) { OnCommand(command); })),
      view_(new CGraphView(client_)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("CGraphWnd"));
    client_->setWindowTitle(caption);
    client_->setFocusProxy(view_);
    setWidget(client_);
    client_->installEventFilter(this);
    mdiArea->addSubWindow(this);
    setGeometry(kCreationRect);
    view_->setToolbar(toolbar_);
    view_->OnInitialUpdate();
    view_->setFocus();
}

void CGraphWnd::HideOpenButton() {
    toolbar_->button(ID_GRAPH_OPEN)->setVisible(false);
}

void CGraphWnd::HideSaveButton() {
    toolbar_->button(ID_GRAPH_SAVE)->setVisible(false);
}

void CGraphWnd::SetSignals(int steps, std::span<const uint32_t> samples,
                           std::span<const waveform::CapturedSignal> captured) {
    view_->model().SetSignals(steps, samples, captured);
    view_->Refresh();
}

bool CGraphWnd::OnPrintWaveform(const QString& pdfPath) {
    const PrintRequest request{this, QApplication::applicationName(), QPageLayout::Landscape, pdfPath};
    return PrintPage(request, [this](Canvas& canvas) { waveform::OnPrint(view_->model(), canvas); });
}

void CGraphWnd::OnCommand(int command) {
    if (command == ID_GRAPH_PRINT)
        OnPrintWaveform();
    else
        view_->OnCommand(command);
}

void CGraphWnd::OnSize(int cx, int cy) {
    toolbar_->setGeometry(0, 0, cx, kGraphToolbarStrip);
    view_->setGeometry(0, kGraphToolbarStrip, cx, qMax(0, cy - kGraphToolbarStrip));
}

bool CGraphWnd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) OnSize(client_->width(), client_->height());
    return QMdiSubWindow::eventFilter(watched, event);
}

void CGraphWnd::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted()) destroyed_ = true;
}

} // namespace vorn::ui
