#pragma once

#include "ui/framework/DialogTemplate.h"

namespace vorn::ui {

// Dialog 137: asks for one value, with a prompt line and a label before the field. OK copies
// the field back into value; Cancel leaves the members as they were.
class DialogTrace : public TemplateDialog {
    Q_OBJECT
  public:
    explicit DialogTrace(QWidget* parent = nullptr);
    static DialogSpec Template();
    int exec() override;

    QString value;
    QString label;
    QString prompt;

  protected:
    void onOk() override;
};

} // namespace vorn::ui
