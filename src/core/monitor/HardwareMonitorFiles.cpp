// The .cod upload, the label report and the data snapshot.

#include "monitor/CodUpload.h"
#include "monitor/HardwareMonitor.h"
#include "monitor/MonitorReports.h"
#include "monitor/MonitorTexts.h"
#include "text/ChosenFile.h"
#include "text/WholeFile.h"

namespace vorn::monitor {

bool HardwareMonitor::UploadCodFile(const std::string& path) {
    writeSuppressed_ = false;
    std::istringstream in;
    if (!text::OpenChosenFile(path, in)) return false;
    ReadCodUpload(in, [this](uint32_t address, uint32_t word) { WriteBoardWord(address, word); });
    return true;
}

void HardwareMonitor::OnSaveLabelReport() {
    const auto path = prompter_.chooseSaveFile(kReportFilter);
    if (!path) return;
    WriteReport(WithDefaultExtension(*path, ".txt"),
                LabelReportText(addresses_, labels_, settings_.SLAVEbase));
}

void HardwareMonitor::OnSaveDataSnapshot() {
    const auto path = prompter_.chooseSaveFile(kReportFilter);
    if (!path) return;
    const StartAddresses& addresses = addresses_;
    const SnapshotScope scope{wizard_.state.flags, addresses.cpuRamSet, addresses.laRamSet,
                              labels_.Find(LabelKind::Slave, kPcLabel).has_value(), dumpStart_};
    WriteReport(WithDefaultExtension(*path, ".txt"), DataSnapshotText(form_, scope));
}

void HardwareMonitor::WriteReport(const std::string& path, const std::string& text) {
    if (!WriteTextFile(path, text)) Message(text::CannotWriteText(path));
}

} // namespace vorn::monitor
