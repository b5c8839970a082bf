#include "ui/simulator/SimulatorTemplate.h"

#include "ui/framework/MessageBox.h"
#include "ui/shared/Workbench.h"
#include "ui/simulator/CSimGraphView.h"
#include "ui/simulator/SimulatorResources.h"

#include <QApplication>

namespace vorn::ui {

// A simulator document on the process-wide machine store. A state file is a report that the
// simulator writes and nothing reads back, so a named file opens no document: an empty machine
// under the file's name would pass for the file's contents.
DocumentTemplate SimulatorTemplate() {
    return {IDR_SIMULATOR, kSimulatorDocString, SimulatorMenu(), [](const QString& path) -> QWidget* {
                if (!path.isEmpty()) {
                    ShowMessageBox({QApplication::activeWindow(),
                                    QStringLiteral("%1\ncannot be opened as a document: a simulator state "
                                                   "file is written by \"Save State...\" and never read.")
                                        .arg(path),
                                    kApplicationTitle, BoxButtons::Ok, BoxIcon::Warning});
                    return nullptr;
                }
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
