#pragma once
// The label model: names for places on the board. Slave labels name registers of the student's
// slave device (held as board addresses, SLAVEbase + offset), graphic labels name bits of the
// logic analyser's sample word (held as bit numbers), memory labels name words of the board's
// RAM (held as addresses). Each kind keeps its labels in display order; a name is used at most
// once per kind and names are case-sensitive.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorn::monitor {

// The values of the "Label Type" radio group.
enum class LabelKind : int { Slave = 0, Graphic = 1, Memory = 2 };
inline constexpr std::array<LabelKind, 3> kLabelKinds{LabelKind::Slave, LabelKind::Graphic,
                                                      LabelKind::Memory};

// The fixed slave label names that the monitor looks up.
inline constexpr const char* kPcLabel = "PC";
inline constexpr const char* kStatusLabel = "STATUS";
inline constexpr const char* kCommandLabel = "COMMAND";

struct Label {
    std::string name;
    uint32_t value = 0;

    bool operator==(const Label&) const = default;
};

class LabelMaps {
  public:
    // In display order.
    const std::vector<Label>& Of(LabelKind kind) const { return kinds_[Index(kind)]; }
    std::optional<uint32_t> Find(LabelKind kind, const std::string& name) const;
    // Replaces the value of the label of that name where it stands, or appends a new label.
    void Set(LabelKind kind, const std::string& name, uint32_t value);
    void Remove(LabelKind kind, const std::string& name);
    void Clear();
    bool Empty() const;

    bool operator==(const LabelMaps&) const = default;

  private:
    static size_t Index(LabelKind kind) { return static_cast<size_t>(kind); }

    std::array<std::vector<Label>, 3> kinds_;
};

} // namespace vorn::monitor
