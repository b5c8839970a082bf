#include "ui/monitor/MonitorResources.h"

#include "monitor/MonitorForm.h"

namespace vorn::ui {

namespace {

using namespace monitor::control;

QString S(const char* text) {
    return QString::fromLatin1(text);
}

void AddLabelLists(std::vector<ControlSpec>& controls) {
    controls.push_back({ControlKind::Static, SlaveCaption, S("Slave Labels"), 6, 6, 179, 8});
    controls.push_back({ControlKind::ListBox, SlaveList, {}, 6, 18, 102, 132, VerticalScroll | TabStop});
    controls.push_back({ControlKind::Static, MemoryCaption, S("Memory Labels"), 6, 156, 96, 8});
    controls.push_back({ControlKind::ListBox, MemoryList, {}, 6, 168, 102, 138, VerticalScroll | TabStop});
}

void AddButtonColumn(std::vector<ControlSpec>& controls) {
    struct Button {
        int id;
        const char* text;
        int y;
    };
    constexpr Button kButtons[] = {{Step, "&Step", 18},
                                   {Reset, "&Reset=1", 42},
                                   {RefreshData, "Refresh &Data", 66},
                                   {ContinuousMode, "C&ontinuous Mode", 90},
                                   {SignalWaveforms, "Signal &Waveforms", 114}};
    for (const Button& button : kButtons)
        controls.push_back({ControlKind::Button, button.id, S(button.text), 114, button.y, 72, 18, TabStop});
    controls.push_back({ControlKind::Static, WriteCaption, S("Write to selected label:"), 114, 138, 78, 8});
    controls.push_back({ControlKind::Edit, WriteEdit, {}, 114, 150, 78, 12, TabStop | AutoHorizontalScroll});
    controls.push_back({ControlKind::Button, Write, S("Write"), 114, 168, 30, 12, TabStop});
    controls.push_back({ControlKind::Static, Status, {}, 114, 186, 78, 12});
}

// Nine rows from PC-4 to PC+4, 18 units apart, and a tenth that nothing writes.
void AddCommands(std::vector<ControlSpec>& controls) {
    controls.push_back({ControlKind::GroupBox, CommandGroup, S("Commands"), 194, 6, 238, 204});
    controls.push_back({ControlKind::Static, CommandHeader, {}, 205, 18, 209, 8});
    auto addRow = [&controls](const DisassemblyRow& row, int y) {
        controls.push_back({ControlKind::Static, row.address, {}, 210, y, 42, 8});
        controls.push_back({ControlKind::Static, row.word, {}, 264, y, 42, 8});
        controls.push_back({ControlKind::Static, row.text, {}, 318, y, 102, 8});
    };
    for (size_t row = 0; row < kDisassemblyRows.size(); ++row)
        addRow(kDisassemblyRows[row], 30 + 18 * static_cast<int>(row));
    addRow({IDC_SPARE_ROW, IDC_SPARE_ROW + 1, IDC_SPARE_ROW + 2}, 192);
    controls.push_back({ControlKind::Static, PcArrow, {}, 198, 102, 7, 7});
}

void AddRegisters(std::vector<ControlSpec>& controls) {
    controls.push_back({ControlKind::GroupBox, RegisterGroup, S("Registers"), 438, 6, 150, 204});
    for (int i = 0; i < 32; ++i) {
        const int x = i < 16 ? 444 : 516;
        const int y = 18 + 12 * (i % 16);
        controls.push_back({ControlKind::Static, FirstRegisterNumber + i, QString::number(i), x, y, 18, 8});
        controls.push_back({ControlKind::Static, FirstRegisterValue + i, S("0x00000000"), x + 24, y, 42, 8});
    }
}

void AddMemoryDump(std::vector<ControlSpec>& controls) {
    controls.push_back({ControlKind::GroupBox, DumpGroup, S("Memory Dump"), 120, 210, 468, 96});
    controls.push_back({ControlKind::Static, DumpAddressHeading, S("ADDRESS"), 126, 222, 48, 8});
    controls.push_back({ControlKind::Static, DumpValuesHeading, S("VALUES"), 204, 222, 48, 8});
    for (int row = 0; row < 4; ++row) {
        const int y = 234 + 12 * row;
        controls.push_back({ControlKind::Static, FirstDumpRowAddress + row,
                            S("MemCol") + QString::number(row), 126, y, 48, 8});
        for (int column = 0; column < 8; ++column)
            controls.push_back({ControlKind::Static, kDumpValues[static_cast<size_t>(8 * row + column)],
                                S("Static"), 204 + 48 * column, y, 42, 8});
    }
    controls.push_back({ControlKind::Static, DumpFromCaption, S("Mem Dump From:"), 126, 288, 60, 12});
    controls.push_back({ControlKind::Edit, DumpEdit, {}, 192, 288, 60, 12, TabStop | AutoHorizontalScroll});
    controls.push_back({ControlKind::Button, UpdateDump, S("Update Dump"), 258, 288, 60, 12, TabStop});
}

} // namespace

MenuBarSpec MonitorMenu() {
    return {
        {S("&File"),
         {{S("&New\tCtrl+N"), ID_FILE_NEW},
          {S("&Close"), ID_FILE_CLOSE},
          {},
          {S("&Save Label Report..."), ID_MONITOR_LABEL_REPORT},
          {S("Save &Data Snapshot..."), ID_MONITOR_DATA_SNAPSHOT},
          {},
          {S("E&xit"), ID_APP_EXIT}}},
        {S("&Edit"),
         {{S("&Undo\tCtrl+Z"), ID_EDIT_UNDO},
          {},
          {S("Cu&t\tCtrl+X"), ID_EDIT_CUT},
          {S("&Copy\tCtrl+C"), ID_EDIT_COPY},
          {S("&Paste\tCtrl+V"), ID_EDIT_PASTE}}},
        {S("&Configuration"),
         {{S("Configuration Wizard"), ID_MONITOR_WIZARD},
          {},
          {S("Labels Config"), ID_MONITOR_LABELS_CONFIG},
          {S("FPGA config"), ID_MONITOR_FPGA_CONFIG},
          {S("Memory Config"), ID_MONITOR_MEMORY_CONFIG}}},
        {S("&Run"),
         {{S("&Step"), ID_MONITOR_STEP},
          {S("Run &N steps..."), ID_MONITOR_RUN_STEPS},
          {S("Run until &PC=..."), ID_MONITOR_RUN_UNTIL_PC},
          {S("Run until &Reg=..."), ID_MONITOR_RUN_UNTIL_REG},
          {S("Run until &Memory=..."), ID_MONITOR_RUN_UNTIL_MEMORY},
          {S("Run until &halt"), ID_MONITOR_RUN_UNTIL_HALT}}},
        {S("&Signals"),
         {{S("Open &active signals window"), ID_MONITOR_ACTIVE_WINDOW},
          {S("Open &reference signals window"), ID_MONITOR_REFERENCE_WINDOW}}},
        {S("&Tests"),
         {{S("Test &IO"), ID_MONITOR_TEST_IO},
          {S("Test &FPGA"), ID_MONITOR_TEST_FPGA},
          {S("Test &Board"), ID_MONITOR_TEST_BOARD}}},
        {S("&View"), {{S("&Toolbar"), ID_VIEW_TOOLBAR}, {S("&Status Bar"), ID_VIEW_STATUS_BAR}}},
        {S("&Window"),
         {{S("&New Window"), ID_WINDOW_NEW},
          {S("&Cascade"), ID_WINDOW_CASCADE},
          {S("&Tile"), ID_WINDOW_TILE_HORZ},
          {S("&Arrange Icons"), ID_WINDOW_ARRANGE}}},
        {S("&Help"),
         {{S("&About VORN..."), ID_APP_ABOUT}, {S("&commands.xml version"), ID_COMMANDS_XML_VERSION}}},
    };
}

DialogSpec MonitorFormTemplate() {
    DialogSpec spec{101, {}, 590, 309, {}};
    AddLabelLists(spec.controls);
    AddButtonColumn(spec.controls);
    AddCommands(spec.controls);
    AddRegisters(spec.controls);
    AddMemoryDump(spec.controls);
    return spec;
}

} // namespace vorn::ui
