#pragma once
// The one drawing surface of the engine. It keeps state the way a Windows device context
// does: a selected pen and font, text and background colours, a background mode and a
// mapping mode; every drawing call uses what is selected at that moment. The setters give
// back what was selected before, so a drawing function can put it back when it is done.
//
// A fresh canvas has a black pen of width 1, the default font, black text on an opaque white
// background and the pixel mapping.

#include <cstdint>
#include <string>
#include <vector>

namespace vorn {

struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};

struct Point {
    int x = 0;
    int y = 0;

    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;

    bool operator==(const Size&) const = default;
};

// Two opposite corners in logical units; the right and bottom edges are not filled.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const Rect&) const = default;
};

// A solid pen; its width is in logical units (0 and 1 both give the thinnest line).
struct Pen {
    Color color;
    int width = 1;

    bool operator==(const Pen&) const = default;
};

// height is the character cell height in logical units (ascent plus descent); weight 0 takes
// the face's normal weight, otherwise 100 (thin) to 900 (black), 700 being bold.
struct Font {
    std::string face;
    int height = 0;
    int weight = 0;

    bool operator==(const Font&) const = default;
};

inline const Font kDefaultFont{"System", 16, 700};

enum class MappingMode {
    Pixels,    // one unit a device pixel, y grows downward
    LoEnglish, // one unit 0.01 inch, y grows upward: a page lies at y <= 0 from its top edge down
};

// A length on paper in the units of the LoEnglish mapping, truncated.
inline int HundredthsOfInch(int millimetres) {
    return static_cast<int>(millimetres / 25.4 * 100.0);
}

enum class BackgroundMode { Opaque, Transparent };

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual MappingMode setMappingMode(MappingMode mode) = 0;
    virtual Pen selectPen(const Pen& pen) = 0;
    virtual Font selectFont(const Font& font) = 0;
    virtual Color setTextColor(Color color) = 0;
    virtual Color setBackgroundColor(Color color) = 0;
    virtual BackgroundMode setBackgroundMode(BackgroundMode mode) = 0;

    // The closed outline through the points with the selected pen; the inside is not filled.
    virtual void polygon(const std::vector<Point>& points) = 0;
    virtual void fillRect(const Rect& rect, Color color) = 0;
    // The text with the top left corner of its first cell at the point, in the text colour;
    // an opaque background first fills the text's cells with the background colour.
    virtual void text(Point topLeft, const std::string& text) = 0;

    // The average character width of the selected font, in logical units.
    virtual int averageCharWidth() = 0;
    // The physical size of the surface in millimetres: for a printer, the printable page.
    virtual Size physicalSizeMm() = 0;

    // A line whose two end points are both painted, drawn as a closed two-point polygon.
    void line(Point from, Point to) { polygon({from, to}); }
};

} // namespace vorn
