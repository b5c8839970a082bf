#pragma once
// Menus and accelerator tables written as tables and built into Qt menus and shortcuts.

#include <QKeySequence>
#include <QString>
#include <functional>
#include <vector>

class QMenuBar;
class QWidget;

namespace vorn::ui {

struct MenuItem {
    QString text; // with '&' and an optional "\t" + key text; empty for a separator
    int command = 0;
    std::vector<MenuItem> submenu;
};

struct Menu {
    QString title;
    std::vector<MenuItem> items;
};

using MenuBarSpec = std::vector<Menu>;

struct Accelerator {
    QKeySequence keys;
    int command;
};

using CommandSink = std::function<void(int command)>;

// Fills a menu bar; each item sends its command id to sink.
void BuildMenuBar(QMenuBar* bar, const MenuBarSpec& spec, const CommandSink& sink);

// Installs the table on window: each key sends its command id to sink.
void InstallAccelerators(QWidget* window, const std::vector<Accelerator>& table, const CommandSink& sink);

} // namespace vorn::ui
