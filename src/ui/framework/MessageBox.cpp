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

QMessageBox::StandardButtons ToQt(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case BoxButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case BoxButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
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
    return AskMessageBox(request) == BoxYes;
}

BoxAnswer AskMessageBox(const BoxRequest& request) {
    // Without a caption of its own, a box of a window carries the application title and a
    // box without an owner the platform's default caption.
    const QString caption = !request.caption.isEmpty() ? request.caption
                            : request.owner            ? QApplication::applicationName()
                                                       : QStringLiteral("Error");
    if (Hook()) {
        BoxRequest resolved = request;
        resolved.caption = caption;
        return static_cast<BoxAnswer>(Hook()(resolved));
    }
    if (BoxesArePrinted()) {
        std::fprintf(stderr, "%s\n", BoxLine(caption, request.text).toLocal8Bit().constData());
        std::fflush(stderr);
        return request.buttons == BoxButtons::Ok ? BoxYes : BoxNo;
    }
    QMessageBox box(ToQt(request.icon), caption, request.text, ToQt(request.buttons), request.owner);
    switch (box.exec()) {
    case QMessageBox::Ok:
    case QMessageBox::Yes:
        return BoxYes;
    case QMessageBox::No:
        return BoxNo;
    default:
        return BoxCancel;
    }
}

} // namespace vorn::ui
