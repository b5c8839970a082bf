#pragma once
// The state of the Hardware Monitor's form (dialog 101) as the engine decides it: the texts,
// visibility and enabling of the controls it changes, by control id, the lines and selections
// of the two label lists, and the default button. The ui builds the form from its template and
// after every call into the monitor shows what stands here (Controls() holds every control the
// engine has a say in; the others keep their template state).

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vorn::monitor {

// Control ids of dialog 101.
namespace control {
inline constexpr int SlaveList = 1002;
inline constexpr int MemoryList = 1003;
inline constexpr int SignalWaveforms = 1004;
inline constexpr int Status = 1006;
inline constexpr int ContinuousMode = 1010;
inline constexpr int UpdateDump = 1012;
inline constexpr int FirstRegisterValue = 1013;  // register i in 1013 + i
inline constexpr int FirstRegisterNumber = 1045; // "0" to "31" in 1045 + i
inline constexpr int RegisterGroup = 1077;
inline constexpr int MemoryCaption = 1078;
inline constexpr int DumpGroup = 1079;
inline constexpr int CommandGroup = 1080;
inline constexpr int WriteCaption = 1086;
inline constexpr int SlaveCaption = 1102;
inline constexpr int PcArrow = 1103;
inline constexpr int DumpFromCaption = 1104;
inline constexpr int FirstDumpRowAddress = 1105; // dump row r in 1105 + r
inline constexpr int DumpAddressHeading = 1121;
inline constexpr int DumpValuesHeading = 1122;
inline constexpr int RefreshData = 1125;
inline constexpr int WriteEdit = 1126;
inline constexpr int Write = 1127;
inline constexpr int Step = 1129;
inline constexpr int Reset = 1130;
inline constexpr int CommandHeader = 1138;
inline constexpr int DumpEdit = 2001;

// The 32 dump values, word k of the dump in kDumpValues[k] (rows of eight).
inline constexpr std::array<int, 32> kDumpValues{1081, 1082, 1083, 1084, 1085, 1087, 1088, 1089, //
                                                 1090, 1091, 1092, 1093, 1094, 1095, 1096, 1097, //
                                                 1098, 1099, 1100, 1101, 1109, 1110, 1111, 1112, //
                                                 1113, 1114, 1115, 1116, 1117, 1118, 1119, 1120};

struct DisassemblyRow {
    int address;
    int word;
    int text;
};
// The nine disassembly rows, PC-4 to PC+4; the PC row is kDisassemblyRows[kPcRow].
inline constexpr int kPcRow = 4;
inline constexpr std::array<DisassemblyRow, 9> kDisassemblyRows{{{1161, 1162, 1163},
                                                                 {1158, 1159, 1160},
                                                                 {1155, 1156, 1157},
                                                                 {1135, 1136, 1137},
                                                                 {1123, 1124, 1131},
                                                                 {1132, 1133, 1134},
                                                                 {1139, 1140, 1141},
                                                                 {1143, 1144, 1145},
                                                                 {1149, 1150, 1151}}};
} // namespace control

struct ControlState {
    std::optional<std::string> text; // nothing: the template's text stands
    bool visible = true;
    bool enabled = true;
};

struct ListBoxState {
    std::vector<std::string> lines;
    int selection = -1;
};

class MonitorForm {
  public:
    // The value cells start with their template texts ("0x00000000", "MemCol0", "Static", empty).
    MonitorForm();

    const std::map<int, ControlState>& Controls() const { return controls_; }
    // The text the control shows: the engine's, else empty.
    std::string Text(int id) const;
    bool Visible(int id) const;
    bool Enabled(int id) const;

    void SetText(int id, std::string text);
    void Show(int id, bool visible);
    void Enable(int id, bool enabled);

    // The groups that the lab choice shows or hides as a whole.
    void ShowRegisterControls(bool visible);
    void ShowMemoryControls(bool visible);
    // The group, its header and the rows PC-1, PC and PC+1.
    void ShowCommandControls(bool visible);

    ListBoxState slaveList;
    ListBoxState memoryList;
    int defaultButton = 0; // 0 while the template's default stands

  private:
    ControlState& At(int id) { return controls_[id]; }

    std::map<int, ControlState> controls_;
};

} // namespace vorn::monitor
