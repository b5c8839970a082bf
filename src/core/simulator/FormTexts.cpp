#include "simulator/FormTexts.h"

#include "simulator/TypedNumber.h"

#include <climits>

namespace vorn::simulator {

std::optional<int32_t> FormTexts::RowAddress(int r) const {
    const int64_t address = int64_t{base} + (r - kPcRow);
    if (address < 0 || address > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(address);
}

std::string FormTexts::AddressText(int r) const {
    const std::optional<int32_t> address = RowAddress(r);
    return address ? HexText(*address) : std::string();
}

std::string FormTexts::MarkedAddressText(int r) const {
    const std::optional<int32_t> address = RowAddress(r);
    if (!address) return {};
    return (r == kMarkedRow ? "->" : "  ") + HexText(*address);
}

} // namespace vorn::simulator
