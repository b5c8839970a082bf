#include "waveform/GraphModel.h"

#include <algorithm>
#include <utility>

namespace vorn::waveform {

int GraphModel::selectedCount() const {
    return static_cast<int>(
        std::count_if(rows_.begin(), rows_.end(), [](const SignalRow& row) { return row.selected; }));
}

int GraphModel::soleSelected() const {
    if (selectedCount() != 1) return -1;
    return static_cast<int>(
        std::find_if(rows_.begin(), rows_.end(), [](const SignalRow& row) { return row.selected; }) -
        rows_.begin());
}

void GraphModel::ClearSelection() {
    for (SignalRow& row : rows_)
        row.selected = false;
}

void GraphModel::SelectOnly(int index) {
    ClearSelection();
    if (validIndex(index)) rows_[index].selected = true;
}

void GraphModel::ToggleSelection(int index) {
    if (validIndex(index)) rows_[index].selected = !rows_[index].selected;
}

void GraphModel::SelectRange(int index) {
    if (!validIndex(index)) return;
    const auto first =
        std::find_if(rows_.begin(), rows_.end(), [](const SignalRow& row) { return row.selected; });
    if (first == rows_.end()) {
        rows_[index].selected = true;
        return;
    }
    const int anchor = static_cast<int>(first - rows_.begin());
    ClearSelection();
    for (int i = std::min(anchor, index); i <= std::max(anchor, index); ++i)
        rows_[i].selected = true;
}

bool GraphModel::OnLButtonDown(Point point, bool ctrl, bool shift) {
    const bool inRows =
        point.x >= left() && point.x <= totalWidth() && point.y >= top() && point.y < totalHeight();
    const bool inMarkerBand =
        point.x >= tracesLeft() && point.x < totalWidth() && (point.y < top() || point.y > totalHeight());
    if (inRows) {
        const int i = (point.y - top()) / metrics_.rowHeight;
        if (ctrl) {
            ToggleSelection(i);
        } else if (shift) {
            SelectRange(i);
        } else if (rows_[i].selected) {
            // Keeps a multiple selection for the next command.
            return false;
        } else {
            SelectOnly(i);
        }
    } else if (inMarkerBand) {
        marker_ = point.x;
    } else {
        marker_ = -1;
        ClearSelection();
    }
    return true;
}

bool GraphModel::OnKeyDown(Key key) {
    if (key == Key::Up)
        MoveRowUp();
    else if (key == Key::Down)
        MoveRowDown();
    return key != Key::Other;
}

void GraphModel::MoveRowUp() {
    const int i = soleSelected();
    if (i > 0) std::swap(rows_[i], rows_[i - 1]);
}

void GraphModel::MoveRowDown() {
    const int i = soleSelected();
    if (i >= 0 && i + 1 < static_cast<int>(rows_.size())) std::swap(rows_[i], rows_[i + 1]);
}

} // namespace vorn::waveform
