#pragma once
// The open and save file dialogs. Filters are written as "Text (*.txt);;All (*.*)".

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace vorn::ui {

enum class FileDialogMode { Open, Save };

// The chosen path, or nothing when the user cancels. A dialog given a preset path opens in its
// folder with its name filled in.
std::optional<QString> ChooseFile(QWidget* owner, FileDialogMode mode, const QString& filter,
                                  const QString& defaultSuffix = {}, const QString& preset = {});

// Tests answer file dialogs through a hook; an empty function removes it. With VORN_BOXES=print
// every file dialog is cancelled.
using FileChooserHook = std::function<std::optional<QString>(FileDialogMode mode, const QString& filter)>;
void SetFileChooserHook(FileChooserHook hook);

} // namespace vorn::ui
