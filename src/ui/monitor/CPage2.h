#pragma once
// "Labels Configuration" (dialog 131): the label editor over the engine's labels page. Before
// each command the page hands its fields (the label type, the four edit fields and the list
// selections) to the engine, and after it shows the engine's fields, lists and enabling.

#include "ui/monitor/CWizardPage.h"

#include <array>
#include <functional>

class QListWidget;

namespace vorn::ui {

class HeldSelection;

class CPage2 : public CWizardPage {
  public:
    CPage2(monitor::LabelsPage& page, QWidget* parent = nullptr);
    static DialogSpec Template();

    void OnSetActive(bool fullWizard) override;
    void OnKillActive() override;
    // Next in the full wizard and Finish alone check the start address fields.
    void OnWizardNext() override;
    void OnWizardFinish() override;

  private:
    void Act(const std::function<void()>& command);
    void StoreFields();
    void ShowFields();
    QListWidget* List(monitor::LabelKind kind) const;

    monitor::LabelsPage& page_;
    // The name, address, CPU RAM and LA RAM fields.
    std::array<HeldSelection*, 4> fields_{};
};

} // namespace vorn::ui
