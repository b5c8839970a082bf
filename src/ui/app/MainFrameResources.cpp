#include "ui/app/MainFrameResources.h"

namespace vorn::ui {

MenuBarSpec MainFrameMenu() {
    return {
        {QStringLiteral("&File"),
         {{QStringLiteral("&New\tCtrl+N"), ID_FILE_NEW},
          {},
          {QStringLiteral("&Close"), ID_FILE_CLOSE},
          {QStringLiteral("E&xit"), ID_APP_EXIT}}},
        {QStringLiteral("&View"),
         {{QStringLiteral("&Toolbar"), ID_VIEW_TOOLBAR},
          {QStringLiteral("&Status Bar"), ID_VIEW_STATUS_BAR}}},
        {QStringLiteral("&Help"),
         {{QStringLiteral("&About VORN..."), ID_APP_ABOUT},
          {QStringLiteral("&commands.xml version"), ID_COMMANDS_XML_VERSION}}},
    };
}

std::vector<Accelerator> MainFrameAccelerators() {
    return {
        {QKeySequence(QStringLiteral("Ctrl+C")), ID_EDIT_COPY},
        {QKeySequence(QStringLiteral("Ctrl+Ins")), ID_EDIT_COPY},
        {QKeySequence(QStringLiteral("Ctrl+X")), ID_EDIT_CUT},
        {QKeySequence(QStringLiteral("Shift+Del")), ID_EDIT_CUT},
        {QKeySequence(QStringLiteral("Ctrl+V")), ID_EDIT_PASTE},
        {QKeySequence(QStringLiteral("Shift+Ins")), ID_EDIT_PASTE},
        {QKeySequence(QStringLiteral("Ctrl+Z")), ID_EDIT_UNDO},
        {QKeySequence(QStringLiteral("Alt+Backspace")), ID_EDIT_UNDO},
        {QKeySequence(QStringLiteral("Ctrl+N")), ID_FILE_NEW},
        {QKeySequence(QStringLiteral("Ctrl+O")), ID_FILE_OPEN},
        {QKeySequence(QStringLiteral("Ctrl+S")), ID_FILE_SAVE},
        {QKeySequence(QStringLiteral("F6")), ID_NEXT_PANE},
        {QKeySequence(QStringLiteral("Shift+F6")), ID_PREV_PANE},
        {QKeySequence(QStringLiteral("Ctrl+T")), ID_SIMULATOR_STEP},
        {QKeySequence(QStringLiteral("Alt+X")), ID_COMMANDS_XML_VERSION},
    };
}

} // namespace vorn::ui
