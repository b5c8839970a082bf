#include "waveform/Traces.h"

#include "text/BitField.h"

namespace vorn::waveform {

std::string FormatHexValue(uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    int top = 7;
    while (top > 0 && text::GetBitField(4 * top, 4 * top + 3, value) == 0)
        --top;
    std::string text = "0x";
    for (int nibble = top; nibble >= 0; --nibble)
        text += kDigits[text::GetBitField(4 * nibble, 4 * nibble + 3, value)];
    return text;
}

void DrawBitTrace(Canvas& canvas, const TraceGeometry& at, const SignalRow& row, int steps) {
    for (int s = 0; s < steps; ++s) {
        const int xs = at.x0 + s * at.stepWidth;
        const int y = row.value[s] != 0 ? at.yHigh : at.yLow;
        canvas.line({xs, y}, {xs + at.stepWidth, y});
        if (s > 0 && row.value[s] != row.value[s - 1]) canvas.line({xs, at.yLow}, {xs, at.yHigh});
    }
}

void DrawBusCells(Canvas& canvas, const TraceGeometry& at, const SignalRow& row, int steps,
                  int valueFontHeight) {
    const Font fitting = Arial(valueFontHeight);
    const Font smaller = Arial(static_cast<int>(0.9 * valueFontHeight));
    const Font previous = canvas.selectFont(fitting);
    const int charWidth = canvas.averageCharWidth();
    const int e = at.stepWidth / 8;
    for (int k = 1; k <= steps; ++k) {
        const int xa = at.x0 + (k - 1) * at.stepWidth;
        const int xb = at.x0 + k * at.stepWidth;
        const uint32_t value = row.value[k - 1];
        canvas.line({xa + e, at.yLow}, {xb - e, at.yLow});
        canvas.line({xa + e, at.yHigh}, {xb - e, at.yHigh});
        if (k == 1 || value != row.value[k - 2]) {
            const std::string text = FormatHexValue(value);
            const bool fits = static_cast<double>(text.size()) * charWidth <= 0.75 * at.stepWidth;
            canvas.selectFont(fits ? fitting : smaller);
            canvas.text({xa + e, at.valueY}, text);
        }
        if (k < steps) {
            const bool same = row.value[k] == value;
            canvas.line({xb - e, at.yLow}, {xb + e, same ? at.yLow : at.yHigh});
            canvas.line({xb - e, at.yHigh}, {xb + e, same ? at.yHigh : at.yLow});
        }
    }
    canvas.selectFont(previous);
}

} // namespace vorn::waveform
