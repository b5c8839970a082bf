#pragma once
// A document that can hold changes not yet saved. As documents of the class library do, it
// is asked before anything drops those changes: before its last window closes, before the
// application quits, and before its own commands replace its contents.

#include <QString>

class QWidget;

namespace vorn::ui {

class SavableDocument {
  public:
    virtual ~SavableDocument() = default;

    virtual bool IsModified() const = 0;
    // The name the question gives: the document's path, or its title while it has none.
    virtual QString DocumentName() const = 0;
    // Saves the document where it belongs, asking for a path when it has none. False when
    // the save was cancelled or failed; a failure has been shown already.
    virtual bool DoFileSave() = 0;

    // Unmodified, or "Save changes to <name>?" answered Yes with a good save or No: true, the
    // changes may go. Cancel or a failed save: false, everything stays.
    bool SaveModified(QWidget* owner);
};

} // namespace vorn::ui
