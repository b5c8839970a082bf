#pragma once
// The waveform view on the screen, in view coordinates (pixels, y down): a frame with a name
// column, a value column and the traces, a step ruler above and below the rows, the grid,
// the notes line, one trace per row, inverse video for selected rows, and the marker with
// each row's value at the marker step.

#include "Canvas.h"
#include "waveform/GraphModel.h"

namespace vorn::waveform {

inline constexpr Color kMarkerOne{0, 150, 0};
inline constexpr Color kMarkerZero{200, 0, 0};

void OnDraw(const GraphModel& model, Canvas& canvas);
void DrawFrame(const GraphModel& model, Canvas& canvas);
void DrawBitRow(const GraphModel& model, Canvas& canvas, int i, const SignalRow& row);
void DrawBusRow(const GraphModel& model, Canvas& canvas, int i, const SignalRow& row);
void DrawMarker(const GraphModel& model, Canvas& canvas);

} // namespace vorn::waveform
