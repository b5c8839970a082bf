#include "ui/framework/SavableDocument.h"

#include "ui/framework/MessageBox.h"

namespace vorn::ui {

bool SavableDocument::SaveModified(QWidget* owner) {
    if (!IsModified()) return true;
    const QString question = QStringLiteral("Save changes to %1?").arg(DocumentName());
    switch (AskMessageBox({owner, question, {}, BoxButtons::YesNoCancel, BoxIcon::Warning})) {
    case BoxYes:
        return DoFileSave();
    case BoxNo:
        return true;
    case BoxCancel:
        break;
    }
    return false;
}

} // namespace vorn::ui
