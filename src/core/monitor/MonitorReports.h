#pragma once
// The two text files that the Hardware Monitor writes: the label report (the start addresses
// and every label with its address) and the data snapshot (the texts the form shows now).
// Both are written in text mode: every "\n" is CR LF on disk. The board is not read for them.

#include "monitor/LabelMaps.h"
#include "monitor/MonitorForm.h"
#include "monitor/WizardState.h"

#include <cstdint>
#include <string>

namespace vorn::monitor {

// The save dialog's filter of both reports; the default extension is ".txt".
inline constexpr const char* kReportFilter = "TXT Files (*.txt *.TXT);;All Files (*.*)";

// cpuRam and laRam are the view's board addresses; slave labels and both start addresses are
// reported as offsets from SLAVEbase.
std::string LabelReportText(const StartAddresses& addresses, const LabelMaps& labels, uint32_t slaveBase);

struct SnapshotScope {
    LabFlags flags;
    bool cpuRamSet = false;
    bool laRamSet = false; // the memory sections need it beside the memory flag
    bool hasPcLabel = false;
    uint32_t dumpStart = 0;
};

std::string DataSnapshotText(const MonitorForm& form, const SnapshotScope& scope);

} // namespace vorn::monitor
