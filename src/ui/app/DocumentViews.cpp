#include "ui/app/DocumentViews.h"

#include "ui/app/Resources.h"

#include <QWidget>

namespace vorn::ui {

namespace {

// A window of its kind, before the kind has a view of its own.
std::function<QWidget*(const QString&)> EmptyView(const char* className) {
    return [className](const QString&) {
        auto* view = new QWidget;
        view->setObjectName(QString::fromLatin1(className));
        return view;
    };
}

} // namespace

DocumentTemplate CompilerTemplate() { return {IDR_COMPILER, kCompilerDocString, {}, EmptyView("CTextEditor")}; }

DocumentTemplate SimulatorTemplate() { return {IDR_SIMULATOR, kSimulatorDocString, {}, EmptyView("CSimGraphView")}; }

DocumentTemplate MonitorTemplate() { return {IDR_MONITOR, kMonitorDocString, {}, EmptyView("CvornctrlView")}; }

} // namespace vorn::ui
