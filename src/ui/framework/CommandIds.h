#pragma once
// The framework's standard command ids, shared by menus, accelerators and handlers.

#include <optional>
#include <string>

namespace vorn::ui {

enum StandardCommand : int {
    ID_FILE_NEW = 0xE100,
    ID_FILE_OPEN = 0xE101,
    ID_FILE_CLOSE = 0xE102,
    ID_FILE_SAVE = 0xE103,
    ID_FILE_PRINT_SETUP = 0xE106,
    ID_FILE_PRINT = 0xE107,
    ID_FILE_PRINT_DIRECT = 0xE108,
    ID_FILE_PRINT_PREVIEW = 0xE109,
    ID_EDIT_COPY = 0xE122,
    ID_EDIT_CUT = 0xE123,
    ID_EDIT_PASTE = 0xE125,
    ID_EDIT_UNDO = 0xE12B,
    ID_WINDOW_NEW = 0xE130,
    ID_WINDOW_ARRANGE = 0xE131,
    ID_WINDOW_CASCADE = 0xE132,
    ID_WINDOW_TILE_HORZ = 0xE133,
    ID_APP_ABOUT = 0xE140,
    ID_APP_EXIT = 0xE141,
    ID_NEXT_PANE = 0xE150,
    ID_PREV_PANE = 0xE151,
    ID_VIEW_TOOLBAR = 0xE800,
    ID_VIEW_STATUS_BAR = 0xE801,
};

// The state of a command's menu item.
struct CommandUi {
    bool enabled = true;
    bool checked = false;
    std::string text; // for a status-bar pane: the text it shows
};

// The status bar's spare pane (string 130), which a view may fill through commandUi.
inline constexpr int ID_INDICATOR_SPARE = 130;

// Something that handles commands: a view, a frame or the application. Commands travel from
// the active view to the main frame and then to the application; a command that nobody
// handles is shown disabled.
class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    // True when the command was handled.
    virtual bool onCommand(int id) = 0;
    // The state of a command this target handles; nothing for the others.
    virtual std::optional<CommandUi> commandUi(int id) const {
        (void)id;
        return std::nullopt;
    }
};

} // namespace vorn::ui
