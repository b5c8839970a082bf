#pragma once
// "Lab Choice" (dialog 130): the lab decides the monitor's panels, label kinds and wizard
// fields.

#include "ui/monitor/CWizardPage.h"

namespace vorn::ui {

class CPage1 : public CWizardPage {
  public:
    CPage1(monitor::ConfigurationWizard& wizard, QWidget* parent = nullptr);
    static DialogSpec Template();

    void OnSetActive(bool fullWizard) override;
    // Sets the lab flags. With no lab checked the box is shown and the process ends with the
    // fault's exit code: a modal sheet's loop would outlive QCoreApplication::exit.
    void OnWizardNext() override;

  private:
    monitor::ConfigurationWizard& wizard_;
};

} // namespace vorn::ui
