#include "ui/editor/CompilerTemplate.h"

#include "ui/editor/CTextEditor.h"
#include "ui/shared/Resources.h"
#include "ui/shared/Workbench.h"

#include <memory>

namespace vorn::ui {

namespace {

// Menu 104.
MenuBarSpec CompilerMenu() {
    return {
        {QStringLiteral("&File"),
         {{QStringLiteral("&New\tCtrl+N"), ID_FILE_NEW},
          {QStringLiteral("&Open..."), ID_FILE_OPEN},
          {QStringLiteral("&Close"), ID_FILE_CLOSE},
          {},
          {QStringLiteral("E&xit"), ID_APP_EXIT}}},
        {QStringLiteral("&Edit"),
         {{QStringLiteral("&Undo\tCtrl+Z"), ID_EDIT_UNDO},
          {},
          {QStringLiteral("Cu&t\tCtrl-X"), ID_EDIT_CUT},
          {QStringLiteral("&Copy\tCtrl+C"), ID_EDIT_COPY},
          {QStringLiteral("&Paste\tCtrl+V"), ID_EDIT_PASTE}}},
        {QStringLiteral("&Options"), {{QStringLiteral("Colorize"), ID_OPTIONS_COLORIZE}}},
        {QStringLiteral("&View"),
         {{QStringLiteral("&Toolbar"), ID_VIEW_TOOLBAR},
          {QStringLiteral("&Status Bar"), ID_VIEW_STATUS_BAR}}},
        {QStringLiteral("&Window"),
         {{QStringLiteral("&New Window"), ID_WINDOW_NEW},
          {QStringLiteral("&Cascade"), ID_WINDOW_CASCADE},
          {QStringLiteral("&Tile"), ID_WINDOW_TILE_HORZ},
          {QStringLiteral("&Arrange Icons"), ID_WINDOW_ARRANGE}}},
        {QStringLiteral("&Help"),
         {{QStringLiteral("&About..."), ID_APP_ABOUT},
          {QStringLiteral("&commands.xml version"), ID_COMMANDS_XML_VERSION}}},
    };
}

} // namespace

DocumentTemplate CompilerTemplate() {
    return {IDR_COMPILER, kCompilerDocString, CompilerMenu(), [](const QString& path) -> QWidget* {
                auto view = std::make_unique<CTextEditor>(TheWorkbench());
                if (!path.isEmpty() && view->LoadFile(path).has_value()) return nullptr;
                return view.release();
            }};
}

} // namespace vorn::ui
