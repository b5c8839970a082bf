#include "ui/dialogs/QtPrompter.h"

#include "ui/dialogs/Dialog2Values.h"
#include "ui/dialogs/DialogTrace.h"
#include "ui/framework/FileChooser.h"
#include "ui/framework/MessageBox.h"

#include <QRegularExpression>

namespace vorn::ui {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A saved file without an extension takes the first filter's, as "*.sim" gives "sim".
QString DefaultSuffix(const QString& filter) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

std::optional<std::string> ToStd(const std::optional<QString>& text) {
    if (!text) return std::nullopt;
    return text->toStdString();
}

} // namespace

void QtPrompter::message(const std::string& text, const std::string& caption) {
    ShowMessageBox({owner_, Q(text), Q(caption)});
}

bool QtPrompter::askYesNo(const std::string& text, const std::string& caption) {
    return ShowMessageBox({owner_, Q(text), Q(caption), BoxButtons::YesNo});
}

std::optional<std::string> QtPrompter::askOneValue(const std::string& prompt, const std::string& label,
                                                   const std::string& preset) {
    DialogTrace dialog(owner_);
    dialog.prompt = Q(prompt);
    dialog.label = Q(label);
    dialog.value = Q(preset);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.value.toStdString();
}

std::optional<std::pair<std::string, std::string>>
QtPrompter::askTwoValues(const std::string& prompt, const std::string& label1, const std::string& label2,
                         const std::string& preset1, const std::string& preset2) {
    Dialog2Values dialog(owner_);
    dialog.prompt = Q(prompt);
    dialog.firstLabel = Q(label1);
    dialog.secondLabel = Q(label2);
    dialog.firstValue = Q(preset1);
    dialog.secondValue = Q(preset2);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return std::make_pair(dialog.firstValue.toStdString(), dialog.secondValue.toStdString());
}

std::optional<std::string> QtPrompter::chooseOpenFile(const std::string& filter) {
    return ToStd(ChooseFile(owner_, FileDialogMode::Open, Q(filter)));
}

std::optional<std::string> QtPrompter::chooseSaveFile(const std::string& filter) {
    return ToStd(ChooseFile(owner_, FileDialogMode::Save, Q(filter), DefaultSuffix(Q(filter))));
}

} // namespace vorn::ui
