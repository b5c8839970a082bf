#include "ui/app/CMainFrame.h"

#include "ui/app/MainFrameResources.h"

namespace vorn::ui {

CMainFrame::CMainFrame(CommandTarget* application)
    : MdiMainFrame(kMainTitle, MainFrameMenu(), MainFrameAccelerators(), application) {}

} // namespace vorn::ui
