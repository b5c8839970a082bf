#include "simulator/StatePrinting.h"

#include "text/Text.h"

namespace vorn::simulator {

namespace {

constexpr int m = kStatePageMargin;

void DrawFrames(const StatePageMetrics& p, Canvas& canvas) {
    const int w = p.width, h = p.height, gx = p.gx, gy = p.gy, half = p.half, t = p.top, g3 = p.gx / 3;
    // Commands box, its top edge broken for the title
    canvas.line({m, -m}, {m + g3, -m});
    canvas.line({m + gx, -m}, {half - gx, -m});
    canvas.line({m, -m}, {m, gy - t});
    canvas.line({m, gy - t}, {half - gx, gy - t});
    canvas.line({half - gx, -m}, {half - gx, gy - t});
    // Registers box, likewise
    canvas.line({half + gx, -m}, {half + gx + g3, -m});
    canvas.line({half + 2 * gx, -m}, {w - m, -m});
    canvas.line({half + gx, -m}, {half + gx, gy - t});
    canvas.line({half + gx, gy - t}, {w - m, gy - t});
    canvas.line({w - m, -m}, {w - m, gy - t});
    // Memory Watch box, whole
    canvas.line({m, -(gy + t)}, {w - m, -(gy + t)});
    canvas.line({w - m, -(gy + t)}, {w - m, -(h - m)});
    canvas.line({m, -(gy + t)}, {m, -(h - m)});
    canvas.line({w - m, -(h - m)}, {m, -(h - m)});
}

void DrawTitles(const StatePageMetrics& p, Canvas& canvas) {
    const int raise = (2 * p.gy) / 5;
    canvas.text({m + p.gx / 5, raise - m}, "  Commands");
    canvas.text({p.half + 15 + p.gx / 5, raise - m}, "  Registers");
    canvas.text({m + p.gx / 5, raise - p.gy - p.top}, "  Memory Watch");
}

void DrawRegisters(const FormTexts& texts, const StatePageMetrics& p, Canvas& canvas) {
    const int left = p.half + 2 * p.gx;
    const int columnStep = ((p.width - m) - left - p.gx) / 2;
    const int rowStep = (p.top - 4 * p.gy - m) / 16;
    for (int i = 0; i < FormTexts::kRegisters; ++i) {
        const int column = i / 16, row = i % 16;
        canvas.text({left + column * columnStep, -(2 * p.gy + m) - row * rowStep},
                    "R" + text::IntToText(i) + "\t\t" + texts.registers[i]);
    }
}

void DrawCommands(const FormTexts& texts, const StatePageMetrics& p, Canvas& canvas) {
    const int x0 = p.gx + m;
    const int columnStep = (p.half - x0 - p.gx) / 3;
    const int rowStep = (p.top - 4 * p.gy - m) / 11;
    const int headingY = -(2 * p.gy + m);
    canvas.text({x0, headingY}, "address");
    canvas.text({x0 + columnStep, headingY}, "value");
    canvas.text({x0 + 2 * columnStep, headingY}, "command");
    // Rows without an address are printed too, with empty texts.
    for (int r = 0; r < FormTexts::kRows; ++r) {
        const int y = -(2 * p.gy + m + rowStep + r * rowStep);
        canvas.text({x0, y}, texts.MarkedAddressText(r));
        canvas.text({x0 + columnStep, y}, texts.values[r]);
        canvas.text({x0 + 2 * columnStep, y}, texts.commands[r]);
    }
}

void DrawWatches(const FormTexts& texts, const StatePageMetrics& p, Canvas& canvas) {
    const int x0 = p.gx + m;
    const int quarter = ((p.width - m) - x0 - p.gx) / 8;
    const int rowStep = ((p.height - m) - (p.top + 3 * p.gy) - p.gy) / 5;
    for (int i = 0; i < FormTexts::kWatches; ++i) {
        const int group = i / 5, row = i % 5;
        const int x = x0 + group * 3 * quarter;
        const int y = -(p.top + 3 * p.gy) - row * rowStep;
        canvas.text({x, y}, texts.watchAddresses[i]);
        canvas.text({x + quarter, y}, texts.watchValues[i]);
    }
}

} // namespace

StatePageMetrics ComputeStatePageMetrics(Size physicalMm) {
    StatePageMetrics p;
    p.width = HundredthsOfInch(physicalMm.width);
    p.height = HundredthsOfInch(physicalMm.height);
    p.gx = p.width * 15 / 822;
    p.gy = p.height * 15 / 1035;
    p.half = p.width / 2;
    p.top = (2 * p.height) / 3;
    return p;
}

void PrintState(const FormTexts& texts, Canvas& canvas) {
    canvas.setMappingMode(MappingMode::LoEnglish);
    const StatePageMetrics page = ComputeStatePageMetrics(canvas.physicalSizeMm());
    const Pen previousPen = canvas.selectPen({kStateFrameColor, 1});
    DrawFrames(page, canvas);
    canvas.selectPen({kBlack, 1});
    const Font previousFont = canvas.selectFont({"Arial", 12, 0});
    DrawTitles(page, canvas);
    DrawRegisters(texts, page, canvas);
    DrawCommands(texts, page, canvas);
    DrawWatches(texts, page, canvas);
    canvas.selectFont(previousFont);
    canvas.selectPen(previousPen);
}

} // namespace vorn::simulator
