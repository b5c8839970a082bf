#include "ui/framework/DocumentTemplate.h"

#include <QWidget>

namespace vorn::ui {

std::function<QWidget*(const QString&)> EmptyView(const char* className) {
    return [className](const QString&) {
        auto* view = new QWidget;
        view->setObjectName(QString::fromLatin1(className));
        return view;
    };
}

} // namespace vorn::ui
