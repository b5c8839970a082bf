#include "monitor/LabelMaps.h"

#include <algorithm>

namespace vorn::monitor {

std::optional<uint32_t> LabelMaps::Find(LabelKind kind, const std::string& name) const {
    const auto& labels = Of(kind);
    const auto found =
        std::find_if(labels.begin(), labels.end(), [&](const Label& l) { return l.name == name; });
    if (found == labels.end()) return std::nullopt;
    return found->value;
}

void LabelMaps::Set(LabelKind kind, const std::string& name, uint32_t value) {
    auto& labels = kinds_[Index(kind)];
    const auto found =
        std::find_if(labels.begin(), labels.end(), [&](const Label& l) { return l.name == name; });
    if (found != labels.end())
        found->value = value;
    else
        labels.push_back({name, value});
}

void LabelMaps::Remove(LabelKind kind, const std::string& name) {
    std::erase_if(kinds_[Index(kind)], [&](const Label& l) { return l.name == name; });
}

void LabelMaps::Clear() {
    for (auto& labels : kinds_)
        labels.clear();
}

bool LabelMaps::Empty() const {
    return std::all_of(kinds_.begin(), kinds_.end(), [](const auto& labels) { return labels.empty(); });
}

} // namespace vorn::monitor
