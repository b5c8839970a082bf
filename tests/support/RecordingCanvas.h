#pragma once
// A Canvas for tests: keeps every drawing operation together with the pen, font, colours and
// modes that were in force when it was made, so a test can check a picture exactly.

#include "Canvas.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace vorn {

// Readable failure messages in GoogleTest.
inline void PrintTo(const Point& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}
inline void PrintTo(const Rect& rect, std::ostream* out) {
    *out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

} // namespace vorn

namespace vorn::testing {

struct CanvasState {
    Pen pen{kBlack, 1};
    Font font = kDefaultFont;
    Color textColor = kBlack;
    Color backgroundColor = kWhite;
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    MappingMode mappingMode = MappingMode::Pixels;
};

struct CanvasOperation {
    enum class Kind { Polygon, FillRect, Text };

    Kind kind = Kind::Polygon;
    std::vector<Point> points; // Polygon
    Rect rect;                 // FillRect
    Color fill;                // FillRect
    Point at;                  // Text
    std::string text;          // Text
    CanvasState state;

    bool isLine(Point from, Point to) const {
        return kind == Kind::Polygon && points.size() == 2 && points[0] == from && points[1] == to;
    }
};

class RecordingCanvas : public Canvas {
  public:
    std::vector<CanvasOperation> operations;
    CanvasState state;
    Size sizeMm{279, 216};

    MappingMode setMappingMode(MappingMode mode) override { return std::exchange(state.mappingMode, mode); }
    Pen selectPen(const Pen& pen) override { return std::exchange(state.pen, pen); }
    Font selectFont(const Font& font) override { return std::exchange(state.font, font); }
    Color setTextColor(Color color) override { return std::exchange(state.textColor, color); }
    Color setBackgroundColor(Color color) override { return std::exchange(state.backgroundColor, color); }
    BackgroundMode setBackgroundMode(BackgroundMode mode) override {
        return std::exchange(state.backgroundMode, mode);
    }

    void polygon(const std::vector<Point>& points) override {
        record(CanvasOperation::Kind::Polygon).points = points;
    }
    void fillRect(const Rect& rect, Color color) override {
        CanvasOperation& operation = record(CanvasOperation::Kind::FillRect);
        operation.rect = rect;
        operation.fill = color;
    }
    void text(Point topLeft, const std::string& text) override {
        CanvasOperation& operation = record(CanvasOperation::Kind::Text);
        operation.at = topLeft;
        operation.text = text;
    }

    // Four tenths of the font's height, truncated, and at least 1.
    int averageCharWidth() override {
        const int width = state.font.height * 4 / 10;
        return width < 1 ? 1 : width;
    }
    Size physicalSizeMm() override { return sizeMm; }

    // Views of the record
    std::vector<CanvasOperation> ofKind(CanvasOperation::Kind kind) const {
        std::vector<CanvasOperation> found;
        for (const CanvasOperation& operation : operations)
            if (operation.kind == kind) found.push_back(operation);
        return found;
    }
    std::vector<CanvasOperation> lines() const { return ofKind(CanvasOperation::Kind::Polygon); }
    std::vector<CanvasOperation> texts() const { return ofKind(CanvasOperation::Kind::Text); }
    std::vector<CanvasOperation> textsOf(const std::string& text) const {
        std::vector<CanvasOperation> found = texts();
        std::erase_if(found, [&](const CanvasOperation& operation) { return operation.text != text; });
        return found;
    }
    const CanvasOperation* findLine(Point from, Point to) const {
        for (const CanvasOperation& operation : operations)
            if (operation.isLine(from, to)) return &operation;
        return nullptr;
    }

  private:
    CanvasOperation& record(CanvasOperation::Kind kind) {
        CanvasOperation& operation = operations.emplace_back();
        operation.kind = kind;
        operation.state = state;
        return operation;
    }
};

} // namespace vorn::testing
