#pragma once
// The main frame's resources: its title, menu 128 and accelerator table 128.

#include "ui/framework/CommandIds.h"
#include "ui/framework/MenuTable.h"
#include "ui/shared/Resources.h"

#include <vector>

namespace vorn::ui {

inline constexpr int IDR_MAINFRAME = 128;

inline const QString kMainTitle = QStringLiteral("VORN b3");

MenuBarSpec MainFrameMenu();
std::vector<Accelerator> MainFrameAccelerators();

} // namespace vorn::ui
