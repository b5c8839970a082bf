#pragma once

#include "ui/framework/DialogTemplate.h"

namespace vorn::ui {

// Dialog 136: one line of text, a row's name or the notes. It opens with the focus in the
// edit box and the whole text selected, or characters 1 up to selectionEnd; OK takes the text
// back, Cancel leaves it as it was.
class CSignalNameDlg : public TemplateDialog {
    Q_OBJECT
  public:
    explicit CSignalNameDlg(QWidget* parent = nullptr);
    static DialogSpec Template();
    int exec() override;

    QString text;
    QString prompt;        // the line above the edit box
    int selectionEnd = -1; // -1: the whole text

  protected:
    void onOk() override;
};

} // namespace vorn::ui
