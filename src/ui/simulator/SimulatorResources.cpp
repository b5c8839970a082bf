#include "ui/simulator/SimulatorResources.h"

namespace vorn::ui {

namespace {

QString S(const char* text) {
    return QString::fromLatin1(text);
}

constexpr unsigned kEdit = TabStop | AutoHorizontalScroll;

// The y of Commands row r: thirteen units apart, with one more before row 6.
constexpr int kRowY[] = {43, 56, 69, 82, 95, 108, 122, 135, 148, 161};
constexpr int kWatchRowY[] = {226, 241, 256, 271, 286};

void AddCommandsWindow(std::vector<ControlSpec>& controls) {
    controls.push_back({ControlKind::GroupBox, -1, S("Commands"), 14, 15, 203, 163});
    controls.push_back({ControlKind::Static, -1, S("address"), 26, 32, 40, 8});
    controls.push_back({ControlKind::Static, -1, S("value"), 82, 32, 40, 8});
    controls.push_back({ControlKind::Static, -1, S("command"), 138, 32, 40, 8});
    for (int r = 0; r < 10; ++r)
        controls.push_back({ControlKind::Edit, IDC_ADDRESS + r, {}, 26, kRowY[r], 50, 12, kEdit});
    for (int r = 0; r < 10; ++r)
        controls.push_back({ControlKind::Edit, IDC_VALUE + r, {}, 82, kRowY[r], 50, 12, kEdit});
    for (int r = 0; r < 10; ++r)
        controls.push_back({ControlKind::Edit, IDC_COMMAND + r, {}, 141, kRowY[r], 73, 12, kEdit});
    controls.push_back({ControlKind::Button, IDC_STEP, S("Step"), 14, 188, 50, 14, TabStop});
}

// Each value field follows its label, so the tab key walks R0, R1, ... R31.
void AddRegisters(std::vector<ControlSpec>& controls) {
    controls.push_back({ControlKind::GroupBox, -1, S("Registers"), 226, 15, 200, 186});
    for (int i = 0; i < 32; ++i) {
        const int x = i < 16 ? 235 : 335;
        const int y = 28 + 10 * (i % 16);
        controls.push_back({ControlKind::Edit, IDC_REGISTER_LABEL + i, {}, x, y, 27, 8, ReadOnly | NoBorder});
        controls.push_back(
            {ControlKind::Edit, IDC_REGISTER + i, {}, x + (i < 16 ? 27 : 25), y, 63, 10, kEdit});
    }
}

void AddWatches(std::vector<ControlSpec>& controls) {
    controls.push_back({ControlKind::GroupBox, -1, S("Memory Watch"), 17, 213, 409, 89});
    constexpr int kAddressX[] = {22, 160, 300};
    constexpr int kValueX[] = {76, 214, 354};
    for (int i = 0; i < 15; ++i) {
        const int column = i / 5, y = kWatchRowY[i % 5];
        controls.push_back(
            {ControlKind::Edit, IDC_WATCH_ADDRESS + i, {}, kAddressX[column], y, 50, 12, kEdit | ReadOnly});
        controls.push_back({ControlKind::Edit, IDC_WATCH_VALUE + i, {}, kValueX[column], y, 63, 12, kEdit});
    }
}

} // namespace

MenuBarSpec SimulatorMenu() {
    return {
        {S("&File"),
         {{S("&New\tCtrl+N"), ID_FILE_NEW},
          {S("Open Source..."), ID_OPEN_SOURCE},
          {S("Open COD..."), ID_OPEN_COD},
          {S("Save State..."), ID_SAVE_STATE},
          {S("&Close"), ID_FILE_CLOSE},
          {},
          {S("&Print...\tCtrl+P"), ID_FILE_PRINT},
          {S("Print Pre&view"), ID_FILE_PRINT_PREVIEW},
          {S("P&rint Setup..."), ID_FILE_PRINT_SETUP},
          {},
          {S("E&xit"), ID_APP_EXIT}}},
        {S("&Edit"),
         {{S("&Undo\tCtrl+Z"), ID_EDIT_UNDO},
          {S("Cu&t\tCtrl+X"), ID_EDIT_CUT},
          {S("&Copy\tCtrl+C"), ID_EDIT_COPY},
          {S("&Paste\tCtrl+V"), ID_EDIT_PASTE}}},
        {S("&Simulator"),
         {{S("Reset"), ID_SIMULATOR_RESET},
          {S("Jump To..."), ID_JUMP_TO},
          {S("Add Watch..."), ID_ADD_WATCH},
          {S("Replace Register set"), ID_REPLACE_REGISTER_SET},
          {S("Remove Watches"), ID_REMOVE_WATCHES},
          {S("Set Memory"),
           0,
           {{S("With Value..."), ID_FILL_MEMORY}, {S("From Dump File..."), ID_LOAD_DUMP_FILE}}},
          {S("Memory Dump..."), ID_MEMORY_DUMP},
          {S("Reset Registers"), ID_RESET_REGISTERS}}},
        {S("&Run"),
         {{S("S&tep\tCtrl+t"), ID_SIMULATOR_STEP},
          {S("Run &N steps..."), ID_RUN_STEPS},
          {S("Run until &PC=..."), ID_RUN_UNTIL_PC},
          {S("Run until &Reg=..."), ID_RUN_UNTIL_REG},
          {S("Run until &Memory=..."), ID_RUN_UNTIL_MEMORY},
          {S("Run until &Halt"), ID_RUN_UNTIL_HALT}}},
        {S("&View"), {{S("Toolbar"), ID_VIEW_TOOLBAR}, {S("&Status Bar"), ID_VIEW_STATUS_BAR}}},
        {S("&Window"),
         {{S("&New Window"), ID_WINDOW_NEW},
          {S("&Cascade"), ID_WINDOW_CASCADE},
          {S("Tile"), ID_WINDOW_TILE_HORZ},
          {S("&Arrange Icons"), ID_WINDOW_ARRANGE}}},
        {S("&Help"),
         {{S("&About SimGraph..."), ID_APP_ABOUT}, {S("commands.&xml version"), ID_COMMANDS_XML_VERSION}}},
    };
}

DialogSpec SimulatorFormTemplate() {
    DialogSpec spec{106, {}, 465, 331, {}, QStringLiteral("Liberation Sans"), 8};
    AddCommandsWindow(spec.controls);
    AddRegisters(spec.controls);
    AddWatches(spec.controls);
    return spec;
}

} // namespace vorn::ui
