#pragma once
// The DLX Simulator document on the screen: the engine's document with Qt boxes and prompts,
// and its message map. Shared by every window that shows it and freed with the last one.

#include "simulator/SimulatorDocument.h"
#include "ui/dialogs/QtPrompter.h"

namespace vorn::ui {

// The documents share one machine: whatever refreshes the views of one refreshes the views of
// every other, so that no window shows registers or memory that another has changed.
class CSimGraphDoc : private simulator::SimulatorView {
  public:
    explicit CSimGraphDoc(simulator::SimulatorEnvironment environment);
    ~CSimGraphDoc() override;
    CSimGraphDoc(const CSimGraphDoc&) = delete;
    CSimGraphDoc& operator=(const CSimGraphDoc&) = delete;

    simulator::SimulatorDocument& core() { return core_; }

    // The document's message map: runs the handler of a command of its own and tells whether
    // there was one.
    bool OnCommand(int command);
    static bool Handles(int command);

  private:
    void OnUpdate() override;

    QtPrompter prompter_;
    simulator::SimulatorDocument core_;
};

} // namespace vorn::ui
