#include "ui/monitor/ListLines.h"

#include <QSignalBlocker>

namespace vorn::ui {

void ShowListLines(QListWidget* list, const std::vector<std::string>& lines, int selection) {
    const QSignalBlocker quiet(list);
    bool same = list->count() == static_cast<int>(lines.size());
    for (int i = 0; same && i < list->count(); ++i)
        same = list->item(i)->text() == QString::fromStdString(lines[static_cast<size_t>(i)]);
    if (!same) {
        list->clear();
        for (const std::string& line : lines)
            list->addItem(QString::fromStdString(line));
    }
    if (selection < 0) list->clearSelection();
    list->setCurrentRow(selection);
}

} // namespace vorn::ui
