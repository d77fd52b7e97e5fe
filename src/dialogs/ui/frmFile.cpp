// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/frmFile.h"

#include <QCloseEvent>
#include <QPalette>

#include "dialogs/SaveName.h"
#include "dialogs/ui/FocusMark.h"
#include "dialogs/ui/SkinColours.h"
#include "dialogs/ui/frmFileControls.h"
#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"
#include "platform/SettingsKeys.h"
#include "platform/Text.h"
#include "resources/PictureIds.h"
#include "resources/StringTable.h"
#include "resources/ui/Pictures.h"

namespace movrand::dialogs {

using namespace frmFileControls;

namespace {
constexpr int kWidth = 6105;
constexpr int kHeight = 4320;
// Saving, the file name field takes a row above the path line, and what lies below moves down.
constexpr int kSaveRow = 480;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A folder and a file name in it. A drive root already ends with its separator, which is not
// doubled ("C:\" and "driver.ini" give "C:\driver.ini").
std::string InFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}
}  // namespace

frmFile::frmFile(ProgramValues& pv, platform::Ui& ui, QWidget* parent)
    : SkinnedWindow(QStringLiteral("frmFile"), Border::FixedDialog, SkinExtent::OneFewer,
                    pv.Env.Rnd, parent),
      pv_(pv),
      ui_(ui) {
    SetTwipsSize(kWidth, kHeight);
    setWindowTitle(QStringLiteral(" ZorvexFF"));
    setWindowIcon(resources::LoadResIcon(resources::kProgramIcon));

    drv_ = new DriveListBox(pv_.Env.Drives, this);
    drv_->setObjectName(ControlName("drv", drv::kDrives));
    drv_->setAccessibleName(QStringLiteral("Drive"));
    Place(drv_, {120, 120, 5895, 315});
    dir_ = new FolderListBox(pv_.Env.Drives, this);
    dir_->setObjectName(ControlName("dir", dir::kFolders));
    dir_->setAccessibleName(QStringLiteral("Folder"));
    Place(dir_, {120, 600, 3135, 2790});
    fle_ = new FileListBox(pv_.Env.Drives, this);
    fle_->setObjectName(ControlName("fle", fle::kFiles));
    fle_->setAccessibleName(QStringLiteral("File"));
    Place(fle_, {3360, 770, 2655, 2625});
    // The file list shows the folder the folder list starts on.
    try {
        if (!dir_->Path().empty()) fle_->SetPath(dir_->Path());
    } catch (const platform::RuntimeError&) {
        // A start folder that cannot be listed leaves the file list empty.
    }
    txt0_ = new QLineEdit(this);
    txt0_->setObjectName(ControlName("txt", txt::kFileName));
    txt0_->setAccessibleName(QStringLiteral("File name"));
    txt0_->setPlaceholderText(QStringLiteral("File name"));
    txt0_->setFont(SkinFont(9.75));
    Place(txt0_, {120, 3480, 5895, 375});
    txt0_->hide();
    lbl0_ = new QLabel(this);
    lbl0_->setObjectName(ControlName("lbl", lbl::kChosenFile));
    lbl0_->setAccessibleName(QStringLiteral("Chosen file"));
    lbl0_->setFont(SkinFont(9.75));
    lbl0_->setFrameStyle(QFrame::Box | QFrame::Plain);
    lbl0_->setLineWidth(1);
    lbl0_->setTextFormat(Qt::PlainText);
    lbl0_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Place(lbl0_, {120, 3480, 5895, 375});
    for (QWidget* list : std::initializer_list<QWidget*>{drv_, dir_, fle_, txt0_, lbl0_})
        UseSkinListColours(list);
    // The lists show no focus of their own until an entry is current.
    for (QWidget* list : std::initializer_list<QWidget*>{dir_, fle_}) FocusMark::Attach(list);
    // Dot-folders (~/.local, ~/.var) hold the prefixes of most launchers.
    chk0_ = new QCheckBox(QStringLiteral("Show hidden folders"), this);
    chk0_->setObjectName(ControlName("chk", chk::kShowHiddenFolders));
    chk0_->setAccessibleName(chk0_->text());
    // Its text stands on the dark skin: light, as the skin's other texts.
    QPalette onSkin = chk0_->palette();
    onSkin.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
    chk0_->setPalette(onSkin);
    chk0_->setChecked(pv_.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                           platform::kShowHiddenFoldersKey) == "1");
    dir_->SetShowHidden(chk0_->isChecked());
    Place(chk0_, {120, 3960, 3135, 285});
    FocusMark::Attach(chk0_);
    img_[img::kUseThisFile] = new PictureButton(ControlName("img", img::kUseThisFile),
                                                QStringLiteral("Use this file"), this);
    img_[img::kCancel] =
        new PictureButton(ControlName("img", img::kCancel), QStringLiteral("Cancel"), this);

    connect(drv_, &DriveListBox::changed, this, [this] { DriveChanged(); });
    connect(dir_, &FolderListBox::changed, this, [this] { FolderChanged(); });
    connect(fle_, &FileListBox::clicked, this, [this] { FileClicked(); });
    connect(fle_, &FileListBox::doubleClicked, this, [this] { FileDoubleClicked(); });
    connect(txt0_, &QLineEdit::textChanged, this, [this] { ShowSavePath(); });
    connect(chk0_, &QCheckBox::toggled, this, [this] { ShowHiddenClicked(); });
    connect(img_[img::kUseThisFile], &PictureButton::Clicked, this, [this] { UseClicked(); });
    connect(img_[img::kCancel], &PictureButton::Clicked, this, [this] { hide(); });
    SetKeyAnswers([this] { img_[img::kUseThisFile]->Press(); },
                  [this] { img_[img::kCancel]->Press(); });
}

