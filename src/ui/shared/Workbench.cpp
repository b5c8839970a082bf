#include "ui/shared/Workbench.h"

namespace vorn::ui {

Workbench& TheWorkbench() {
    static Workbench workbench;
    return workbench;
}

} // namespace vorn::ui
