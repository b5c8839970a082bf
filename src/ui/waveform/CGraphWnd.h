#pragma once
// A waveform window: a child window of the main frame's MDI area holding the 24-pixel strip
// of toolbar 129 and the waveform view below it. The Hardware Monitor makes its "ACTIVE
// Signals Window" and its "REFERENCE Signals Window"s of it. The window frees itself once it
// is closed; whoever keeps it holds a GraphWndRef, which knows when it is gone.

#include "waveform/GraphModel.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <cstdint>
#include <span>

class QMdiArea;

namespace vorn::ui {

class CGraphView;
class GraphToolbar;

class CGraphWnd : public QMdiSubWindow {
    Q_OBJECT
  public:
    // The window in the area at (100, 100) to (850, 600) with an empty view; the caller shows it.
    CGraphWnd(const QString& caption, QMdiArea* mdiArea);

    // The button goes; its command stays.
    void HideOpenButton();
    void HideSaveButton();

    // Refills the view from logic-analyser samples, one word per step (signal j is bit
    // bitNumber mod 32 of each), and repaints it at once.
    void SetSignals(int steps, std::span<const uint32_t> samples,
                    std::span<const waveform::CapturedSignal> captured);

    // Prints the waveform on one landscape page: after the print dialog, or into the PDF
    // file when a path is given. False when cancelled or failed; nothing is reported.
    bool OnPrintWaveform(const QString& pdfPath = {});

    // Set once the window is closed, whether by the user or by its owner.
    bool isDestroyed() const { return destroyed_; }

    CGraphView* view() const { return view_; }
    GraphToolbar* toolbar() const { return toolbar_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnCommand(int command);
    void OnSize(int cx, int cy);

    QWidget* client_;
    GraphToolbar* toolbar_;
    CGraphView* view_;
    bool destroyed_ = false;
};

// What the owner of a waveform window keeps: the window while it is open, and from the moment
// it is closed only the knowledge that it is gone. Never a pointer to a freed window.
class GraphWndRef {
  public:
    GraphWndRef() = default;
    explicit GraphWndRef(CGraphWnd* window) : window_(window) {}

    // True as well when there never was a window.
    bool isGone() const { return window_.isNull() || window_->isDestroyed(); }
    // The open window; nullptr once it is gone.
    CGraphWnd* window() const { return isGone() ? nullptr : window_.data(); }

  private:
    QPointer<CGraphWnd> window_;
};

} // namespace vorn::ui
