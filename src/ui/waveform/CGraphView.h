#pragma once
// The waveform view of a waveform window: paints its GraphModel, scrolls over the model's
// extent, turns clicks and the arrow keys into model calls, runs the toolbar's commands on
// the model and keeps the toolbar's buttons in step with the selection.

#include "ui/framework/QtCanvas.h"
#include "waveform/GraphModel.h"

#include <QAbstractScrollArea>
#include <QPointer>

namespace vorn::ui {

class GraphToolbar;

class CGraphView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit CGraphView(QWidget* parent = nullptr);

    const waveform::GraphModel& model() const { return model_; }
    waveform::GraphModel& model() { return model_; }

    // The buttons that follow the selection live on this toolbar.
    void setToolbar(GraphToolbar* toolbar);
    void OnInitialUpdate();
    // After every change of the model: the scroll sizes, the toolbar's buttons and a repaint
    // at once.
    void Refresh();

    // The toolbar's commands except printing; false for any other id. A command that changes
    // nothing does not repaint.
    bool OnCommand(int command);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void UpdateScrollBars();
    void UpdateToolbarState();
    bool OnChangeName();
    QPoint scrollPosition() const;

    waveform::GraphModel model_;
    QPointer<GraphToolbar> toolbar_;
    // Every repaint draws the whole view again through a new canvas; the fonts and the texts
    // laid out in them are kept from one repaint to the next.
    QtCanvas::Fonts canvasFonts_;
};

} // namespace vorn::ui
