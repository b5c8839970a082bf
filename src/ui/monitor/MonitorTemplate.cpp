#include "ui/monitor/MonitorTemplate.h"

#include "ui/monitor/CvornctrlView.h"
#include "ui/monitor/MonitorResources.h"
#include "ui/shared/Workbench.h"

namespace vorn::ui {

// A Hardware Monitor on the board behind the embedded Python runtime (the board maker's
// package, or our emulated board where there is none); a named file opens as a new document.
DocumentTemplate MonitorTemplate() {
    return {IDR_MONITOR, kMonitorDocString, MonitorMenu(), [](const QString&) -> QWidget* {
                const Workbench& workbench = TheWorkbench();
                return new CvornctrlView(workbench.settings, workbench.instructionSet,
                                         std::make_unique<board::BoardLink>(workbench.settings));
            }};
}

} // namespace vorn::ui
