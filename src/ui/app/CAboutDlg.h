#pragma once

#include "ui/framework/DialogTemplate.h"

namespace vorn::ui {

// Dialog 100: the application icon, the version line, the credits and OK.
class CAboutDlg : public TemplateDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    static DialogSpec Template();
};

} // namespace vorn::ui
