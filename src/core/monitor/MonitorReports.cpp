#include "monitor/MonitorReports.h"

#include "monitor/MonitorTexts.h"

namespace vorn::monitor {

namespace {

std::string ListSection(const std::string& heading, const ListBoxState& list) {
    std::string text = heading;
    for (const std::string& line : list.lines)
        text += line + "\n";
    return text;
}

std::string LabelSection(const std::string& heading, const std::vector<Label>& labels, uint32_t base) {
    std::string text = heading;
    for (const Label& label : labels)
        text += label.name + Format(" @ 0x%x\n", static_cast<unsigned>(label.value - base));
    return text;
}

std::string RegisterLines(const MonitorForm& form) {
    std::string text = "\nRegisters:\n";
    for (int j = 0; j < 8; ++j) {
        const int first = control::FirstRegisterValue + 4 * j;
        text += Format("%-3s : ", ("R" + std::to_string(4 * j)).c_str());
        text += form.Text(first) + " " + form.Text(first + 1) + " " + form.Text(first + 2) + " " +
                form.Text(first + 3) + "\n";
    }
    return text;
}

std::string DumpLines(const MonitorForm& form, uint32_t dumpStart) {
    std::string text = "\nMemory Dump:\n";
    for (size_t j = 0; j < 8; ++j) {
        text += Format("0x%.8x : ", static_cast<unsigned>(dumpStart + 4 * j));
        for (size_t k = 4 * j; k < 4 * j + 4; ++k)
            text += form.Text(control::kDumpValues[k]) + (k % 4 == 3 ? "\n" : " ");
    }
    return text;
}

std::string DisassemblyLines(const MonitorForm& form) {
    std::string text = "\nCommand Disassembly:\n";
    for (size_t row = 0; row < control::kDisassemblyRows.size(); ++row) {
        const control::DisassemblyRow& cells = control::kDisassemblyRows[row];
        text += row == control::kPcRow ? "-->\t" : "\t";
        text += form.Text(cells.address) + "\t" + form.Text(cells.word) + "\t" + form.Text(cells.text) + "\n";
    }
    return text;
}

} // namespace

std::string LabelReportText(const StartAddresses& addresses, const LabelMaps& labels, uint32_t slaveBase) {
    std::string text = "Label and addresses Report:\n";
    if (addresses.cpuRamSet)
        text += Format("CPU RAM Address: 0x%x\n", static_cast<unsigned>(addresses.cpuRam - slaveBase));
    if (addresses.laRamSet)
        text += Format("LA RAM Address: 0x%x\n", static_cast<unsigned>(addresses.laRam - slaveBase));
    text += LabelSection("\nSlave Labels:\n", labels.Of(LabelKind::Slave), slaveBase);
    text += LabelSection("\nGraphic Labels:\n", labels.Of(LabelKind::Graphic), 0);
    text += LabelSection("\nMemory Labels:\n", labels.Of(LabelKind::Memory), 0);
    return text;
}

std::string DataSnapshotText(const MonitorForm& form, const SnapshotScope& scope) {
    std::string text;
    if (scope.flags.slaveLabels) text += ListSection("Slave Labels:\n", form.slaveList);
    if (scope.flags.registers && scope.cpuRamSet) text += RegisterLines(form);
    if (scope.flags.memoryLabels && scope.laRamSet)
        text += ListSection("\nMemory Labels:\n", form.memoryList) + DumpLines(form, scope.dumpStart);
    if (scope.flags.commands && scope.hasPcLabel) text += DisassemblyLines(form);
    return text;
}

} // namespace vorn::monitor
