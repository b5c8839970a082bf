#include "ui/app/DocumentViews.h"
#include "ui/app/Resources.h"

namespace vorn::ui {

DocumentTemplate SimulatorTemplate() { return {IDR_SIMULATOR, kSimulatorDocString, {}, EmptyView("CSimGraphView")}; }

} // namespace vorn::ui
