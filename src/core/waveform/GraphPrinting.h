#pragma once
// The printed waveform: one page laid out from the page's physical size, not from the
// screen's zoom, in hundredths of an inch with y growing upward (a point d units below the
// top edge is at y = -d). No value column, no marker and no inverse video.

#include "Canvas.h"
#include "waveform/GraphModel.h"

namespace vorn::waveform {

struct PrintMetrics {
    int pageWidth = 0; // hundredths of an inch
    int pageHeight = 0;
    int stepWidth = 0;
    int rowHeight = 0;
    int halfRow = 0;
    int x0 = 0;          // left edge of the traces; the name column runs from the margin to it
    int frameWidth = 0;  // right edge of the frame
    int frameHeight = 0; // distance of the frame's bottom edge below the page's top
    int rulerFont = 0;
    int tick = 0;
    int rowFont = 0;

    bool operator==(const PrintMetrics&) const = default;
};

inline constexpr int kPrintMargin = 30;

PrintMetrics ComputePrintMetrics(Size physicalMm, int steps, int rows);

void OnPrint(const GraphModel& model, Canvas& canvas);
void PrintBitRow(const GraphModel& model, Canvas& canvas, int i, const SignalRow& row);
void PrintBusRow(const GraphModel& model, Canvas& canvas, int i, const SignalRow& row);

} // namespace vorn::waveform
