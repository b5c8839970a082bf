#include "ui/framework/MenuTable.h"

#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace vorn::ui {

namespace {

void AddItems(QMenu* menu, const std::vector<MenuItem>& items, const CommandSink& sink) {
    for (const MenuItem& item : items) {
        if (item.text.isEmpty()) {
            menu->addSeparator();
        } else if (!item.submenu.empty()) {
            AddItems(menu->addMenu(item.text), item.submenu, sink);
        } else {
            // The key text after the tab is shown beside the item; the keys themselves belong
            // to the accelerator table.
            QAction* action = menu->addAction(item.text.section(QLatin1Char('\t'), 0, 0));
            const QString keys = item.text.section(QLatin1Char('\t'), 1);
            if (!keys.isEmpty()) action->setShortcut(QKeySequence(keys));
            action->setShortcutContext(Qt::WidgetShortcut);
            action->setData(item.command);
            const int command = item.command;
            QObject::connect(action, &QAction::triggered, menu, [sink, command] { sink(command); });
        }
    }
}

} // namespace

void BuildMenuBar(QMenuBar* bar, const MenuBarSpec& spec, const CommandSink& sink) {
    // The old menus go once their last item has been handled: the item being chosen may be the
    // one that changes the menu bar.
    for (QAction* action : bar->actions())
        if (action->menu()) action->menu()->deleteLater();
    bar->clear();
    for (const Menu& menu : spec)
        AddItems(bar->addMenu(menu.title), menu.items, sink);
}

void InstallAccelerators(QWidget* window, const std::vector<Accelerator>& table, const CommandSink& sink) {
    for (const Accelerator& accelerator : table) {
        auto* shortcut = new QShortcut(accelerator.keys, window);
        shortcut->setContext(Qt::WindowShortcut);
        const int command = accelerator.command;
        QObject::connect(shortcut, &QShortcut::activated, window, [sink, command] { sink(command); });
    }
}

} // namespace vorn::ui
