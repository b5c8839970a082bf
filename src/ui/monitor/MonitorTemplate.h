#pragma once
// The "Hardware Monitor" document kind: resource 129, whose view is CvornctrlView.

#include "ui/framework/DocumentTemplate.h"

namespace vorn::ui {

inline constexpr int IDR_MONITOR = 129;

inline const QString kMonitorDocString =
    QStringLiteral("\nHardware Monitor\nHardware Monitor\n\n\nHardwareb1.Document\nHardware b1.Document");

DocumentTemplate MonitorTemplate();

} // namespace vorn::ui
