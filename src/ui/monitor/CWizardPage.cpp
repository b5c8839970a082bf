#include "ui/monitor/CWizardPage.h"

#include <QRadioButton>

namespace vorn::ui {

CWizardPage::CWizardPage(const DialogSpec& spec, monitor::WizardPage page, QWidget* parent)
    : QWidget(parent), page_(page) {
    setObjectName(QString::number(spec.id));
    setWindowTitle(spec.caption);
    controls_ = BuildControls(this, spec);
    setMinimumSize(size());
}

int CheckedRadio(const CWizardPage& page, int first, int count) {
    for (int index = 0; index < count; ++index)
        if (page.control<QRadioButton>(first + index)->isChecked()) return index;
    return -1;
}

void CheckRadio(const CWizardPage& page, int first, int index) {
    if (auto* radio = page.control<QRadioButton>(first + index)) radio->setChecked(true);
}

} // namespace vorn::ui
