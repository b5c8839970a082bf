#pragma once
// The views of the three document kinds.

#include "ui/framework/DocumentTemplate.h"

namespace vorn::ui {

DocumentTemplate CompilerTemplate();
DocumentTemplate SimulatorTemplate();
DocumentTemplate MonitorTemplate();

} // namespace vorn::ui
