#pragma once
// The DLX Simulator's resources: its command ids, menu 107 and form 106.

#include "ui/framework/DialogTemplate.h"
#include "ui/framework/MenuTable.h"
#include "ui/shared/Resources.h"

namespace vorn::ui {

// The simulator's own commands (ID_SIMULATOR_STEP is the Run menu's "Step").
inline constexpr int ID_RUN_STEPS = 32772;
inline constexpr int ID_RUN_UNTIL_HALT = 32773;
inline constexpr int ID_RUN_UNTIL_PC = 32774;
inline constexpr int ID_SIMULATOR_RESET = 32775;
inline constexpr int ID_RUN_UNTIL_REG = 32776;
inline constexpr int ID_RUN_UNTIL_MEMORY = 32777;
inline constexpr int ID_JUMP_TO = 32779;
inline constexpr int ID_FILL_MEMORY = 32781;
inline constexpr int ID_LOAD_DUMP_FILE = 32782;
inline constexpr int ID_ADD_WATCH = 32783;
inline constexpr int ID_MEMORY_DUMP = 32784;
inline constexpr int ID_SAVE_STATE = 32785;
inline constexpr int ID_OPEN_SOURCE = 32786;
// The Hardware Monitor menu's id of "Run N steps", which the simulator also takes.
inline constexpr int ID_RUN_STEPS_ALIAS = 32787;
inline constexpr int ID_OPEN_COD = 32789;
inline constexpr int ID_REMOVE_WATCHES = 32790;
inline constexpr int ID_RESET_REGISTERS = 32796;
inline constexpr int ID_REPLACE_REGISTER_SET = 32812;

// Form 106: the controls by id.
inline constexpr int IDC_STEP = 1008;            // the "Step" button, which sends its id to the document
inline constexpr int IDC_ADDRESS = 2000;         // + row 0..9
inline constexpr int IDC_VALUE = 2010;           // + row
inline constexpr int IDC_COMMAND = 2020;         // + row
inline constexpr int IDC_REGISTER = 2030;        // + register 0..31
inline constexpr int IDC_WATCH_ADDRESS = 2063;   // + watch 0..14
inline constexpr int IDC_WATCH_VALUE = 2078;     // + watch
inline constexpr int IDC_REGISTER_LABEL = 32813; // + register

MenuBarSpec SimulatorMenu();
DialogSpec SimulatorFormTemplate();

} // namespace vorn::ui
