#include "ui/app/Workbench.h"

namespace vorn::ui {

Workbench& TheWorkbench() {
    static Workbench workbench;
    return workbench;
}

} // namespace vorn::ui
