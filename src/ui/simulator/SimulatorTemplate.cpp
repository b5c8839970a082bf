#include "ui/simulator/SimulatorTemplate.h"

#include "ui/shared/Workbench.h"
#include "ui/simulator/CSimGraphView.h"
#include "ui/simulator/SimulatorResources.h"

namespace vorn::ui {

// A simulator document on the process-wide machine store; nothing reads a .sim file back, so
// a named file opens as a new document.
DocumentTemplate SimulatorTemplate() {
    return {IDR_SIMULATOR, kSimulatorDocString, SimulatorMenu(), [](const QString&) -> QWidget* {
                Workbench& workbench = TheWorkbench();
                if (!workbench.machineStore)
                    workbench.machineStore = std::make_shared<isa::MachineStore>(workbench.instructionSet);
                auto document = std::make_shared<CSimGraphDoc>(
                    simulator::SimulatorEnvironment{workbench.instructionSet,
                                                    workbench.machineStore,
                                                    workbench.commandsXmlVersion,
                                                    kApplicationTitle.toStdString(),
                                                    {}});
                return new CSimGraphView(std::move(document), workbench.registerSetPrefix);
            }};
}

} // namespace vorn::ui
