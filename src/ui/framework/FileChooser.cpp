#include "ui/framework/FileChooser.h"

#include "ui/framework/MessageBox.h"

#include <QFileDialog>

namespace vorn::ui {

namespace {

FileChooserHook& Hook() {
    static FileChooserHook hook;
    return hook;
}

} // namespace

void SetFileChooserHook(FileChooserHook hook) {
    Hook() = std::move(hook);
}

std::optional<QString> ChooseFile(QWidget* owner, FileDialogMode mode, const QString& filter,
                                  const QString& defaultSuffix, const QString& preset) {
    if (Hook()) return Hook()(mode, filter);
    if (BoxesArePrinted()) return std::nullopt;
    QFileDialog dialog(owner, {}, {}, filter);
    dialog.setAcceptMode(mode == FileDialogMode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(mode == FileDialogMode::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!preset.isEmpty()) dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace vorn::ui
