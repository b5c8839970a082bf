#pragma once
// The resources that reach past one window: the application's title, which captions the boxes
// of every window, and the commands that every window's menus and the main frame's
// accelerators send, beside the framework's standard ones.

#include "ui/framework/CommandIds.h"

#include <QString>

namespace vorn::ui {

inline constexpr int ID_COMMANDS_XML_VERSION = 32845;
inline constexpr int ID_SIMULATOR_STEP = 32771;

inline const QString kApplicationTitle = QStringLiteral("VORN");

} // namespace vorn::ui
