#pragma once
// The "DLX Simulator" document kind: resource 107, whose document is CSimGraphDoc and whose
// view is CSimGraphView.

#include "ui/framework/DocumentTemplate.h"

namespace vorn::ui {

inline constexpr int IDR_SIMULATOR = 107;

inline const QString kSimulatorDocString =
    QStringLiteral("DLX Simulator\nDLX Simulator\nDLX Simulator\nDLX Simulator Files (*.sim)\nsim\n"
                   "SimGraphView.Document\nSimGraphView Document");

DocumentTemplate SimulatorTemplate();

} // namespace vorn::ui
