#include "waveform/GraphPrinting.h"

#include "waveform/Traces.h"

#include <algorithm>
#include <string>

namespace vorn::waveform {
namespace {

PrintMetrics MetricsOf(const GraphModel& model, Canvas& canvas) {
    return ComputePrintMetrics(canvas.physicalSizeMm(), model.steps(), static_cast<int>(model.rows().size()));
}

int RowTop(const PrintMetrics& m, int i) {
    return kPrintMargin + i * m.rowHeight;
}

TraceGeometry RowTrace(const PrintMetrics& m, int i) {
    const int yLow = RowTop(m, i + 1) - (m.rowHeight - m.halfRow) / 2;
    const int yHigh = yLow - m.halfRow;
    return {m.x0, m.stepWidth, -yLow, -yHigh, -(yHigh + m.halfRow / 5)};
}

// The row's name in the name column; gives back the font that was selected before.
Font PrintRowName(const PrintMetrics& m, Canvas& canvas, int i, const SignalRow& row) {
    Font previous = canvas.selectFont(Arial(static_cast<int>(1.5 * m.rowFont)));
    canvas.text({kPrintMargin + m.stepWidth / 4, -(RowTop(m, i) + m.rowHeight / 3)}, row.name);
    return previous;
}

void PrintRuler(const GraphModel& model, Canvas& canvas, const PrintMetrics& m) {
    const int dx = static_cast<int>(m.rulerFont / 1.5);
    const int yAbove = static_cast<int>(1.5 * m.rulerFont - kPrintMargin);
    const int yBelow = -m.frameHeight - m.rulerFont / 2;
    canvas.text({m.x0 - dx, yAbove}, "0");
    canvas.text({m.x0 - dx, yBelow}, "0");
    canvas.text({model.left(), -(m.rulerFont / 2 + m.rulerFont + m.frameHeight)}, model.notes());
    for (int i = 1; i < model.steps(); ++i) {
        const int x = m.x0 + i * m.stepWidth;
        canvas.line({x, -kPrintMargin - m.tick}, {x, -kPrintMargin + m.tick});
        canvas.line({x, -m.frameHeight - m.tick}, {x, -m.frameHeight + m.tick});
        canvas.text({x - dx, yAbove}, std::to_string(i));
        canvas.text({x - dx, yBelow}, std::to_string(i));
    }
}

void PrintGrid(const GraphModel& model, Canvas& canvas, const PrintMetrics& m) {
    for (int i = 1; i < model.steps(); ++i) {
        const int x = m.x0 + i * m.stepWidth;
        canvas.line({x, -kPrintMargin - m.tick}, {x, -m.frameHeight + m.tick});
    }
    for (int i = 1; i < static_cast<int>(model.rows().size()); ++i)
        canvas.line({m.x0 + 2, -RowTop(m, i)}, {m.frameWidth - 2, -RowTop(m, i)});
}

} // namespace

PrintMetrics ComputePrintMetrics(Size physicalMm, int steps, int rows) {
    PrintMetrics m;
    m.pageWidth = HundredthsOfInch(physicalMm.width);
    m.pageHeight = HundredthsOfInch(physicalMm.height);
    m.stepWidth = (m.pageWidth - 40) / (steps <= 5 ? 7 : steps + 2);
    m.rowHeight = (m.pageHeight - 60) / (rows <= 12 ? 12 : rows);
    m.halfRow = m.rowHeight / 2;
    m.x0 = kPrintMargin + 2 * m.stepWidth;
    m.frameWidth = (steps + 2) * m.stepWidth + kPrintMargin;
    m.frameHeight = rows * m.rowHeight + kPrintMargin;
    m.rulerFont = std::min(m.rowHeight / 3, 10);
    m.tick = m.rulerFont / 4;
    m.rowFont = std::min(m.rowHeight / 3, 7);
    return m;
}

void OnPrint(const GraphModel& model, Canvas& canvas) {
    const MappingMode previousMode = canvas.setMappingMode(MappingMode::LoEnglish);
    const PrintMetrics m = MetricsOf(model, canvas);
    const int top = -kPrintMargin;
    const int bottom = -m.frameHeight;

    const Pen previousPen = canvas.selectPen(kFramePen);
    canvas.line({kPrintMargin, top}, {m.frameWidth, top});
    canvas.line({kPrintMargin, top}, {kPrintMargin, bottom});
    canvas.line({m.x0, top}, {m.x0, bottom});
    for (int i = 1; i < static_cast<int>(model.rows().size()); ++i)
        canvas.line({kPrintMargin, -RowTop(m, i)}, {m.x0, -RowTop(m, i)});

    canvas.selectPen(kThinPen);
    canvas.line({kPrintMargin, bottom}, {m.frameWidth, bottom});
    canvas.line({m.frameWidth, top}, {m.frameWidth, bottom});

    const Font previousFont = canvas.selectFont(Arial(m.rulerFont));
    PrintRuler(model, canvas, m);
    if (model.grid()) {
        canvas.selectPen({kGridGrey, 1});
        PrintGrid(model, canvas, m);
    }
    for (int i = 0; i < static_cast<int>(model.rows().size()); ++i) {
        const SignalRow& row = model.rows()[i];
        if (row.isBus())
            PrintBusRow(model, canvas, i, row);
        else
            PrintBitRow(model, canvas, i, row);
    }
    canvas.selectPen(previousPen);
    canvas.selectFont(previousFont);
    canvas.setMappingMode(previousMode);
}

void PrintBitRow(const GraphModel& model, Canvas& canvas, int i, const SignalRow& row) {
    if (row.isBus()) return;
    const PrintMetrics m = MetricsOf(model, canvas);
    const Font previousFont = PrintRowName(m, canvas, i, row);
    const Pen previousPen = canvas.selectPen(kThinPen);
    DrawBitTrace(canvas, RowTrace(m, i), row, model.steps());
    canvas.selectPen(previousPen);
    canvas.selectFont(previousFont);
}

void PrintBusRow(const GraphModel& model, Canvas& canvas, int i, const SignalRow& row) {
    if (!row.isBus()) return;
    const PrintMetrics m = MetricsOf(model, canvas);
    const Font previousFont = PrintRowName(m, canvas, i, row);
    const Pen previousPen = canvas.selectPen(kThinPen);
    DrawBusCells(canvas, RowTrace(m, i), row, model.steps(), m.rowFont);
    canvas.selectPen(previousPen);
    canvas.selectFont(previousFont);
}

} // namespace vorn::waveform
