#pragma once
// The three document kinds; each is defined beside its views.

#include "ui/framework/DocumentTemplate.h"

namespace vorn::ui {

DocumentTemplate CompilerTemplate();  // src/ui/editor
DocumentTemplate SimulatorTemplate(); // src/ui/simulator
DocumentTemplate MonitorTemplate();   // src/ui/monitor

} // namespace vorn::ui
