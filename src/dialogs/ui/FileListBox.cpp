// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/FileListBox.h"

#include <QKeyEvent>

#include "dialogs/ui/ListEntryDelegate.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "wine/FileSystem.h"
#include "wine/WorkingFolder.h"

namespace movrand::dialogs {

FileListBox::FileListBox(const platform::DriveTable& drives, QWidget* parent)
    : QListWidget(parent), drives_(drives) {
    // A long name is shortened in its middle (its tooltip is the whole name) rather than
    // scrolled sideways out of sight.
    setItemDelegate(new ListEntryDelegate(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideMiddle);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, [this] { emit clicked(); });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit doubleClicked(); });
    const std::string here = platform::WorkingFolder(drives_);
    if (!here.empty()) {
        try {
            SetPath(here);
        } catch (const platform::RuntimeError&) {
            // No working folder to show: the list starts empty.
        }
    }
}

void FileListBox::SetPath(const std::string& folder) {
    Fill(folder);
    path_ = folder;
}

void FileListBox::SetPattern(const std::string& pattern) {
    pattern_ = pattern;
    if (path_.empty()) return;
    try {
        Fill(path_);
    } catch (const platform::RuntimeError&) {
        clear();  // the folder has gone since it was listed
    }
}

std::string FileListBox::FileName() const {
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? item->text().toStdString() : std::string();
}

void FileListBox::Fill(const std::string& folder) {
    const platform::FileSystem fs(drives_);
    // Names are read first, so a folder that cannot be listed leaves the list as it was.
    const std::vector<std::string> names = fs.FileNames(folder);
    clear();
    for (const std::string& name : names) {
        if (!name.empty() && name[0] == '.') continue;
        if (!platform::MatchesPattern(name, pattern_)) continue;
        auto* item = new QListWidgetItem(QString::fromStdString(name), this);
        item->setToolTip(item->text());
    }
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // The entry the keyboard is on counts as chosen, even before an arrow key selected it.
        if (currentItem() && !currentItem()->isSelected()) {
            currentItem()->setSelected(true);
            emit clicked();
        }
        if (!FileName().empty()) {
            emit doubleClicked();
            return;
        }
        event->ignore();
        return;
    }
    // An arrow moves the selection, Space selects the entry the keyboard is on: either way the
    // file under the selection is the chosen one.
    const QListWidgetItem* before = currentItem();
    const std::string chosen = FileName();
    QListWidget::keyPressEvent(event);
    if ((currentItem() != before || FileName() != chosen) && !FileName().empty()) emit clicked();
}

}  // namespace movrand::dialogs
