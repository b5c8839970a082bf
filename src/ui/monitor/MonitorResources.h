#pragma once
// The Hardware Monitor's resources: its command ids, menu 129 and form 101.

#include "ui/framework/DialogTemplate.h"
#include "ui/framework/MenuTable.h"
#include "ui/shared/Resources.h"

namespace vorn::ui {

// Menu 129. The configuration wizard shares its id with the simulator's step, so the main
// frame's Ctrl+T reaches it in a monitor window.
inline constexpr int ID_MONITOR_WIZARD = 32771;
inline constexpr int ID_MONITOR_LABELS_CONFIG = 32773;
inline constexpr int ID_MONITOR_FPGA_CONFIG = 32774;
inline constexpr int ID_MONITOR_MEMORY_CONFIG = 32775;
inline constexpr int ID_MONITOR_REFERENCE_WINDOW = 32785;
inline constexpr int ID_MONITOR_STEP = 32786;
inline constexpr int ID_MONITOR_RUN_STEPS = 32787;
inline constexpr int ID_MONITOR_RUN_UNTIL_PC = 32788;
inline constexpr int ID_MONITOR_RUN_UNTIL_REG = 32789;
inline constexpr int ID_MONITOR_RUN_UNTIL_MEMORY = 32790;
inline constexpr int ID_MONITOR_RUN_UNTIL_HALT = 32791;
inline constexpr int ID_MONITOR_ACTIVE_WINDOW = 32792;
inline constexpr int ID_MONITOR_TEST_IO = 32793;
inline constexpr int ID_MONITOR_TEST_FPGA = 32794;
inline constexpr int ID_MONITOR_TEST_BOARD = 32795;
inline constexpr int ID_MONITOR_LABEL_REPORT = 32803;
inline constexpr int ID_MONITOR_DATA_SNAPSHOT = 32804;

// The cells of the tenth disassembly row, which nothing writes.
inline constexpr int IDC_SPARE_ROW = 1152; // 1152 to 1154

MenuBarSpec MonitorMenu();
DialogSpec MonitorFormTemplate();

} // namespace vorn::ui
