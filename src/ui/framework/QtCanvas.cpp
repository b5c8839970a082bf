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

QtCanvas::QtCanvas(QPainter& painter) : painter_(painter) {
    // Windows draws lines without anti-aliasing; the waveform's pixel layout relies on it.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

MappingMode QtCanvas::setMappingMode(MappingMode mode) {
    return std::exchange(mappingMode_, mode);
}
Pen QtCanvas::selectPen(const Pen& pen) {
    return std::exchange(pen_, pen);
}
Font QtCanvas::selectFont(const Font& font) {
    return std::exchange(font_, font);
}
Color QtCanvas::setTextColor(Color color) {
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

QFont QtCanvas::deviceFont() const {
    QFont font(InstalledFace(font_.face));
    font.setWeight(font_.weight <= 0 ? QFont::Normal
                                     : static_cast<QFont::Weight>(std::min(font_.weight, 1000)));
    font.setPixelSize(PixelSizeForCell(font, std::max(1, font_.height) * scaleY()));
    return font;
}

void QtCanvas::polygon(const std::vector<Point>& points) {
    if (points.empty()) return;
    QPolygon outline;
    for (const Point& point : points)
        outline << toDevice(point);
    const int width = std::max(1, static_cast<int>(std::lround(pen_.width * scaleX())));
    // Wide pens end and join round, as Windows draws them.
    QPen pen(ToQt(pen_.color), width, Qt::SolidLine, width > 1 ? Qt::RoundCap : Qt::SquareCap,
             width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    painter_.save();
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolygon(outline);
    painter_.restore();
}

void QtCanvas::fillRect(const Rect& rect, Color color) {
    const QRect area =
        QRect(toDevice({rect.left, rect.top}), toDevice({rect.right, rect.bottom})).normalized();
    // QRect's corners are inclusive; the far edges are not filled.
    painter_.fillRect(area.adjusted(0, 0, -1, -1), ToQt(color));
}

void QtCanvas::text(Point topLeft, const std::string& text) {
    if (text.empty()) return;
    const QFont font = deviceFont();
    const QFontMetrics metrics(font, painter_.device());
    // Text output draws a tab as one narrow cell, without moving to a tab stop.
    QString qtText = Latin1(text);
    qtText.replace(QLatin1Char('\t'), QLatin1Char(' '));
    const QPoint at = toDevice(topLeft);
    painter_.save();
    if (backgroundMode_ == BackgroundMode::Opaque)
        painter_.fillRect(QRect(at.x(), at.y(), metrics.horizontalAdvance(qtText), metrics.height()),
                          ToQt(backgroundColor_));
    painter_.setFont(font);
    painter_.setPen(ToQt(textColor_));
    painter_.drawText(at.x(), at.y() + metrics.ascent(), qtText);
    painter_.restore();
}

int QtCanvas::averageCharWidth() {
    const QFontMetricsF metrics(deviceFont(), painter_.device());
    return static_cast<int>(std::lround(ClassicAverageWidth(metrics) / scaleX()));
}

Size QtCanvas::physicalSizeMm() {
    return {painter_.device()->widthMM(), painter_.device()->heightMM()};
}

} // namespace vorn::ui
