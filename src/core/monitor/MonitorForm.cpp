#include "monitor/MonitorForm.h"

namespace vorn::monitor {

using namespace control;

MonitorForm::MonitorForm() {
    for (int i = 0; i < 32; ++i) {
        SetText(FirstRegisterValue + i, "0x00000000");
        SetText(kDumpValues[static_cast<size_t>(i)], "Static");
    }
    for (int r = 0; r < 4; ++r)
        SetText(FirstDumpRowAddress + r, "MemCol" + std::to_string(r));
    for (const DisassemblyRow& row : kDisassemblyRows)
        for (int id : {row.address, row.word, row.text})
            SetText(id, {});
}

std::string MonitorForm::Text(int id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() && found->second.text ? *found->second.text : std::string();
}

bool MonitorForm::Visible(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() || found->second.visible;
}

bool MonitorForm::Enabled(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() || found->second.enabled;
}

void MonitorForm::SetText(int id, std::string text) {
    At(id).text = std::move(text);
}

void MonitorForm::Show(int id, bool visible) {
    At(id).visible = visible;
}

void MonitorForm::Enable(int id, bool enabled) {
    At(id).enabled = enabled;
}

void MonitorForm::ShowRegisterControls(bool visible) {
    Show(RegisterGroup, visible);
    for (int i = 0; i < 32; ++i) {
        Show(FirstRegisterNumber + i, visible);
        Show(FirstRegisterValue + i, visible);
    }
}

void MonitorForm::ShowMemoryControls(bool visible) {
    for (int id : {DumpFromCaption, DumpEdit, DumpAddressHeading, DumpValuesHeading, UpdateDump,
                   MemoryCaption, DumpGroup, MemoryList})
        Show(id, visible);
    for (int r = 0; r < 4; ++r)
        Show(FirstDumpRowAddress + r, visible);
    for (int id : kDumpValues)
        Show(id, visible);
}

void MonitorForm::ShowCommandControls(bool visible) {
    Show(CommandGroup, visible);
    Show(CommandHeader, visible);
    for (int row = kPcRow - 1; row <= kPcRow + 1; ++row) {
        const DisassemblyRow& cells = kDisassemblyRows[static_cast<size_t>(row)];
        for (int id : {cells.address, cells.word, cells.text})
            Show(id, visible);
    }
}

} // namespace vorn::monitor
