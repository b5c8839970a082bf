#pragma once
// The printed page of a simulator view: three grey boxes (Commands top left, Registers top
// right, Memory Watch below) with their titles and the view's texts, laid out from the page's
// physical size in hundredths of an inch with y growing upward (a point d units below the top
// edge is at y = -d). Every division truncates toward zero.

#include "Canvas.h"
#include "simulator/FormTexts.h"

namespace vorn::simulator {

struct StatePageMetrics {
    int width = 0;  // W, hundredths of an inch
    int height = 0; // H
    int gx = 0;     // the horizontal gap, W * 15 / 822
    int gy = 0;     // the vertical gap, H * 15 / 1035
    int half = 0;   // W / 2
    int top = 0;    // t, the height of the upper boxes' band: 2H / 3

    bool operator==(const StatePageMetrics&) const = default;
};

inline constexpr int kStatePageMargin = 30;
inline constexpr Color kStateFrameColor{200, 200, 200};

StatePageMetrics ComputeStatePageMetrics(Size physicalMm);

// Draws the page; the canvas is left in the page's mapping mode with its pen and font restored.
void PrintState(const FormTexts& texts, Canvas& canvas);

} // namespace vorn::simulator
