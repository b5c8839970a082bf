#include "ui/framework/QtCanvas.h"

#include <QColor>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cmath>
#include <utility>

namespace vorn::ui {
namespace {

constexpr double kUnitsPerInch = 100.0;

QColor ToQt(Color color) {
    return QColor(color.red, color.green, color.blue);
}

// Liberation has the metrics of the Windows core fonts; DejaVu stands in for the rest.
QString InstalledFace(const std::string& face) {
    const QString name = QString::fromStdString(face).toLower();
    if (name == "arial" || name == "helvetica") return QStringLiteral("Liberation Sans");
    if (name == "times new roman" || name == "times") return QStringLiteral("Liberation Serif");
    if (name == "courier new" || name == "courier") return QStringLiteral("Liberation Mono");
    return QStringLiteral("DejaVu Sans");
}

// The em size whose ascent plus descent is the given cell height.
int PixelSizeForCell(QFont font, double cellHeight) {
    constexpr int kProbe = 1000;
    font.setPixelSize(kProbe);
    const QFontMetricsF metrics(font);
    const double cellOfProbe = metrics.ascent() + metrics.descent();
    return std::max(1, static_cast<int>(std::lround(cellHeight * kProbe / cellOfProbe)));
}

// Windows takes a TrueType font's average character width from its OS/2 table, where Arial
// keeps the classic average: lower-case letters and the blank weighted by how often they
// occur in English. Liberation keeps a plain average over every glyph there, a third wider,
// so the classic one is computed here from the advances, which match Arial's.
double ClassicAverageWidth(const QFontMetricsF& metrics) {
    static constexpr int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6, 35, 20,
                                         56, 56, 17, 4,  49,  56, 71, 31, 10, 18, 3, 18, 2};
    double sum = 166 * metrics.horizontalAdvance(QLatin1Char(' '));
    for (int letter = 0; letter < 26; ++letter)
        sum += kWeights[letter] * metrics.horizontalAdvance(QLatin1Char(static_cast<char>('a' + letter)));
    return sum / 1000.0;
}

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QtCanvas::Fonts::Fonts() = default;
QtCanvas::Fonts::~Fonts() = default;

QtCanvas::QtCanvas(QPainter& painter)
    : ownFonts_(std::make_unique<Fonts>()), painter_(painter), fonts_(*ownFonts_) {
    SetUpPainter();
}

QtCanvas::QtCanvas(QPainter& painter, Fonts& fonts) : painter_(painter), fonts_(fonts) {
    SetUpPainter();
}

void QtCanvas::SetUpPainter() {
    // Windows draws lines without anti-aliasing; the waveform's pixel layout relies on it.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
}

QtCanvas::~QtCanvas() {
    painter_.restore();
}

MappingMode QtCanvas::setMappingMode(MappingMode mode) {
    if (mode != mappingMode_) {
        linePen_.reset();
        currentFont_ = -1;
        if (painterPen_ == PainterPen::Lines) painterPen_ = PainterPen::Unknown;
    }
    return std::exchange(mappingMode_, mode);
}
Pen QtCanvas::selectPen(const Pen& pen) {
    if (!(pen == pen_)) {
        linePen_.reset();
        if (painterPen_ == PainterPen::Lines) painterPen_ = PainterPen::Unknown;
    }
    return std::exchange(pen_, pen);
}
Font QtCanvas::selectFont(const Font& font) {
    if (!(font == font_)) currentFont_ = -1;
    return std::exchange(font_, font);
}
Color QtCanvas::setTextColor(Color color) {
    if (color != textColor_ && painterPen_ == PainterPen::Text) painterPen_ = PainterPen::Unknown;
    return std::exchange(textColor_, color);
}
Color QtCanvas::setBackgroundColor(Color color) {
    return std::exchange(backgroundColor_, color);
}
BackgroundMode QtCanvas::setBackgroundMode(BackgroundMode mode) {
    return std::exchange(backgroundMode_, mode);
}

double QtCanvas::scaleX() const {
    return mappingMode_ == MappingMode::Pixels ? 1.0 : painter_.device()->logicalDpiX() / kUnitsPerInch;
}

double QtCanvas::scaleY() const {
    return mappingMode_ == MappingMode::Pixels ? 1.0 : painter_.device()->logicalDpiY() / kUnitsPerInch;
}

QPoint QtCanvas::toDevice(Point point) const {
    if (mappingMode_ == MappingMode::Pixels) return {point.x, point.y};
    return {static_cast<int>(std::lround(point.x * scaleX())),
            static_cast<int>(std::lround(-point.y * scaleY()))};
}

QtCanvas::DeviceFont& QtCanvas::deviceFont() {
    if (currentFont_ >= 0) return fonts_.made[static_cast<size_t>(currentFont_)];
    const double scale = scaleY();
    const auto known = std::find_if(fonts_.made.begin(), fonts_.made.end(), [&](const DeviceFont& entry) {
        return entry.font == font_ && entry.scaleY == scale;
    });
    if (known != fonts_.made.end()) {
        currentFont_ = static_cast<int>(known - fonts_.made.begin());
        return *known;
    }
    QFont font(InstalledFace(font_.face));
    font.setWeight(font_.weight <= 0 ? QFont::Normal
                                     : static_cast<QFont::Weight>(std::min(font_.weight, 1000)));
    font.setPixelSize(PixelSizeForCell(font, std::max(1, font_.height) * scale));
    fonts_.made.push_back({font_, scale, font, QFontMetrics(font, painter_.device()), std::nullopt, {}});
    currentFont_ = static_cast<int>(fonts_.made.size()) - 1;
    return fonts_.made.back();
}

void QtCanvas::usePainterPen(PainterPen pen) {
    if (painterPen_ == pen) return;
    if (pen == PainterPen::Text) {
        painter_.setPen(ToQt(textColor_));
    } else {
        if (!linePen_) {
            const int width = std::max(1, static_cast<int>(std::lround(pen_.width * scaleX())));
            // Wide pens end and join round, as Windows draws them.
            linePen_.emplace(ToQt(pen_.color), width, Qt::SolidLine, width > 1 ? Qt::RoundCap : Qt::SquareCap,
                             width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
        }
        painter_.setPen(*linePen_);
    }
    painterPen_ = pen;
}

bool QtCanvas::drawsScreenPixels() const {
    return mappingMode_ == MappingMode::Pixels && painter_.transform().type() <= QTransform::TxTranslate;
}

void QtCanvas::polygon(const std::vector<Point>& points) {
    if (points.empty()) return;
    // A thin line across or down the screen covers exactly the pixels from one end point to
    // the other, so it is filled as a one-pixel rectangle: far faster than stroking the outline
    // of a two-point polygon there and back.
    const bool straight = points.size() == 2 && (points[0].x == points[1].x || points[0].y == points[1].y);
    if (straight && pen_.width <= 1 && drawsScreenPixels()) {
        const auto [left, right] = std::minmax(points[0].x, points[1].x);
        const auto [top, bottom] = std::minmax(points[0].y, points[1].y);
        painter_.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), ToQt(pen_.color));
        return;
    }
    outline_.resize(static_cast<qsizetype>(points.size()));
    for (size_t i = 0; i < points.size(); ++i)
        outline_[static_cast<qsizetype>(i)] = toDevice(points[i]);
    usePainterPen(PainterPen::Lines);
    if (points.size() == 2)
        painter_.drawLine(outline_[0], outline_[1]);
    else
        painter_.drawPolygon(outline_);
}

