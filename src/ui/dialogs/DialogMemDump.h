#pragma once

#include "ui/framework/DialogTemplate.h"

#include <cstdint>

namespace vorn::isa {
class MachineState;
}

namespace vorn::ui {

// Dialog 138: the words of a range of data memory as "0x%x  0x%x" lines in side-by-side
// columns, and "Save To Dump File...". Closed with its close box or Escape.
class DialogMemDump : public TemplateDialog {
    Q_OBJECT
  public:
    DialogMemDump(isa::MachineState& machine, QWidget* parent = nullptr);
    static DialogSpec Template();
    int exec() override;

    int32_t first = 0;
    int32_t last = -1;

    void OnSaveToDumpFile();

  private:
    void FillList();

    isa::MachineState& machine_;
};

} // namespace vorn::ui
