#include "ui/monitor/CPage1.h"

#include "ui/framework/MessageBox.h"

#include <cstdlib>

namespace vorn::ui {

namespace {

constexpr int kFirstLab = 1000;
constexpr int kLabCount = 4;

} // namespace

DialogSpec CPage1::Template() {
    return {130,
            QStringLiteral("Lab Choice"),
            434,
            188,
            {{ControlKind::GroupBox, -1, QStringLiteral("The Current Lab"), 7, 7, 420, 80},
             {ControlKind::Radio, 1000, QStringLiteral("A simple slave device"), 17, 22, 200, 10},
             {ControlKind::Radio, 1001, QStringLiteral("Built in self monitoring"), 17, 37, 200, 10},
             {ControlKind::Radio, 1002, QStringLiteral("A Read/Write machine"), 17, 52, 200, 10},
             {ControlKind::Radio, 1003, QStringLiteral("A Load/Store machine + A simplified DLX"), 17, 67,
              200, 10}}};
}

CPage1::CPage1(monitor::ConfigurationWizard& wizard, QWidget* parent)
    : CWizardPage(Template(), monitor::WizardPage::LabChoice, parent), wizard_(wizard) {}

void CPage1::OnSetActive(bool) {
    CheckRadio(*this, kFirstLab, wizard_.lab);
}

void CPage1::OnWizardNext() {
    const std::optional<Fault> fault = wizard_.OnLabChoiceNext(CheckedRadio(*this, kFirstLab, kLabCount));
    if (!fault) return;
    ShowMessageBox({nullptr, QString::fromStdString(fault->text), QString::fromStdString(fault->caption)});
    std::exit(fault->exitCode);
}

} // namespace vorn::ui
