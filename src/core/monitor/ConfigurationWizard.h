#pragma once
// The configuration wizard of a Hardware Monitor view ("Configuration Wizard"): the state of its
// four pages (lab choice, labels, FPGA file, memory image) and the lab flags and start
// addresses that the whole monitor reads. The ui shows the sheet, in full or reduced to one
// page, and asks here for each page's buttons and enabling; what follows a Finish or a cancel
// is the monitor's (HardwareMonitor::OnWizardEnded and its kin).

#include "Prompter.h"
#include "Result.h"
#include "isa/Settings.h"
#include "monitor/LabelsPage.h"
#include "monitor/PathPage.h"
#include "monitor/WizardState.h"

#include <optional>
#include <string>

namespace vorn::monitor {

enum class WizardPage { LabChoice, Labels, Fpga, Memory };

struct WizardButtons {
    bool back = false;
    bool next = false;
    bool finish = false;

    bool operator==(const WizardButtons&) const = default;
};

class ConfigurationWizard {
  public:
    ConfigurationWizard(const isa::Settings& settings, Prompter& prompter, const std::string& caption);
    ConfigurationWizard(const ConfigurationWizard&) = delete;
    ConfigurationWizard& operator=(const ConfigurationWizard&) = delete;

    static constexpr const char* kCaption = "Configuration Wizard";

    WizardState state;
    int lab = SimpleSlave; // the lab choice page's radio group
    LabelsPage labels;
    PathPage fpga;
    PathPage memory;

    // A showing of the sheet makes its page windows anew: the lab choice starts on the first
    // lab, the labels page with empty fields.
    void OnShow();
    // The buttons a page sets when it becomes active, in the full wizard or alone.
    static WizardButtons Buttons(WizardPage page, bool fullWizard);
    // Next on the lab choice page sets the lab flags. A value that names no lab is a fault that
    // ends the process (exit code 0).
    std::optional<Fault> OnLabChoiceNext(int chosenLab);
    // The FPGA path can be changed only where the lab configures the FPGA (configureBit); the
    // .cod path only with memory labels.
    bool FpgaPathEnabled() const { return settings_.configureBit; }
    bool MemoryPathEnabled() const { return state.flags.memoryLabels; }
    // The .cod file to upload: the memory page's path where the lab has memory labels. A lab
    // without them has no image, whatever path an earlier lab left in the disabled field.
    std::string ImagePath() const { return MemoryPathEnabled() ? memory.path : std::string(); }

  private:
    const isa::Settings& settings_;
    std::string caption_;
};

} // namespace vorn::monitor
