#pragma once
// Modal dialogs answered by a timer once they show, so that no test waits on one.

#include "ui/framework/DialogTemplate.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace vorn::testing {

// Runs action on the next modal dialog once it is shown.
inline void OnNextModal(std::function<void(QDialog&)> action, int tries = 100) {
    QTimer::singleShot(10, [action = std::move(action), tries] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            action(*dialog);
        else if (tries > 0)
            OnNextModal(action, tries - 1);
    });
}

// Fills the value fields of the next one- or two-value prompt and presses OK, or Cancel without
// values. Every prompt starts on its first field and shows its prompt from the first character.
inline void AnswerPrompt(const QStringList& values, bool ok = true) {
    OnNextModal([values, ok](QDialog& dialog) {
        auto* prompt = qobject_cast<ui::TemplateDialog*>(&dialog);
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(prompt->focusWidget(), prompt->control<QLineEdit>(2000));
        EXPECT_EQ(prompt->control<QLineEdit>(2002)->cursorPosition(), 0);
        for (int i = 0; i < values.size(); ++i)
            prompt->control<QLineEdit>(2000 + i)->setText(values[i]);
        prompt->control<QPushButton>(ok ? ui::IDOK : ui::IDCANCEL)->click();
    });
}

} // namespace vorn::testing
