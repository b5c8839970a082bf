#pragma once
// The configuration wizard: a sheet of four pages (lab choice, labels, FPGA configuration file,
// memory image), shown whole or as one of its pages alone.

#include <QWidget>
#include <functional>

namespace vorn::monitor {
class HardwareMonitor;
}

namespace vorn::ui {

enum class WizardSheet {
    Full,         // "Configuration Wizard": all four pages
    LabelsConfig, // the labels page alone
    FpgaConfig,   // the FPGA page alone
    MemoryConfig, // the memory page alone
};

// Runs the sheet modally: wizard().OnShow(), the pages, then the monitor's OnWizardEnded,
// OnLabelsConfigEnded, OnFpgaConfigEnded or OnMemoryConfigEnded with whether it finished.
void RunWizardSheet(QWidget* parent, monitor::HardwareMonitor& monitor, WizardSheet sheet);

// Tests answer the sheet through a hook instead of showing it (the hook then calls the
// monitor's end handler itself); an empty function removes it. With VORN_BOXES=print the sheet
// is cancelled without being shown.
using WizardHook = std::function<void(monitor::HardwareMonitor& monitor, WizardSheet sheet)>;
void SetWizardHook(WizardHook hook);

} // namespace vorn::ui