void QtCanvas::fillRect(const Rect& rect, Color color) {
    const QRect area =
        QRect(toDevice({rect.left, rect.top}), toDevice({rect.right, rect.bottom})).normalized();
    // QRect's corners are inclusive; the far edges are not filled.
    painter_.fillRect(area.adjusted(0, 0, -1, -1), ToQt(color));
}

const QtCanvas::TextRun& QtCanvas::textRun(DeviceFont& font, const QString& text) {
    auto known = font.texts.constFind(text);
    if (known == font.texts.cend()) {
        if (font.texts.size() >= kTextsKept) font.texts.clear();
        TextRun run{QStaticText(text), font.metrics.horizontalAdvance(text)};
        run.glyphs.setTextFormat(Qt::PlainText);
        // Laid out for screen pixels without the scroll offset, which moves every text alike:
        // the layout serves wherever the view is scrolled to.
        run.glyphs.prepare(QTransform(), font.qtFont);
        known = font.texts.insert(text, run);
    }
    return *known;
}

void QtCanvas::text(Point topLeft, const std::string& text) {
    if (text.empty()) return;
    DeviceFont& font = deviceFont();
    // Text output draws a tab as one narrow cell, without moving to a tab stop.
    QString qtText = Latin1(text);
    qtText.replace(QLatin1Char('\t'), QLatin1Char(' '));
    const TextRun& run = textRun(font, qtText);
    const QPoint at = toDevice(topLeft);
    if (backgroundMode_ == BackgroundMode::Opaque)
        painter_.fillRect(QRect(at.x(), at.y(), run.advance, font.metrics.height()), ToQt(backgroundColor_));
    if (painterFont_ != currentFont_) {
        painter_.setFont(font.qtFont);
        painterFont_ = currentFont_;
    }
    usePainterPen(PainterPen::Text);
    // A text laid out once draws the same glyphs in the same places; one with a line break
    // would be laid out as two lines, and print pages keep the plain road.
    const bool oneLine =
        std::none_of(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; });
    if (oneLine && drawsScreenPixels())
        painter_.drawStaticText(at, run.glyphs);
    else
        painter_.drawText(at.x(), at.y() + font.metrics.ascent(), qtText);
}

int QtCanvas::averageCharWidth() {
    DeviceFont& font = deviceFont();
    if (!font.classicAverageWidth)
        font.classicAverageWidth = ClassicAverageWidth(QFontMetricsF(font.qtFont, painter_.device()));
    return static_cast<int>(std::lround(*font.classicAverageWidth / scaleX()));
}

Size QtCanvas::physicalSizeMm() {
    return {painter_.device()->widthMM(), painter_.device()->heightMM()};
}

} // namespace vorn::ui
