#pragma once
// The text of an edit field together with its selection, for the fields whose selected part
// a command deletes ("Clear All Labels" sends each field the edit-clear message).

#include <algorithm>
#include <string>
#include <utility>

namespace vorn::monitor {

struct EditText {
    std::string text;
    size_t selectionStart = 0;
    size_t selectionEnd = 0;

    // Setting the text, as the window text of an edit, leaves nothing selected.
    void Set(std::string newText) {
        text = std::move(newText);
        selectionStart = selectionEnd = 0;
    }
    // Deletes the selected part, if any.
    void ClearSelection() {
        const size_t start = std::min({selectionStart, selectionEnd, text.size()});
        const size_t end = std::min(std::max(selectionStart, selectionEnd), text.size());
        text.erase(start, end - start);
        selectionStart = selectionEnd = start;
    }
};

} // namespace vorn::monitor
