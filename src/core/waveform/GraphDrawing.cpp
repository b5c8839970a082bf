#include "waveform/GraphDrawing.h"

#include "waveform/Traces.h"

#include <string>

namespace vorn::waveform {
namespace {

constexpr Pen kInversePen{kWhite, 1};

int RowTop(const GraphModel& model, int i) {
    return model.top() + i * model.metrics().rowHeight;
}

TraceGeometry RowTrace(const GraphModel& model, int i) {
    const ZoomMetrics& m = model.metrics();
    const int yLow = RowTop(model, i + 1) - (m.rowHeight - m.halfRow) / 2;
    const int yHigh = yLow - m.halfRow;
    return {model.tracesLeft(), m.stepWidth, yLow, yHigh, yHigh + m.halfRow / 5};
}

Font NameFont(const GraphModel& model) {
    return Arial(static_cast<int>(1.5 * model.metrics().rulerFont));
}

// The row's name in the name column; gives back the font that was selected before.
Font DrawRowName(const GraphModel& model, Canvas& canvas, int i, const SignalRow& row) {
    Font previous = canvas.selectFont(NameFont(model));
    const ZoomMetrics& m = model.metrics();
    canvas.text({model.left() + m.stepWidth / 4, RowTop(model, i) + m.rowHeight / 3}, row.name);
    return previous;
}

// A selected row's traces are white on a black band; gives back the pen selected before.
Pen BeginRowTraces(const GraphModel& model, Canvas& canvas, int i, const SignalRow& row) {
    if (!row.selected) return canvas.selectPen(kThinPen);
    const Pen previous = canvas.selectPen(kInversePen);
    const int top = RowTop(model, i);
    canvas.fillRect({model.tracesLeft(), top, model.tracesLeft() + model.steps() * model.metrics().stepWidth,
                     top + model.metrics().rowHeight},
                    kBlack);
    return previous;
}

void DrawRuler(const GraphModel& model, Canvas& canvas) {
    const ZoomMetrics& m = model.metrics();
    const int x0 = model.tracesLeft();
    const int top = model.top();
    const int bottom = model.totalHeight();
    canvas.text({x0 - m.rulerDx, top - m.rulerDy}, "0");
    canvas.text({x0 - m.rulerDx, bottom + m.rulerDy / 2}, "0");
    for (int i = 1; i < model.steps(); ++i) {
        const int x = x0 + i * m.stepWidth;
        canvas.line({x, top + m.tick}, {x, top - m.tick});
        canvas.line({x, bottom + m.tick}, {x, bottom - m.tick});
        canvas.text({x - m.rulerDx, top - m.rulerDy}, std::to_string(i));
        canvas.text({x - m.rulerDx, bottom + m.rulerDy / 2}, std::to_string(i));
    }
}

void DrawGrid(const GraphModel& model, Canvas& canvas) {
    const ZoomMetrics& m = model.metrics();
    const int x0 = model.tracesLeft();
    for (int i = 1; i < model.steps(); ++i) {
        const int x = x0 + i * m.stepWidth;
        canvas.line({x, model.top() + m.tick}, {x, model.totalHeight() - m.tick});
    }
    for (int i = 1; i < static_cast<int>(model.rows().size()); ++i) {
        const int y = RowTop(model, i);
        canvas.line({x0 + 2, y}, {model.totalWidth() - 2, y});
    }
}

} // namespace

void OnDraw(const GraphModel& model, Canvas& canvas) {
    DrawFrame(model, canvas);
    for (int i = 0; i < static_cast<int>(model.rows().size()); ++i) {
        const SignalRow& row = model.rows()[i];
        if (row.isBus())
            DrawBusRow(model, canvas, i, row);
        else
            DrawBitRow(model, canvas, i, row);
    }
    if (model.marker() > 0 && !model.rows().empty()) DrawMarker(model, canvas);
}

void DrawFrame(const GraphModel& model, Canvas& canvas) {
    const int rows = static_cast<int>(model.rows().size());
    if (rows == 0) return;
    const ZoomMetrics& m = model.metrics();
    const int left = model.left();
    const int top = model.top();
    const int x0 = model.tracesLeft();
    const int right = model.totalWidth();
    const int bottom = model.totalHeight();

    const Pen previousPen = canvas.selectPen(kFramePen);
    canvas.line({left, top}, {right, top});
    canvas.line({left, top}, {left, bottom});
    canvas.line({x0, top}, {x0, bottom});
    canvas.line({left + 2 * m.stepWidth, top}, {left + 2 * m.stepWidth, bottom});
    for (int i = 1; i < rows; ++i)
        canvas.line({left, RowTop(model, i)}, {x0, RowTop(model, i)});

    canvas.selectPen(kThinPen);
    canvas.line({left, bottom}, {right, bottom});
    canvas.line({right, top}, {right, bottom});

    const Font previousFont = canvas.selectFont(Arial(m.rulerFont));
    DrawRuler(model, canvas);
    if (model.grid()) {
        canvas.selectPen({kGridGrey, 1});
        DrawGrid(model, canvas);
    }
    canvas.selectFont(NameFont(model));
    const int belowRuler = bottom + m.rulerDy / 2;
    canvas.text({left + m.tick, static_cast<int>(belowRuler + 1.5 * m.rulerFont)}, model.notes());

    canvas.selectPen(previousPen);
    canvas.selectFont(previousFont);
}

void DrawBitRow(const GraphModel& model, Canvas& canvas, int i, const SignalRow& row) {
    if (row.isBus()) return;
    const Font previousFont = DrawRowName(model, canvas, i, row);
    const Pen previousPen = BeginRowTraces(model, canvas, i, row);
    DrawBitTrace(canvas, RowTrace(model, i), row, model.steps());
    canvas.selectFont(previousFont);
    canvas.selectPen(previousPen);
}

void DrawBusRow(const GraphModel& model, Canvas& canvas, int i, const SignalRow& row) {
    if (!row.isBus()) return;
    const Font previousFont = DrawRowName(model, canvas, i, row);
    const Pen previousPen = BeginRowTraces(model, canvas, i, row);
    if (row.selected) {
        canvas.setTextColor(kWhite);
        canvas.setBackgroundColor(kBlack);
    }
    DrawBusCells(canvas, RowTrace(model, i), row, model.steps(), model.metrics().rulerFont);
    canvas.selectFont(previousFont);
    canvas.selectPen(previousPen);
    canvas.setTextColor(kBlack);
    canvas.setBackgroundColor(kWhite);
}

void DrawMarker(const GraphModel& model, Canvas& canvas) {
    const ZoomMetrics& m = model.metrics();
    const int marker = model.marker();
    const int s = (marker - 4 * m.stepWidth - model.left()) / m.stepWidth;
    if (marker < model.tracesLeft() || s >= model.steps()) return;
    const Font previousFont = canvas.selectFont(Arial(static_cast<int>(1.3 * m.rulerFont)));
    const int w = canvas.averageCharWidth();
    const Pen previousPen = canvas.selectPen(kThinPen);
    const auto& rows = model.rows();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const int top = RowTop(model, i);
        if (!rows[i].selected) canvas.line({marker, top}, {marker, top + m.rowHeight});
        const int y = top + m.rowHeight / 3;
        const uint32_t value = rows[i].value[s];
        if (!rows[i].isBus()) {
            canvas.setTextColor(value != 0 ? kMarkerOne : kMarkerZero);
            canvas.text({model.left() + 3 * m.stepWidth - w / 2, y}, value != 0 ? "1" : "0");
        } else {
            const std::string text = FormatHexValue(value);
            canvas.setTextColor(kBlack);
            const int width = (w + 1) * static_cast<int>(text.size());
            canvas.text({model.left() + 2 * m.stepWidth + (2 * m.stepWidth - width) / 2, y}, text);
        }
    }
    canvas.line({marker, model.top() - m.rowHeight / 2}, {marker, model.top()});
    canvas.line({marker, model.totalHeight() + m.rowHeight / 2}, {marker, model.totalHeight()});
    canvas.selectPen(kInversePen);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        if (rows[i].selected) canvas.line({marker, RowTop(model, i)}, {marker, RowTop(model, i + 1)});
    canvas.selectPen(previousPen);
    canvas.selectFont(previousFont);
}

} // namespace vorn::waveform
