#include "ui/app/DocumentViews.h"
#include "ui/app/Resources.h"

namespace vorn::ui {

DocumentTemplate MonitorTemplate() { return {IDR_MONITOR, kMonitorDocString, {}, EmptyView("CvornctrlView")}; }

} // namespace vorn::ui
