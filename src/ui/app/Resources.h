#pragma once
// The application's resources: command ids, menu 128, accelerator table 128, document
// strings and titles.

#include "ui/framework/CommandIds.h"
#include "ui/framework/MenuTable.h"

#include <vector>

namespace vorn::ui {

inline constexpr int ID_COMMANDS_XML_VERSION = 32845;
inline constexpr int ID_SIMULATOR_STEP = 32771;

inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDR_COMPILER = 104;
inline constexpr int IDR_SIMULATOR = 107;
inline constexpr int IDR_MONITOR = 129;

inline const QString kMainTitle = QStringLiteral("VORN b3");
inline const QString kApplicationTitle = QStringLiteral("VORN");

inline const QString kCompilerDocString = QStringLiteral(
    "Compiler\nCompiler\nCompiler\nCompiler Files (*.txt)\ntxt\nTextEditor.Document\nTextEditor Document");
inline const QString kSimulatorDocString =
    QStringLiteral("DLX Simulator\nDLX Simulator\nDLX Simulator\nDLX Simulator Files (*.sim)\nsim\n"
                   "SimGraphView.Document\nSimGraphView Document");
inline const QString kMonitorDocString =
    QStringLiteral("\nHardware Monitor\nHardware Monitor\n\n\nHardwareb1.Document\nHardware b1.Document");

MenuBarSpec MainFrameMenu();
std::vector<Accelerator> MainFrameAccelerators();

} // namespace vorn::ui
