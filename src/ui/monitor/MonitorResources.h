#pragma once
// The Hardware Monitor's resources: its command ids, menu 129 and form 101.

#include "monitor/MonitorCommands.h"
#include "ui/framework/DialogTemplate.h"
#include "ui/framework/MenuTable.h"
#include "ui/shared/Resources.h"

namespace vorn::ui {

// Menu 129, by the engine's command ids. The configuration wizard shares its id with the
// simulator's step, so the main frame's Ctrl+T reaches it in a monitor window.
inline constexpr int ID_MONITOR_WIZARD = monitor::command::Wizard;
inline constexpr int ID_MONITOR_LABELS_CONFIG = monitor::command::LabelsConfig;
inline constexpr int ID_MONITOR_FPGA_CONFIG = monitor::command::FpgaConfig;
inline constexpr int ID_MONITOR_MEMORY_CONFIG = monitor::command::MemoryConfig;
inline constexpr int ID_MONITOR_REFERENCE_WINDOW = monitor::command::ReferenceWindow;
inline constexpr int ID_MONITOR_STEP = monitor::command::Step;
inline constexpr int ID_MONITOR_RUN_STEPS = monitor::command::RunSteps;
inline constexpr int ID_MONITOR_RUN_UNTIL_PC = monitor::command::RunUntilPc;
inline constexpr int ID_MONITOR_RUN_UNTIL_REG = monitor::command::RunUntilReg;
inline constexpr int ID_MONITOR_RUN_UNTIL_MEMORY = monitor::command::RunUntilMemory;
inline constexpr int ID_MONITOR_RUN_UNTIL_HALT = monitor::command::RunUntilHalt;
inline constexpr int ID_MONITOR_ACTIVE_WINDOW = monitor::command::ActiveWindow;
inline constexpr int ID_MONITOR_TEST_IO = monitor::command::TestIo;
inline constexpr int ID_MONITOR_TEST_FPGA = monitor::command::TestFpga;
inline constexpr int ID_MONITOR_TEST_BOARD = monitor::command::TestBoard;
inline constexpr int ID_MONITOR_LABEL_REPORT = monitor::command::LabelReport;
inline constexpr int ID_MONITOR_DATA_SNAPSHOT = monitor::command::DataSnapshot;

// The cells of the tenth disassembly row, which nothing writes.
inline constexpr int IDC_SPARE_ROW = 1152; // 1152 to 1154

MenuBarSpec MonitorMenu();
DialogSpec MonitorFormTemplate();

} // namespace vorn::ui
