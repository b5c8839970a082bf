#pragma once
// A page of the configuration wizard's sheet: a widget built from its dialog template, whose
// fields stand for the wizard engine's page state. The sheet calls the page as a property sheet
// calls its pages: activation, leaving (where the page keeps its fields), Next and Finish.

#include "monitor/ConfigurationWizard.h"
#include "ui/framework/DialogTemplate.h"

#include <QWidget>

namespace vorn::ui {

// The wizard sheet's buttons, by the ids they have in a property sheet (and as object names).
inline constexpr int ID_WIZBACK = 0x3023;
inline constexpr int ID_WIZNEXT = 0x3024;
inline constexpr int ID_WIZFINISH = 0x3025;

class CWizardPage : public QWidget {
  public:
    CWizardPage(const DialogSpec& spec, monitor::WizardPage page, QWidget* parent = nullptr);

    monitor::WizardPage page() const { return page_; }
    template <class T> T* control(int id) const { return controls_.control<T>(id); }
    QWidget* controlWidget(int id) const { return controls_.find(id); }

    // The page becomes active: it shows the engine's state.
    virtual void OnSetActive(bool fullWizard) = 0;
    // The sheet leaves the page by Back, Next or Finish: the page keeps its fields.
    virtual void OnKillActive() {}
    virtual void OnWizardNext() {}
    virtual void OnWizardFinish() {}

  private:
    monitor::WizardPage page_;
    ControlMap controls_;
};

// The index of the checked radio button among the ids first, first + 1, ...; -1 when none is.
int CheckedRadio(const CWizardPage& page, int first, int count);
// Checks the radio button first + index; its group's others go off.
void CheckRadio(const CWizardPage& page, int first, int index);

} // namespace vorn::ui
