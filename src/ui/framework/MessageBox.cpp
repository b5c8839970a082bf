#include "ui/framework/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace vorn::ui {

namespace {

BoxHook& Hook() {
    static BoxHook hook;
    return hook;
}

QMessageBox::Icon ToQt(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Warning:
        return QMessageBox::Warning;
    case BoxIcon::Error:
        return QMessageBox::Critical;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void SetMessageBoxHook(BoxHook hook) {
    Hook() = std::move(hook);
}

bool BoxesArePrinted() {
    return qEnvironmentVariable("VORN_BOXES") == QLatin1String("print");
}

QString BoxLine(const QString& caption, const QString& text) {
    QString flat = text;
    flat.replace(QLatin1String("\r\n"), QLatin1String("\\n"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QStringLiteral("BOX %1 | %2").arg(caption, flat);
}

bool ShowMessageBox(const BoxRequest& request) {
    // Without a caption of its own, a box of a window carries the application title and a
    // box without an owner the platform's default caption.
    const QString caption = !request.caption.isEmpty() ? request.caption
                            : request.owner            ? QApplication::applicationName()
                                                       : QStringLiteral("Error");
    if (Hook()) {
        BoxRequest resolved = request;
        resolved.caption = caption;
        return Hook()(resolved);
    }
    if (BoxesArePrinted()) {
        std::fprintf(stderr, "%s\n", BoxLine(caption, request.text).toLocal8Bit().constData());
        std::fflush(stderr);
        return request.buttons == BoxButtons::Ok;
    }
    QMessageBox box(ToQt(request.icon), caption, request.text,
                    request.buttons == BoxButtons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No,
                    request.owner);
    const int answer = box.exec();
    return answer == QMessageBox::Ok || answer == QMessageBox::Yes;
}

} // namespace vorn::ui
