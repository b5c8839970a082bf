#pragma once
// The traces of one row, shared by the screen and the printed page: a one-bit row as a line
// that steps between its low and high level, a bus as a chain of cells with slanted ends and
// hexadecimal values.

#include "Canvas.h"
#include "waveform/SignalRow.h"

#include <cstdint>
#include <string>

namespace vorn::waveform {

inline constexpr Pen kFramePen{kBlack, 3};
inline constexpr Pen kThinPen{kBlack, 1};
inline constexpr Color kGridGrey{220, 220, 220};

// Every text of a waveform is Arial with only the height set.
inline Font Arial(int height) {
    return Font{"Arial", height, 0};
}

// "0x" and the upper-case hexadecimal digits without leading zeros: 26 gives 0x1A.
std::string FormatHexValue(uint32_t value);

// Where a row's trace lies, in canvas coordinates: step s spans x0 + s * stepWidth to
// x0 + (s + 1) * stepWidth; bus values have their top edge at valueY.
struct TraceGeometry {
    int x0 = 0;
    int stepWidth = 0;
    int yLow = 0;
    int yHigh = 0;
    int valueY = 0;
};

// With the selected pen.
void DrawBitTrace(Canvas& canvas, const TraceGeometry& at, const SignalRow& row, int steps);
// With the selected pen; a value is written where it changes, in the font of valueFontHeight
// when it fits into three quarters of a step and a tenth smaller otherwise. The font that was
// selected before is selected again.
void DrawBusCells(Canvas& canvas, const TraceGeometry& at, const SignalRow& row, int steps,
                  int valueFontHeight);

} // namespace vorn::waveform
