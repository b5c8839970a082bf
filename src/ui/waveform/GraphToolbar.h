#pragma once
// Toolbar 129 of a waveform window: print, the row commands, zoom, grid, name and notes,
// open and save. Each button sends its command id; the buttons that depend on the selection
// are enabled from the view's state.

#include "ui/framework/MenuTable.h"
#include "waveform/GraphCommands.h"

#include <QToolBar>

class QAction;

namespace vorn::ui {

enum GraphCommand : int {
    ID_GRAPH_PRINT = 32771,
    ID_GRAPH_REVERSE = 32773,
    ID_GRAPH_SPREAD = 32774,
    ID_GRAPH_ZOOM_OUT = 32775,
    ID_GRAPH_ZOOM_IN = 32776,
    ID_GRAPH_TOGGLE_GRID = 32777,
    ID_GRAPH_COMBINE = 32778,
    ID_GRAPH_SAVE = 32780,
    ID_GRAPH_CHANGE_NAME = 32783,
    ID_GRAPH_OPEN = 32784,
};

inline constexpr int IDR_GRAPH_TOOLBAR = 129;
// The toolbar's strip is this high; the window places its view below it.
inline constexpr int kGraphToolbarStrip = 24;

class GraphToolbar : public QToolBar {
    Q_OBJECT
  public:
    GraphToolbar(QWidget* parent, const CommandSink& sink);

    // The button of a command; nullptr for an id that is not on the toolbar.
    QAction* button(int command) const;
    void ShowState(const waveform::ToolbarState& state);
};

} // namespace vorn::ui
