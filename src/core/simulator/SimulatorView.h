#pragma once

namespace vorn::simulator {

// A window on a simulator document. Every command that changes the machine ends by asking each
// view of the document to rebuild its whole picture.
class SimulatorView {
  public:
    virtual ~SimulatorView() = default;
    virtual void OnUpdate() = 0;
};

} // namespace vorn::simulator
