// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QListWidget>
#include <string>

#include "wine/DriveTable.h"

namespace movrand::dialogs {

// The file list: the files of one folder whose names match a pattern ("*.*" for all, "?" and
// "*" wildcards, several patterns separated by ";"), compared without regard to letter case.
// Hidden files (dot-names under Wine) are left out, as the platform's file lists do.
class FileListBox : public QListWidget {
    Q_OBJECT
  public:
    // Starts on the working folder with the pattern "*.*". The table must outlive the list.
    explicit FileListBox(const platform::DriveTable& drives, QWidget* parent = nullptr);

    // Lists another folder. A folder that does not exist raises 76 "Path not found", a drive
    // that is not ready 71; the list then stays as it was.
    void SetPath(const std::string& folder);
    const std::string& Path() const { return path_; }

    // Filters the list anew.
    void SetPattern(const std::string& pattern);
    const std::string& Pattern() const { return pattern_; }

    // The name of the chosen file, "" when none is chosen.
    std::string FileName() const;

  signals:
    // A file was clicked, or chosen with the arrow keys.
    void clicked();
    // A file was double-clicked, or Enter pressed on it.
    void doubleClicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Fill(const std::string& folder);

    const platform::DriveTable& drives_;
    std::string path_;
    std::string pattern_ = "*.*";
};

}  // namespace movrand::dialogs
