// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace movrand {

// Key codes the drop-down lists react to on key down.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyF2 = 113;

// What a drop-down list of the main window shows: its text and the selected part of it
// (positions in characters) and the selected entry (-1 for none).
struct ComboState {
    std::string Text;
    int SelStart = 0;
    int SelLength = 0;
    int ListIndex = -1;
};

// What the window does with a key. When Select is true it selects entry ListIndex (which raises
// the box's click event), shows Text and selects SelLength characters from SelStart; otherwise
// the box stays as it is. Consumed says the box must not act on the key itself.
struct ComboKeyResult {
    bool Select = false;
    int ListIndex = -1;
    std::string Text;
    int SelStart = 0;
    int SelLength = 0;
    bool Consumed = false;
};

// Key down: F2, Backspace and Left select entry 0; every other key does nothing here. The key
// is not consumed: the window then delivers its character, if any, to ComboKeyPress, which
// swallows it, so Backspace never deletes a character.
ComboKeyResult ComboKeyDown(const std::vector<std::string>& entries, int keyCode);

// Key press, type-ahead: the search text is the box's text (when nothing is selected) or its
// text before the selection, followed by the typed character. The first entry that begins with
// it, without regard to case, is selected with the untyped rest highlighted; when none begins
// with it nothing changes. The typed character itself never reaches the box.
ComboKeyResult ComboKeyPress(const std::vector<std::string>& entries, const ComboState& box,
                             const std::string& typed);

}  // namespace movrand
