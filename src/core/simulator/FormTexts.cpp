#include "simulator/FormTexts.h"

#include "simulator/TypedNumber.h"

namespace vorn::simulator {

int32_t FormTexts::RowAddress(int r) const {
    return static_cast<int32_t>(static_cast<uint32_t>(base) + static_cast<uint32_t>(r - kPcRow));
}

std::string FormTexts::AddressText(int r) const {
    const int32_t address = RowAddress(r);
    return address < 0 ? std::string() : HexText(address);
}

std::string FormTexts::MarkedAddressText(int r) const {
    const int32_t address = RowAddress(r);
    if (address < 0) return {};
    return (r == kMarkedRow ? "->" : "  ") + HexText(address);
}

} // namespace vorn::simulator
