// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/ComboKeys.h"

#include <algorithm>

#include "roster/ListText.h"

namespace movrand {

namespace {
ComboKeyResult SelectEntry(const std::vector<std::string>& entries, std::size_t index,
                           int typedLength) {
    ComboKeyResult result;
    result.Select = true;
    result.ListIndex = static_cast<int>(index);
    result.Text = entries[index];
    result.SelStart = typedLength;
    result.SelLength = static_cast<int>(CharacterCount(entries[index])) - typedLength;
    result.Consumed = true;
    return result;
}
}  // namespace

ComboKeyResult ComboKeyDown(const std::vector<std::string>& entries, int keyCode) {
    if (keyCode != kKeyF2 && keyCode != kKeyBackspace && keyCode != kKeyLeft) return {};
    if (entries.empty()) return {};
    // Selecting an entry highlights its whole text, as the box does. The key itself goes on to
    // the box; a Backspace's character is swallowed by the key press rule.
    ComboKeyResult result = SelectEntry(entries, 0, 0);
    result.Consumed = false;
    return result;
}

ComboKeyResult ComboKeyPress(const std::vector<std::string>& entries, const ComboState& box,
                             const std::string& typed) {
    const std::u32string text = CodePoints(box.Text);
    std::u32string search = text;
    if (box.SelLength > 0) {
        const auto start =
            static_cast<std::size_t>(std::clamp(box.SelStart, 0, static_cast<int>(text.size())));
        search = text.substr(0, start);
    }
    search += CodePoints(typed);
    const std::string prefix = Utf8OfCodePoints(search);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (StartsWithNoCase(entries[i], prefix))
            return SelectEntry(entries, i, static_cast<int>(search.size()));
    ComboKeyResult nothing;
    nothing.Consumed = true;
    return nothing;
}

}  // namespace movrand
