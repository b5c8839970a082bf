#include "waveform/GraphModel.h"

#include <algorithm>

namespace vorn::waveform {

bool GraphModel::CombineRows(const std::vector<int>& indices, const std::string& name) {
    const int count = static_cast<int>(indices.size());
    if (count < 2 || count > kMaxBusWidth || !std::is_sorted(indices.begin(), indices.end()) ||
        std::adjacent_find(indices.begin(), indices.end()) != indices.end() || !validIndex(indices.front()) ||
        !validIndex(indices.back()))
        return false;
    if (std::any_of(indices.begin(), indices.end(), [this](int i) { return rows_[i].isBus(); })) return false;
    SignalRow bus;
    bus.name = name;
    for (int k = 0; k < count; ++k) {
        // Each removal before it has moved the next row up by one.
        const auto row = rows_.begin() + (indices[k] - k);
        bus.sources.push_back(row->sources.front());
        rows_.erase(row);
    }
    bus.ComputeValues(steps_, signals_);
    bus.selected = true;
    rows_.insert(rows_.begin() + indices.front(), bus);
    UpdateScrollSizes();
    return true;
}

bool GraphModel::SpreadRow(int index) {
    if (!validIndex(index) || !rows_[index].isBus()) return false;
    const std::vector<int> sources = rows_[index].sources;
    for (size_t b = 0; b < sources.size(); ++b)
        rows_.insert(rows_.begin() + index + 1 + static_cast<int>(b), RowOfSignal(sources[b]));
    rows_.erase(rows_.begin() + index);
    UpdateScrollSizes();
    return true;
}

bool GraphModel::ReverseRow(int index) {
    if (!validIndex(index) || !rows_[index].isBus()) return false;
    rows_[index].reversed = !rows_[index].reversed;
    rows_[index].ComputeValues(steps_, signals_);
    return true;
}

bool GraphModel::RenameRow(int index, std::string name) {
    if (!validIndex(index)) return false;
    rows_[index].name = std::move(name);
    return true;
}

} // namespace vorn::waveform
