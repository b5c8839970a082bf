#pragma once

#include "ui/framework/DialogTemplate.h"

namespace vorn::ui {

// Dialog 139: asks for two values, with a prompt line and a label before each field. OK
// copies the fields back into the values; Cancel leaves the members as they were.
class Dialog2Values : public TemplateDialog {
    Q_OBJECT
  public:
    explicit Dialog2Values(QWidget* parent = nullptr);
    static DialogSpec Template();
    int exec() override;

    QString firstValue;
    QString secondValue;
    QString prompt;
    QString firstLabel;
    QString secondLabel;

  protected:
    void onOk() override;
};

} // namespace vorn::ui
