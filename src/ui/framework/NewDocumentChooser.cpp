#include "ui/framework/NewDocumentChooser.h"

#include "ui/framework/DialogTemplate.h"
#include "ui/framework/MessageBox.h"

#include <QListWidget>
#include <cstdio>

namespace vorn::ui {

namespace {

NewChooserHook& Hook() {
    static NewChooserHook hook;
    return hook;
}

constexpr int kListId = 0x3000;

DialogSpec NewSpec() {
    return {0x7801,
            QStringLiteral("New"),
            150,
            74,
            {{ControlKind::Static, -1, QStringLiteral("&New"), 7, 7, 100, 8},
             {ControlKind::ListBox, kListId, {}, 7, 18, 80, 49, VerticalScroll},
             {ControlKind::DefaultButton, IDOK, QStringLiteral("OK"), 94, 18, 50, 14},
             {ControlKind::Button, IDCANCEL, QStringLiteral("Cancel"), 94, 35, 50, 14}}};
}

} // namespace

void SetNewChooserHook(NewChooserHook hook) {
    Hook() = std::move(hook);
}

std::optional<int> ChooseNewDocumentKind(QWidget* owner, const QStringList& names) {
    if (Hook()) return Hook()(names);
    if (BoxesArePrinted()) {
        // Acceptance scripts see the question and its answer: cancelled.
        std::fprintf(stderr, "NEW %s\n", names.join(QLatin1String(" | ")).toLocal8Bit().constData());
        std::fflush(stderr);
        return std::nullopt;
    }
    TemplateDialog dialog(NewSpec(), owner);
    auto* list = dialog.control<QListWidget>(kListId);
    list->addItems(names);
    list->setCurrentRow(0);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0) return std::nullopt;
    return list->currentRow();
}

} // namespace vorn::ui
