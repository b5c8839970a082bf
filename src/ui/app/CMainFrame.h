#pragma once

#include "ui/framework/MdiMainFrame.h"

namespace vorn::ui {

// The main frame of resource 128: title "VORN b3", menu 128, accelerator table 128 and the
// five-pane status bar.
class CMainFrame : public MdiMainFrame {
    Q_OBJECT
  public:
    explicit CMainFrame(CommandTarget* application);
};

} // namespace vorn::ui
