#pragma once
// The two pages that name a file to send to the board: "FPGA Configuration" (dialog 132, the
// .bit file for the loader) and "Memory Configuration" (dialog 133, the .cod image). The path
// stays in the engine's page from one showing of the wizard to the next.

#include "ui/monitor/CWizardPage.h"

#include <functional>

namespace vorn::ui {

class CPathPage : public CWizardPage {
  public:
    // Whether the path may be changed is asked at each activation.
    CPathPage(const DialogSpec& spec, monitor::WizardPage page, monitor::PathPage& model,
              std::function<bool()> pathEnabled, QWidget* parent = nullptr);
    static CPathPage* FpgaPage(monitor::ConfigurationWizard& wizard, QWidget* parent = nullptr);
    static CPathPage* MemoryPage(monitor::ConfigurationWizard& wizard, QWidget* parent = nullptr);
    static DialogSpec FpgaTemplate();
    static DialogSpec MemoryTemplate();

    void OnSetActive(bool fullWizard) override;
    void OnKillActive() override;
    void OnBrowse();

  private:
    monitor::PathPage& model_;
    std::function<bool()> pathEnabled_;
};

} // namespace vorn::ui
