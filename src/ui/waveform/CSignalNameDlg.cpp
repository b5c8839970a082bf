#include "ui/waveform/CSignalNameDlg.h"

#include <QLabel>
#include <QLineEdit>

namespace vorn::ui {

namespace {
constexpr int kText = 1007, kPrompt = 1011;
} // namespace

DialogSpec CSignalNameDlg::Template() {
    return {136,
            QStringLiteral("Signal Name"),
            186,
            90,
            {{ControlKind::Static, kPrompt, QStringLiteral("enter a name for the signal:"), 19, 23, 143, 10},
             {ControlKind::Edit, kText, {}, 19, 36, 150, 12},
             {ControlKind::DefaultButton, IDOK, QStringLiteral("OK"), 69, 63, 50, 14},
             {ControlKind::Button, IDCANCEL, QStringLiteral("Cancel"), 123, 63, 50, 14}}};
}

CSignalNameDlg::CSignalNameDlg(QWidget* parent) : TemplateDialog(Template(), parent) {}

int CSignalNameDlg::exec() {
    control<QLabel>(kPrompt)->setText(prompt);
    QLineEdit* edit = control<QLineEdit>(kText);
    edit->setText(text);
    edit->setFocus();
    if (selectionEnd < 0) {
        edit->selectAll();
    } else {
        const int length = static_cast<int>(text.size());
        const int start = qMin(1, length);
        edit->setSelection(start, qBound(0, selectionEnd, length) - start);
    }
    return QDialog::exec();
}

void CSignalNameDlg::onOk() {
    text = control<QLineEdit>(kText)->text();
    accept();
}

} // namespace vorn::ui
