#pragma once
// The engine's Canvas painted with a QPainter: on the screen, on a QImage or on a QPrinter.
// Screen pixels go through as they are (the painter's own transform, a scroll offset for
// example, still applies); in hundredths of an inch with y up the canvas maps every point
// itself, so texts stand upright. Font heights are character cell heights as Windows takes
// them, turned into the pixel size that gives a cell of that height; Windows faces are
// replaced by the metric-compatible faces installed here.
//
// A view is redrawn whole at every change, so the canvas keeps what it made: the Qt pen of
// the selected pen, each font it has used with its metrics, and each text laid out once. The
// fonts and the laid-out texts can outlive the canvas: a view keeps them (a QtCanvas::Fonts)
// across its redraws, each of which paints through a new canvas, so a redraw lays out only the
// texts that the last ones did not show. The painter's pen and font are set only when they
// change, and its state is put back when the canvas goes. On screen pixels, thin straight
// lines are filled and texts drawn from their layout: the same pixels on a far shorter road.

#include "Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QStaticText>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace vorn::ui {

class QtCanvas : public Canvas {
    struct DeviceFont;

  public:
    // The fonts that canvases made (face, cell height, weight and the scale of the mapping
    // mode), each with its metrics and the texts laid out in it.
    class Fonts {
      public:
        Fonts();
        ~Fonts();
        Fonts(const Fonts&) = delete;
        Fonts& operator=(const Fonts&) = delete;

      private:
        friend class QtCanvas;
        std::vector<DeviceFont> made;
    };

    // A canvas with fonts of its own, or with fonts kept by its caller.
    explicit QtCanvas(QPainter& painter);
    QtCanvas(QPainter& painter, Fonts& fonts);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

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
    struct TextRun {
        QStaticText glyphs;
        int advance = 0;
    };
    // A font as the painter's device shows it, made once.
    struct DeviceFont {
        Font font;
        double scaleY = 1.0;
        QFont qtFont;
        QFontMetrics metrics;
        std::optional<double> classicAverageWidth;
        // The texts drawn so far, laid out once: a view repeats its numbers and values.
        QHash<QString, TextRun> texts;
    };
    // A font keeps at most this many texts; past it, it starts again.
    static constexpr qsizetype kTextsKept = 4096;
    enum class PainterPen { Unknown, Lines, Text };

    // Device pixels per logical unit.
    double scaleX() const;
    double scaleY() const;
    QPoint toDevice(Point point) const;
    DeviceFont& deviceFont();
    // Screen pixels, moved at most by a scroll offset: where the fast roads draw exactly.
    bool drawsScreenPixels() const;
    const TextRun& textRun(DeviceFont& font, const QString& text);
    void usePainterPen(PainterPen pen);

    void SetUpPainter();

    std::unique_ptr<Fonts> ownFonts_;
    QPainter& painter_;
    Fonts& fonts_;
    MappingMode mappingMode_ = MappingMode::Pixels;
    Pen pen_{kBlack, 1};
    Font font_ = kDefaultFont;
    Color textColor_ = kBlack;
    Color backgroundColor_ = kWhite;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;

    std::optional<QPen> linePen_;
    PainterPen painterPen_ = PainterPen::Unknown;
    int currentFont_ = -1;
    int painterFont_ = -1;
    QPolygon outline_;
};

} // namespace vorn::ui
