#include "monitor/ConfigurationWizard.h"

namespace vorn::monitor {

ConfigurationWizard::ConfigurationWizard(const isa::Settings& settings, Prompter& prompter,
                                         const std::string& caption)
    : labels(settings, prompter, caption, state),
      fpga(".bit", "BIT files (*.bit *.BIT);;All files (*.*)", prompter),
      memory(".cod", "COD files (*.cod *.COD);;All files (*.*)", prompter), settings_(settings),
      caption_(caption) {}

void ConfigurationWizard::OnShow() {
    lab = SimpleSlave;
    labels.OnShow();
}

WizardButtons ConfigurationWizard::Buttons(WizardPage page, bool fullWizard) {
    if (page == WizardPage::LabChoice) return {.next = true};
    if (!fullWizard) return {.finish = true};
    if (page == WizardPage::Memory) return {.back = true, .finish = true};
    return {.back = true, .next = true};
}

std::optional<Fault> ConfigurationWizard::OnLabChoiceNext(int chosenLab) {
    const auto flags = LabFlagsOf(chosenLab);
    if (!flags) return Fault{"Error - no lab selected. REPORT TO ZUVO.", caption_, 0};
    lab = chosenLab;
    state.flags = *flags;
    return std::nullopt;
}

} // namespace vorn::monitor
