#include "ui/waveform/RenderWaveformPng.h"

#include "ui/framework/QtCanvas.h"
#include "waveform/GraphDrawing.h"

#include <QPainter>

namespace vorn::ui {

QImage RenderWaveform(const waveform::GraphModel& model) {
    const Size extent = model.scrollSizes().total;
    QImage image(extent.width, extent.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    waveform::OnDraw(model, canvas);
    return image;
}

bool RenderWaveformPng(const waveform::GraphModel& model, const QString& path) {
    return RenderWaveform(model).save(path, "PNG");
}

} // namespace vorn::ui