template <typename Body>
void frmFile::Trapped(Body&& body) {
    platform::RunTrapped(ui_, platform::TrapForm::Common, pv_.ProgramName,
                         std::forward<Body>(body));
}

void frmFile::SetSaving(const std::string& name, const std::string& suffix) {
    saving_ = true;
    suffix_ = suffix;
    txt0_->setText(Q(name));
}

void frmFile::Load() {
    Trapped([&] {
        setWindowIcon(resources::LoadResIcon(resources::kProgramIcon));
        const int below = saving_ ? kSaveRow : 0;
        if (saving_) {
            SetTwipsSize(kWidth, kHeight + below);
            txt0_->show();
            Place(lbl0_, {120, 3480 + below, 5895, 375});
            Place(chk0_, {120, 3960 + below, 3135, 285});
            img_[img::kUseThisFile]->setAccessibleName(QStringLiteral("Save"));
        }
        PaintSkin();
        PlaceAt(img_[img::kUseThisFile], 4000, 3960 + below);
        ShowUseLook();
        PlaceAt(img_[img::kCancel], 5080, 3960 + below);
        img_[img::kCancel]->SetPicture(resources::kCrossPicture);
        img_[img::kCancel]->SetHandPointer(true);
        img_[img::kCancel]->SetTip(Q(resources::LoadResString(resources::kCancelFileSelectionTip)));
        drv_->SetDrive(path_.substr(0, 3));
        dir_->SetPath(path_);
        fle_->SetPattern(pattern_);
        fle_->setToolTip(Q(resources::LoadResString(resources::kSelectFileTip)));
        fle_->setAccessibleDescription(fle_->toolTip());
        setWindowTitle(Q(topCaption_));
        fileSelected_ = false;
        if (saving_) {
            ShowSavePath();
            txt0_->setFocus();
            txt0_->selectAll();
        }
    });
}

std::string frmFile::PathLine() const {
    return lbl0_->text().toStdString();
}

void frmFile::DriveChanged() {
    Trapped([&] { dir_->SetPath(drv_->Drive()); });
}

void frmFile::FolderChanged() {
    Trapped([&] {
        fle_->SetPath(dir_->Path());
        if (saving_) ShowSavePath();
    });
}

void frmFile::FileClicked() {
    Trapped([&] {
        const std::string name = fle_->FileName();
        if (name.empty()) return;
        if (saving_) {
            txt0_->setText(Q(name));  // the path line follows
        } else {
            SetPathLine(Q(InFolder(dir_->Path(), name)));
        }
    });
}

// Saving, the path line is the open folder and the typed name with its suffix.
void frmFile::ShowSavePath() {
    if (!saving_) return;
    const std::string name = SaveFileName(txt0_->text().toStdString(), suffix_);
    SetPathLine(name.empty() ? QString() : Q(InFolder(dir_->Path(), name)));
}

// A name Windows cannot hold, or a folder in the way, is told; a file that is there is replaced
// only after a yes.
bool frmFile::MayWrite(const std::string& path) {
    const std::string name = SaveFileName(txt0_->text().toStdString(), suffix_);
    if (const std::string why = SaveNameRefusal(name); !why.empty()) {
        ui_.ShowMessage(why);
        return false;
    }
    bool answer = false;
    Trapped([&] {
        const platform::FileSystem fs = pv_.Files();
        if (fs.FolderExists(path)) {
            ui_.ShowMessage("The folder " + path + " is in the way; please choose another name.");
            return;
        }
        if (!fs.FileExists(path)) {
            answer = true;
            return;
        }
        platform::Question ask;
        ask.Message =
            "The file \r\n" + path + "\r\n already exists.\r\n\r\nDo you wish to replace it?";
        ask.MyWidth = 5300;
        ask.MyHeight = 2200;
        ask.NoByDefault = true;
        answer = ui_.AskYesNo(ask);
    });
    return answer;
}

void frmFile::FileDoubleClicked() {
    FileClicked();
    UseClicked();
}

void frmFile::SetPathLine(const QString& text) {
    if (text == lbl0_->text()) return;
    lbl0_->setText(text);
    ShowUseLook();
}

// Grey with the arrow until a file is chosen, then green with the hand.
void frmFile::ShowUseLook() {
    const bool chosen = !platform::Trim(PathLine()).empty();
    img_[img::kUseThisFile]->SetPicture(chosen ? resources::kTickPicture
                                               : resources::kGreyTickPicture);
    img_[img::kUseThisFile]->SetHandPointer(chosen);
    if (saving_) {
        img_[img::kUseThisFile]->SetTip(chosen ? QStringLiteral(" Click to Save to this File ")
                                               : QStringLiteral(" Disabled (no file name) "));
        return;
    }
    img_[img::kUseThisFile]->SetTip(Q(resources::LoadResString(
        chosen ? resources::kUseFileTip : resources::kFileNotSelectedTip)));
}

void frmFile::UseClicked() {
    if (platform::Trim(PathLine()).empty()) return;
    if (saving_ && !MayWrite(PathLine())) {
        txt0_->setFocus();
        return;
    }
    fileSelected_ = true;
    hide();
}

void frmFile::ShowHiddenClicked() {
    Trapped([&] {
        dir_->SetShowHidden(chk0_->isChecked());
        pv_.Env.Settings.Save(platform::kSettingsApp, platform::kMovrandSection,
                              platform::kShowHiddenFoldersKey, chk0_->isChecked() ? "1" : "0");
    });
}

void frmFile::closeEvent(QCloseEvent* event) {
    fileSelected_ = false;
    SkinnedWindow::closeEvent(event);
}

}  // namespace movrand::dialogs
