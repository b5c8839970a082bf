#pragma once
// The New command's question which kind of document to create, asked when there is more than
// one kind.

#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace vorn::ui {

// Returns the index of the chosen name, or nothing when the user cancels.
std::optional<int> ChooseNewDocumentKind(QWidget* owner, const QStringList& names);

// Tests answer the question through a hook; an empty function removes it.
using NewChooserHook = std::function<std::optional<int>(const QStringList& names)>;
void SetNewChooserHook(NewChooserHook hook);

} // namespace vorn::ui
