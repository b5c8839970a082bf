#pragma once
// The engine's Canvas painted with a QPainter: on the screen, on a QImage or on a QPrinter.
// Screen pixels go through as they are (the painter's own transform, a scroll offset for
// example, still applies); in hundredths of an inch with y up the canvas maps every point
// itself, so texts stand upright. Font heights are character cell heights as Windows takes
// them, turned into the pixel size that gives a cell of that height; Windows faces are
// replaced by the metric-compatible faces installed here.

#include "Canvas.h"

#include <QFont>
#include <QPoint>

class QPainter;

namespace vorn::ui {

class QtCanvas : public Canvas {
  public:
    explicit QtCanvas(QPainter& painter);

    MappingMode setMappingMode(MappingMode mode) override;
    Pen selectPen(const Pen& pen) override;
    Font selectFont(const Font& font) override;
    Color setTextColor(Color color) override;
    Color setBackgroundColor(Color color) override;
    BackgroundMode setBackgroundMode(BackgroundMode mode) override;

    void polygon(const std::vector<Point>& points) override;
    void fillRect(const Rect& rect, Color color) override;
    void text(Point topLeft, const std::string& text) override;

    int averageCharWidth() override;
    Size physicalSizeMm() override;

  private:
    // Device pixels per logical unit.
    double scaleX() const;
    double scaleY() const;
    QPoint toDevice(Point point) const;
    QFont deviceFont() const;

    QPainter& painter_;
    MappingMode mappingMode_ = MappingMode::Pixels;
    Pen pen_{kBlack, 1};
    Font font_ = kDefaultFont;
    Color textColor_ = kBlack;
    Color backgroundColor_ = kWhite;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
};

} // namespace vorn::ui
