#include "ui/dialogs/Dialog2Values.h"
#include "ui/dialogs/DialogTrace.h"

#include <QLineEdit>

namespace vorn::ui {

namespace {

constexpr int kValue = 2000, kSecondValue = 2001, kPrompt = 2002, kLabel = 2003, kSecondLabel = 2004;

// The prompt and the labels are read-only edits without a border.
constexpr unsigned kCaptionEdit = ReadOnly | NoBorder;

// A text wider than its field shows from its first character.
void Put(const TemplateDialog& dialog, int id, const QString& text) {
    QLineEdit* edit = dialog.control<QLineEdit>(id);
    edit->setText(text);
    edit->setCursorPosition(0);
}

QString Take(const TemplateDialog& dialog, int id) {
    return dialog.control<QLineEdit>(id)->text();
}

// The dialog starts with the members in the fields and the focus on the first value.
int Start(TemplateDialog& dialog) {
    QLineEdit* first = dialog.control<QLineEdit>(kValue);
    first->setFocus();
    first->selectAll();
    return dialog.QDialog::exec();
}

} // namespace

DialogSpec DialogTrace::Template() {
    return {137,
            QStringLiteral("Dialog"),
            235,
            102,
            {{ControlKind::DefaultButton, IDOK, QStringLiteral("OK"), 178, 7, 50, 14},
             {ControlKind::Button, IDCANCEL, QStringLiteral("Cancel"), 178, 24, 50, 14},
             {ControlKind::Edit, kValue, {}, 74, 41, 53, 18, AutoHorizontalScroll},
             {ControlKind::Edit, kPrompt, {}, 17, 20, 126, 14, kCaptionEdit},
             {ControlKind::Edit, kLabel, {}, 27, 45, 40, 14, kCaptionEdit}}};
}

DialogTrace::DialogTrace(QWidget* parent) : TemplateDialog(Template(), parent) {}

int DialogTrace::exec() {
    Put(*this, kValue, value);
    Put(*this, kLabel, label);
    Put(*this, kPrompt, prompt);
    return Start(*this);
}

void DialogTrace::onOk() {
    value = Take(*this, kValue);
    label = Take(*this, kLabel);
    prompt = Take(*this, kPrompt);
    accept();
}

DialogSpec Dialog2Values::Template() {
    return {139,
            QStringLiteral("Dialog"),
            233,
            130,
            {{ControlKind::DefaultButton, IDOK, QStringLiteral("OK"), 176, 7, 50, 14},
             {ControlKind::Button, IDCANCEL, QStringLiteral("Cancel"), 176, 24, 50, 14},
             {ControlKind::Edit, kValue, {}, 75, 47, 53, 12, AutoHorizontalScroll},
             {ControlKind::Edit, kSecondValue, {}, 75, 72, 53, 12, AutoHorizontalScroll},
             {ControlKind::Edit, kPrompt, {}, 17, 20, 126, 14, kCaptionEdit},
             {ControlKind::Edit, kLabel, {}, 25, 47, 40, 12, kCaptionEdit | AutoHorizontalScroll},
             {ControlKind::Edit, kSecondLabel, {}, 25, 72, 40, 12, kCaptionEdit | AutoHorizontalScroll}}};
}

Dialog2Values::Dialog2Values(QWidget* parent) : TemplateDialog(Template(), parent) {}

int Dialog2Values::exec() {
    Put(*this, kValue, firstValue);
    Put(*this, kSecondValue, secondValue);
    Put(*this, kPrompt, prompt);
    Put(*this, kLabel, firstLabel);
    Put(*this, kSecondLabel, secondLabel);
    return Start(*this);
}

void Dialog2Values::onOk() {
    firstValue = Take(*this, kValue);
    secondValue = Take(*this, kSecondValue);
    prompt = Take(*this, kPrompt);
    firstLabel = Take(*this, kLabel);
    secondLabel = Take(*this, kSecondLabel);
    accept();
}

} // namespace vorn::ui
