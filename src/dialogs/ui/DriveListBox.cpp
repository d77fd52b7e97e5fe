// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/DriveListBox.h"

#include <cctype>

#include "platform/RuntimeError.h"
#include "wine/WindowsPath.h"
#include "wine/WorkingFolder.h"

namespace movrand::dialogs {

namespace {
QString EntryText(char letter) {
    return QString(QChar(std::tolower(static_cast<unsigned char>(letter)))) + ":";
}
}  // namespace

DriveListBox::DriveListBox(const platform::DriveTable& drives, QWidget* parent)
    : QComboBox(parent), drives_(drives) {
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::OnIndexChanged);
    const std::string here = platform::WorkingFolder(drives_);
    letter_ = here.empty() ? 0 : here[0];
    RefreshDrives();
}

std::string DriveListBox::Drive() const {
    return letter_ ? EntryText(letter_).toStdString() : std::string();
}

void DriveListBox::SetDrive(const std::string& text) {
    if (text.empty()) return;
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    const int index = findData(QChar(wanted));
    if (index < 0) throw platform::RuntimeError(platform::kDiskNotReady);
    setCurrentIndex(index);
}

void DriveListBox::RefreshDrives() {
    filling_ = true;
    clear();
    for (const platform::Drive& d : drives_.Drives()) addItem(EntryText(d.Letter), QChar(d.Letter));
    int index = letter_ ? findData(QChar(letter_)) : -1;
    if (index < 0 && count() > 0) index = 0;
    setCurrentIndex(index);
    letter_ = index < 0 ? 0 : itemData(index).toChar().toLatin1();
    filling_ = false;
}

void DriveListBox::OnIndexChanged(int index) {
    if (filling_ || index < 0) return;
    const char letter = itemData(index).toChar().toLatin1();
    if (letter == letter_) return;
    letter_ = letter;
    emit changed();
}

}  // namespace movrand::dialogs
