// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QCheckBox>
#include <QLineEdit>
#include <string>

#include "common/ProgramValues.h"
#include "dialogs/ui/DriveListBox.h"
#include "dialogs/ui/FileListBox.h"
#include "dialogs/ui/FolderListBox.h"
#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/SkinnedWindow.h"
#include "platform/Ui.h"

namespace movrand::dialogs {

// The file picker: a drive list, a folder list and a file list filtered by a pattern, a line
// with the chosen file's full path, and the use and cancel pictures. Leaving it hides it, so the
// caller can still read the path line; only the use picture with a file chosen sets
// FileSelected.
class frmFile : public SkinnedWindow {
    Q_OBJECT
  public:
    frmFile(ProgramValues& pv, platform::Ui& ui, QWidget* parent = nullptr);

    void SetPath(const std::string& path) { path_ = path; }
    void SetPattern(const std::string& pattern) { pattern_ = pattern; }
    void SetTopCaption(const std::string& caption) { topCaption_ = caption; }
    // Chooses a file to write instead of one that is there: `name` is offered in the file name
    // field, `suffix` (".carset") is added to a name that lacks it. Set before Load.
    void SetSaving(const std::string& name, const std::string& suffix);
    bool FileSelected() const { return fileSelected_; }
    // The path line as shown.
    std::string PathLine() const;

    // Sets up the window from Path, Pattern and TopCaption. A start folder or drive that is
    // not there is reported and the rest is skipped: the window still opens.
    void Load();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void DriveChanged();
    void FolderChanged();
    void FileClicked();
    void FileDoubleClicked();
    void SetPathLine(const QString& text);
    void ShowUseLook();
    void UseClicked();
    void ShowSavePath();
    bool MayWrite(const std::string& path);
    void ShowHiddenClicked();
    template <typename Body>
    void Trapped(Body&& body);

    ProgramValues& pv_;
    platform::Ui& ui_;
    std::string path_;
    std::string pattern_;
    std::string topCaption_;
    bool fileSelected_ = false;
    bool saving_ = false;
    std::string suffix_;
    DriveListBox* drv_;
    FolderListBox* dir_;
    FileListBox* fle_;
    QLabel* lbl0_;
    QLineEdit* txt0_;
    QCheckBox* chk0_;
    PictureButton* img_[2];
};

}  // namespace movrand::dialogs
