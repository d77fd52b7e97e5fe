// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/FolderNameFilter.h"

#include "folders/CarFolderPage.h"

namespace movrand::mainwindow {

QValidator::State FolderNameFilter::validate(QString& input, int& pos) const {
    QString kept;
    int keptBeforeCaret = 0;
    for (int i = 0; i < input.size(); ++i) {
        const char16_t c = input.at(i).unicode();
        // Backspace is a key, never a character of the name.
        if (c == u'\b' || !NameBoxAccepts(c)) continue;
        kept += input.at(i);
        if (i < pos) ++keptBeforeCaret;
    }
    input = kept;
    pos = keptBeforeCaret;
    return Acceptable;
}

}  // namespace movrand::mainwindow
