#pragma once
// A waveform view rendered offscreen as the screen shows it, unscrolled: for looking at a
// picture without a window, and for tests that check pixels.

#include "waveform/GraphModel.h"

#include <QImage>
#include <QString>

namespace vorn::ui {

// A white image of the view's scroll extent with the view drawn on it.
QImage RenderWaveform(const waveform::GraphModel& model);
bool RenderWaveformPng(const waveform::GraphModel& model, const QString& path);

} // namespace vorn::ui
