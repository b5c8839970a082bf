// "Test &Board": the lab's reference design, the bus and memory tests, and the test program
// run until it halts; the user judges the result by the PC that the panels show.

#include "monitor/HardwareMonitor.h"
#include "monitor/MonitorTexts.h"

namespace vorn::monitor {

void HardwareMonitor::OnTestBoard() {
    if (settings_.configureBit) {
        link_->Disconnect();
        RunConfigurationTool(settings_.directory + kBoardTestConfiguration);
        link_->Connect();
    }
    if (link_->BusTest(0) != board::NoError) return Message("Bus test failed!");
    uint32_t failingAddress = 0;
    if (link_->MemoryTest(failingAddress) != board::NoError)
        return Message(Format("Memory test failed in address 0x%.8x", static_cast<unsigned>(failingAddress)));
    link_->Connect();
    UploadCodFile(settings_.directory + kBoardTestProgram);
    OnRunUntilHalt();
    Message("Test ended. Verify PC value!");
    OnRefreshData();
}

} // namespace vorn::monitor
