// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QComboBox>
#include <string>

#include "wine/DriveTable.h"

namespace movrand::dialogs {

// The drive list: one entry per drive of the machine ("c:", "z:"). It knows nothing of folder
// lists; its owner connects `changed` to the folder list it drives, and nothing links them the
// other way.
class DriveListBox : public QComboBox {
    Q_OBJECT
  public:
    // Starts on the drive of the working folder, or on the first drive. The table must outlive
    // the list.
    explicit DriveListBox(const platform::DriveTable& drives, QWidget* parent = nullptr);

    // The chosen drive as the list shows it: "c:" ("" when the machine has no drive).
    std::string Drive() const;
    char DriveLetter() const { return letter_; }

    // Chooses the drive named by the first character of `text` ("C", "c:\games"), raising
    // `changed` when that is another drive. A drive that is not ready is still chosen; the
    // folder list reports it when it is sent there. An empty text changes nothing; a letter the
    // machine has no drive for raises 71 "Disk not ready" and the list stays where it was.
    void SetDrive(const std::string& text);

    // Lists the drive table again (after it has changed), keeping the chosen drive if it is
    // still there.
    void RefreshDrives();

  signals:
    // The chosen drive changed, by the user or by SetDrive.
    void changed();

  private:
    void OnIndexChanged(int index);

    const platform::DriveTable& drives_;
    char letter_ = 0;
    bool filling_ = false;
};

}  // namespace movrand::dialogs
