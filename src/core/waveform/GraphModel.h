#pragma once
// The state of a waveform view: the signals as they came in, the rows that show them, the
// zoom level with its geometry, the grid, the marker and the notes line. Drawing, printing,
// the toolbar commands and the .wf files all work on it; the window only adds scrolling and
// turns mouse and keys into calls here.

#include "Canvas.h"
#include "waveform/RawSignal.h"
#include "waveform/SignalRow.h"
#include "waveform/ZoomMetrics.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace vorn::waveform {

// One signal of a logic-analyser capture: its name and the bit of the sample words it takes.
struct CapturedSignal {
    std::string name;
    uint32_t bitNumber = 0;
};

// The scroll sizes of the view, in pixels.
struct ScrollSizes {
    Size total;
    Size page;
    Size line;

    bool operator==(const ScrollSizes&) const = default;
};

enum class Key { Up, Down, Other };

class GraphModel {
  public:
    GraphModel();

    // Data
    int steps() const { return steps_; }
    const std::vector<RawSignal>& rawSignals() const { return signals_; }
    const std::vector<SignalRow>& rows() const { return rows_; }
    const std::string& notes() const { return notes_; }
    void setNotes(std::string notes) { notes_ = std::move(notes); }

    // Geometry of the current zoom level, in view coordinates
    int zoomLevel() const { return zoomLevel_; }
    const ZoomMetrics& metrics() const { return metrics_; }
    int top() const { return metrics_.stepWidth; }
    int left() const { return metrics_.stepWidth; }
    int tracesLeft() const { return left() + 4 * metrics_.stepWidth; }
    int totalWidth() const { return (steps_ + 5) * metrics_.stepWidth; }
    int totalHeight() const { return static_cast<int>(rows_.size()) * metrics_.rowHeight + top(); }
    const ScrollSizes& scrollSizes() const { return scrollSizes_; }

    bool grid() const { return grid_; }
    void ToggleGrid() { grid_ = !grid_; }
    int marker() const { return marker_; } // x in view coordinates, -1 when there is none

    // Filling. Each fill replaces every signal and row, one one-bit row per signal, and starts
    // again at zoom level 1 with the grid on and no marker.
    void Fill(int steps, std::vector<RawSignal> raw);
    // Logic-analyser samples, one word per step: signal j is bit (bitNumber mod 32) of each.
    // Only as many steps as there are samples are taken.
    void SetSignals(int steps, std::span<const uint32_t> samples, std::span<const CapturedSignal> captured);
    void OnInitialUpdate();

    // Zoom: false, and nothing changes, at the outermost levels; a change clears the marker.
    bool ZoomOut();
    bool ZoomIn();

    // Mouse and keys; true when the view must be repainted. The point is in view coordinates
    // (the scroll position already added).
    bool OnLButtonDown(Point point, bool ctrl, bool shift);
    bool OnKeyDown(Key key);

    // Selection
    int selectedCount() const;
    void ClearSelection();
    void SelectOnly(int index);
    void ToggleSelection(int index);
    void SelectRange(int index);
    void MoveRowUp();
    void MoveRowDown();

    // Row editing; each returns false, changing nothing, when its condition does not hold.
    bool CombineRows(const std::vector<int>& indices, const std::string& name);
    bool SpreadRow(int index);
    bool ReverseRow(int index);
    bool RenameRow(int index, std::string name);

  private:
    void LoadZoomLevel(int level);
    void UpdateScrollSizes() { UpdateScrollSizes(static_cast<int>(rows_.size())); }
    void UpdateScrollSizes(int rowCount);
    SignalRow RowOfSignal(int signal) const;
    bool validIndex(int index) const { return index >= 0 && index < static_cast<int>(rows_.size()); }
    int soleSelected() const;

    int steps_ = 0;
    std::vector<RawSignal> signals_;
    std::vector<SignalRow> rows_;
    std::string notes_;
    int zoomLevel_ = kStartZoomLevel;
    ZoomMetrics metrics_;
    ScrollSizes scrollSizes_;
    bool grid_ = true;
    int marker_ = -1;
};

} // namespace vorn::waveform
