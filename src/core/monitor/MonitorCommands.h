#pragma once
// The command ids of the Hardware Monitor's menu (menu 129). The form's buttons command by their
// control ids (MonitorForm.h); the two ranges do not meet, so an id names one command of either.

namespace vorn::monitor::command {

inline constexpr int Wizard = 32771;
inline constexpr int LabelsConfig = 32773;
inline constexpr int FpgaConfig = 32774;
inline constexpr int MemoryConfig = 32775;
inline constexpr int ReferenceWindow = 32785;
inline constexpr int Step = 32786;
inline constexpr int RunSteps = 32787;
inline constexpr int RunUntilPc = 32788;
inline constexpr int RunUntilReg = 32789;
inline constexpr int RunUntilMemory = 32790;
inline constexpr int RunUntilHalt = 32791;
inline constexpr int ActiveWindow = 32792;
inline constexpr int TestIo = 32793;
inline constexpr int TestFpga = 32794;
inline constexpr int TestBoard = 32795;
inline constexpr int LabelReport = 32803;
inline constexpr int DataSnapshot = 32804;

} // namespace vorn::monitor::command
