// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/FolderListBox.h"

#include <QIcon>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>
#include <cctype>

#include "dialogs/ui/ListEntryDelegate.h"
#include "platform/FileSystemErrors.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "resources/ui/PngFile.h"
#include "wine/FileSystem.h"
#include "wine/WindowsPath.h"
#include "wine/WorkingFolder.h"

namespace movrand::dialogs {

namespace {

// A folder's picture: the desktop icon theme's when there is a theme (as the style gives it),
// else Qt's own pictures in the sizes a list shows, read as the PNG files they are; the style
// would read those without their format, and so load every image format plugin for the first
// folder list at the start.
QIcon FolderIcon(const QStyle& style, QStyle::StandardPixmap which, const char* name) {
    if (QIcon::themeName().isEmpty()) {
        QIcon icon;
        for (const int size : {16, 32}) {
            const QPixmap picture = resources::ReadPng(
                QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png")
                    .arg(QLatin1String(name))
                    .arg(size));
            if (!picture.isNull()) icon.addPixmap(picture);
        }
        if (!icon.isNull()) return icon;
    }
    return style.standardIcon(which);
}

constexpr int kPathRole = Qt::UserRole;
// The entry's name without its note.
constexpr int kNameRole = Qt::UserRole + 2;
std::string DriveRoot(char letter) {
    return std::string(1, letter) + ":\\";
}

// "C:" and "c:" name a drive without a folder.
bool IsBareDrive(const std::string& path) {
    return path.size() == 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// Dot-names are hidden under Wine; the platform's folder lists leave hidden folders out.
bool Hidden(const std::string& name) {
    return !name.empty() && name[0] == '.';
}

}  // namespace

FolderListBox::FolderListBox(const platform::DriveTable& drives, QWidget* parent)
    : QListWidget(parent), drives_(drives) {
    setItemDelegate(new ListEntryDelegate(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideMiddle);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderListBox::OpenEntry);
    connect(this, &QListWidget::itemClicked, this, [this] { emit clicked(); });

    std::vector<std::string> starts{platform::WorkingFolder(drives_)};
    const platform::FileSystem fs(drives_);
    for (const platform::Drive& d : drives_.Drives())
        if (fs.DriveReady(d.Letter)) starts.push_back(DriveRoot(d.Letter));
    for (const std::string& start : starts) {
        if (start.empty()) continue;
        try {
            const std::string resolved = Resolve(start);
            Fill(resolved, fs.FolderNames(resolved));
            path_ = resolved;
            break;
        } catch (const platform::RuntimeError&) {
        }
    }
}

std::string FolderListBox::Resolve(const std::string& path) const {
    std::string full = path;
    if (IsBareDrive(path)) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
        const std::string here = platform::WorkingFolder(drives_);
        full = !here.empty() && here[0] == letter ? here : DriveRoot(letter);
    } else if (platform::WindowsPath::Parse(path).DriveLetter == 0 && !path_.empty()) {
        full = path_ + "\\" + path;
    }
    const platform::WindowsPath parsed = platform::WindowsPath::Parse(full);
    if (parsed.DriveLetter == 0) throw platform::PathNotFound(full);
    const platform::FileSystem fs(drives_);
    if (!fs.DriveReady(parsed.DriveLetter)) throw platform::RuntimeError(platform::kDiskNotReady);
    if (!fs.FolderExists(parsed.Text())) throw platform::PathNotFound(parsed.Text());
    return platform::WindowsPath::Parse(fs.ReportedPath(parsed.Text())).Text();
}

void FolderListBox::SetPath(const std::string& path) {
    const std::string resolved = Resolve(path);
    const std::vector<std::string> subfolders = platform::FileSystem(drives_).FolderNames(resolved);
    const bool moved = resolved != path_;
    Fill(resolved, subfolders);
    path_ = resolved;
    if (moved) emit changed();
}

void FolderListBox::Refresh() {
    if (path_.empty()) return;
    std::vector<std::string> subfolders;
    try {
        subfolders = platform::FileSystem(drives_).FolderNames(path_);
    } catch (const platform::RuntimeError&) {
        // A folder that has gone shows its way up and nothing below it.
    }
    Fill(path_, subfolders);
}

void FolderListBox::SetShowHidden(bool show) {
    if (show == showHidden_) return;
    showHidden_ = show;
    Refresh();
}

std::string FolderListBox::HighlightedPath() const {
    const QListWidgetItem* item = currentItem();
    return item ? item->data(kPathRole).toString().toStdString() : std::string();
}

std::vector<std::string> FolderListBox::EntryPaths() const {
    std::vector<std::string> paths;
    for (int row = 0; row < count(); ++row)
        paths.push_back(item(row)->data(kPathRole).toString().toStdString());
    return paths;
}

void FolderListBox::SetNote(const std::string& folder, const QString& note) {
    for (int row = 0; row < count(); ++row) {
        QListWidgetItem* entry = item(row);
        const QString full = entry->data(kPathRole).toString();
        if (!platform::EqualsNoCase(full.toStdString(), folder)) continue;
        if (entry->data(kNameRole).isNull()) entry->setData(kNameRole, entry->text());
        const QString name = entry->data(kNameRole).toString();
        entry->setText(note.isEmpty() ? name : name + QStringLiteral("   ") + note);
        entry->setToolTip(note.isEmpty() ? full : full + QStringLiteral("\n") + note);
    }
}

void FolderListBox::Fill(const std::string& path, const std::vector<std::string>& subfolders) {
    if (openIcon_.isNull()) {
        openIcon_ = FolderIcon(*style(), QStyle::SP_DirOpenIcon, "diropen");
        closedIcon_ = FolderIcon(*style(), QStyle::SP_DirClosedIcon, "dirclosed");
    }
    const QIcon& open = openIcon_;
    const QIcon& closed = closedIcon_;
    const platform::WindowsPath parsed = platform::WindowsPath::Parse(path);
    clear();
    platform::WindowsPath walk;
    walk.DriveLetter = parsed.DriveLetter;
    auto add = [this](const QIcon& icon, const std::string& text, const std::string& full,
                      int level) {
        auto* item = new QListWidgetItem(icon, QString::fromStdString(text), this);
        item->setData(kPathRole, QString::fromStdString(full));
        item->setData(ListEntryDelegate::kLevelRole, level);
        item->setToolTip(QString::fromStdString(full));
        return item;
    };
    QListWidgetItem* openItem = add(open, walk.Text(), walk.Text(), 0);
    int level = 0;
    for (const std::string& component : parsed.Components) {
        walk.Components.push_back(component);
        openItem = add(open, component, walk.Text(), ++level);
    }
    for (const std::string& name : subfolders) {
        if (!showHidden_ && Hidden(name)) continue;
        platform::WindowsPath child = walk;
        child.Components.push_back(name);
        add(closed, name, child.Text(), level + 1);
    }
    setCurrentItem(openItem);
    // A hidden list brings its current entry into view when it is shown; laying out the entries
    // of a list nobody sees yet would only slow the opening of the window that holds it.
    if (isVisible()) scrollToItem(openItem);
}

void FolderListBox::OpenEntry(QListWidgetItem* item) {
    if (!item) return;
    try {
        SetPath(item->data(kPathRole).toString().toStdString());
    } catch (const platform::RuntimeError&) {
        // The entry has gone since it was listed: show what is there now.
        Refresh();
    }
}

void FolderListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenEntry(currentItem());
        return;
    }
    const QListWidgetItem* before = currentItem();
    QListWidget::keyPressEvent(event);
    if (currentItem() != before) emit clicked();
}

}  // namespace movrand::dialogs
