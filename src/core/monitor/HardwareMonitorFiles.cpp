// The .cod upload, the label report and the data snapshot.

#include "monitor/CodUpload.h"
#include "monitor/HardwareMonitor.h"
#include "monitor/MonitorReports.h"
#include "monitor/MonitorTexts.h"

#include <fstream>

namespace vorn::monitor {

bool HardwareMonitor::UploadCodFile(const std::string& path) {
    writeSuppressed_ = false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    ReadCodUpload(in, [this](uint32_t address, uint32_t word) { WriteBoardWord(address, word); });
    return true;
}

void HardwareMonitor::OnSaveLabelReport() {
    const auto path = prompter_.chooseSaveFile(kReportFilter);
    if (!path) return;
    const StartAddresses addresses{cpuRam_, laRam_, wizard_.state.addresses.cpuRamSet,
                                   wizard_.state.addresses.laRamSet};
    WriteTextFile(WithDefaultExtension(*path, ".txt"),
                  LabelReportText(addresses, labels_, settings_.SLAVEbase));
}

void HardwareMonitor::OnSaveDataSnapshot() {
    const auto path = prompter_.chooseSaveFile(kReportFilter);
    if (!path) return;
    const SnapshotScope scope{wizard_.state.flags, wizard_.state.addresses.cpuRamSet,
                              labels_.Find(LabelKind::Slave, kPcLabel).has_value(), dumpStart_};
    WriteTextFile(WithDefaultExtension(*path, ".txt"), DataSnapshotText(form_, scope));
}

} // namespace vorn::monitor
