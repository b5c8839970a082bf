#pragma once
// Message boxes. Every box of the application goes through ShowMessageBox, so that tests and
// acceptance scripts can answer them: a hook installed by a test answers instead of a
// dialog, and with VORN_BOXES=print each box is written to standard error as one line
// "BOX caption | text" (line breaks as \n) and answered with OK, or No for a Yes/No box.

#include <QString>
#include <functional>

class QWidget;

namespace vorn::ui {

enum class BoxButtons { Ok, YesNo, YesNoCancel };
// The answer to a box: OK counts as Yes.
enum BoxAnswer : int { BoxNo = 0, BoxYes = 1, BoxCancel = 2 };
enum class BoxIcon { None, Warning, Error };

struct BoxRequest {
    QWidget* owner = nullptr; // none: the box has no owner window
    QString text;
    QString caption; // empty: the application title, or "Error" for a box without owner
    BoxButtons buttons = BoxButtons::Ok;
    BoxIcon icon = BoxIcon::None;
};

// Returns true for OK or Yes.
bool ShowMessageBox(const BoxRequest& request);
// The answer as a BoxAnswer, for a box that can also be cancelled.
BoxAnswer AskMessageBox(const BoxRequest& request);

// A test answers boxes through a hook, with a BoxAnswer or with true (OK, Yes) or false (No);
// an empty function removes it.
using BoxHook = std::function<int(const BoxRequest&)>;
void SetMessageBoxHook(BoxHook hook);

// The line that print mode writes for a box.
QString BoxLine(const QString& caption, const QString& text);
// Whether boxes are printed instead of shown (VORN_BOXES=print).
bool BoxesArePrinted();

} // namespace vorn::ui
