#include "ui/framework/DialogTemplate.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>

namespace vorn::ui {

// The base units as Windows takes them from a dialog font: the average width of the 52 letters,
// rounded, and the height of the font.
DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    charWidth_ = qMax(1, (letters / 26 + 1) / 2);
    charHeight_ = qMax(1, metrics.height());
}

int DialogUnits::x(int units) const {
    return (units * charWidth_ + 2) / 4;
}

int DialogUnits::y(int units) const {
    return (units * charHeight_ + 4) / 8;
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    return QRect(x(left), y(top), x(width), y(height));
}

namespace {

QWidget* CreateControl(const ControlSpec& spec, QWidget* host) {
    switch (spec.kind) {
    case ControlKind::Static: {
        // A static text shows '&' as the mark of its access key, which labels here do not use.
        QString text = spec.text;
        text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
        auto* label = new QLabel(text, host);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(spec.height > 12);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Icon: {
        auto* label = new QLabel(host);
        label->setPixmap(host->style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
        return label;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(spec.text, host);
        edit->setReadOnly(spec.style & ReadOnly);
        edit->setFrame(!(spec.style & NoBorder));
        if (spec.style & (ReadOnly | NoBorder)) edit->setFocusPolicy(Qt::ClickFocus);
        if (spec.style & NoBorder) edit->setStyleSheet(QStringLiteral("background: transparent"));
        return edit;
    }
    case ControlKind::MultiLineEdit: {
        auto* edit = new QPlainTextEdit(spec.text, host);
        edit->setReadOnly(spec.style & ReadOnly);
        return edit;
    }
    case ControlKind::Button:
    case ControlKind::DefaultButton: {
        auto* button = new QPushButton(spec.text, host);
        button->setAutoDefault(false);
        button->setDefault(spec.kind == ControlKind::DefaultButton);
        return button;
    }
    case ControlKind::Radio:
        return new QRadioButton(spec.text, host);
    case ControlKind::GroupBox: {
        // As on Windows, the frame runs through the middle of the title, which starts at the
        // top of the rectangle; the controls inside keep clear of both.
        auto* box = new QGroupBox(spec.text, host);
        box->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
                                          "QGroupBox::title { subcontrol-origin: margin; left: 6px;"
                                          " padding: 0 2px; }"));
        return box;
    }
    case ControlKind::ListBox:
        return new QListWidget(host);
    }
    return new QWidget(host);
}

} // namespace

ControlMap BuildControls(QWidget* host, const DialogSpec& spec) {
    QFont font(spec.fontFace);
    font.setPointSize(spec.fontPointSize);
    host->setFont(font);
    const DialogUnits units(font);
    ControlMap controls;
    for (const ControlSpec& control : spec.controls) {
        QWidget* widget = CreateControl(control, host);
        widget->setObjectName(QString::number(control.id));
        widget->setGeometry(units.rect(control.x, control.y, control.width, control.height));
        // A host that is on screen already does not show children added later by itself.
        widget->show();
        // Group boxes are drawn behind the controls they frame.
        if (control.kind == ControlKind::GroupBox) widget->lower();
        if (control.id > 0) controls.add(control.id, widget);
    }
    host->resize(units.x(spec.width), units.y(spec.height));
    return controls;
}

TemplateDialog::TemplateDialog(const DialogSpec& spec, QWidget* parent) : QDialog(parent) {
    setWindowTitle(spec.caption);
    setModal(true);
    controls_ = BuildControls(this, spec);
    setFixedSize(size());
    if (auto* ok = controls_.control<QPushButton>(IDOK))
        connect(ok, &QPushButton::clicked, this, [this] { onOk(); });
    if (auto* cancel = controls_.control<QPushButton>(IDCANCEL))
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace vorn::ui
