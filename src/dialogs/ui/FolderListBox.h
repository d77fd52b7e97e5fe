// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QListWidget>
#include <string>

#include "wine/DriveTable.h"

namespace movrand::dialogs {

// The folder list: the open folder with its way up to the drive root, and its subfolders below.
// A double-click (or Enter) opens an entry. Its path reads in the game's notation with no
// trailing separator except at a drive root ("C:\sierra\gpl", "C:\").
class FolderListBox : public QListWidget {
    Q_OBJECT
  public:
    // Starts on the working folder, or on the root of the first ready drive. The table must
    // outlive the list.
    explicit FolderListBox(const platform::DriveTable& drives, QWidget* parent = nullptr);

    // The open folder.
    std::string Path() const { return path_; }

    // Opens a folder, raising `changed` when it differs from the open one. "C:" alone opens the
    // drive's current folder (the working folder when it lies on that drive, else the root);
    // a path without a drive is taken from the open folder. A folder that does not exist raises
    // 76 "Path not found", a drive that is not ready 71 "Disk not ready", a folder that cannot
    // be listed its own error; the list then stays where it was.
    void SetPath(const std::string& path);

    // The folder of the highlighted entry ("" when none is highlighted).
    std::string HighlightedPath() const;

    // The folders of every entry, from the drive root down to the open folder's subfolders.
    std::vector<std::string> EntryPaths() const;
    // Shows `note` after the entry of `folder` (its name alone again for ""), and in its
    // tooltip; listing again shows the names alone.
    void SetNote(const std::string& folder, const QString& note);

    // Lists the open folder's subfolders again.
    void Refresh();

    // Whether folders whose names start with a dot (~/.local, a prefix's home) are listed too;
    // they are not unless asked for. Lists the open folder again.
    void SetShowHidden(bool show);
    bool ShowsHidden() const { return showHidden_; }

  signals:
    // The open folder changed, by the user or by SetPath.
    void changed();
    // An entry was clicked or highlighted from the keyboard. The open folder stays as it was.
    void clicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::string Resolve(const std::string& path) const;
    void Fill(const std::string& path, const std::vector<std::string>& subfolders);
    void OpenEntry(QListWidgetItem* item);

    const platform::DriveTable& drives_;
    std::string path_;
    bool showHidden_ = false;
    QIcon openIcon_;
    QIcon closedIcon_;
};

}  // namespace movrand::dialogs
