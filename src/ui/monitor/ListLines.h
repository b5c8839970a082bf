#pragma once
// The label lists of the monitor's form and of the wizard's labels page show the lines and the
// selection that the engine decided.

#include <QListWidget>
#include <string>
#include <vector>

namespace vorn::ui {

// Refills the list only when its lines changed, so that it keeps its scroll position, and
// selects the row (none for -1), without sending the list's signals.
void ShowListLines(QListWidget* list, const std::vector<std::string>& lines, int selection);

} // namespace vorn::ui
