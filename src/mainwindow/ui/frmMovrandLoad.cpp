// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and closing of the main window.
#include <QCloseEvent>
#include <QCursor>
#include <QSignalBlocker>

#include "mainwindow/LoadingValues.h"
#include "mainwindow/WindowFunctions.h"
#include "mainwindow/WindowTitle.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/HelpButton.h"
#include "mainwindow/ui/MainWindowPictures.h"
#include "mainwindow/ui/frmMovrand.h"
#include "platform/SettingsKeys.h"
#include "resources/PictureIds.h"
#include "resources/StringTable.h"
#include "session/Unloading.h"
#include "session/WindowSettings.h"

namespace movrand::mainwindow {

using platform::TrapForm;
using resources::LoadResString;

namespace {

// A stored folder puts its drive list on its drive and then its folder list on it; a drive or
// folder that has gone leaves the list where it was, without a word.
void RestoreFolder(dialogs::DriveListBox* drive, dialogs::FolderListBox* folder,
                   const std::string& stored) {
    if (stored.empty()) return;
    try {
        drive->SetDrive(DriveOfPath(stored));
    } catch (const platform::RuntimeError&) {
    }
    try {
        folder->SetPath(stored);
    } catch (const platform::RuntimeError&) {
    }
}

// The hand pointer is read once for all the controls of a part: each reading decodes its picture.
void Clickable(QWidget* control, const QCursor& hand, resources::StringId tooltip) {
    control->setCursor(hand);
    SetTooltip(control, LoadResString(tooltip));
}

}  // namespace

void frmMovrand::Form_Load() {
    const bool loaded = Trapped(TrapForm::Information, [&] {
        blnConnected = false;
        // First, so that a folder list that fails below cannot leave the list empty.
        FillCarNumberList();

        drv(drv::kAddOnFolder)->SetDrive(DriveOfPath(pv_.GPLPath));
        dir(dir::kAddOnFolder)->SetPath(pv_.GPLPath);

        stored_ = ReadWindowSettings(pv_);
        RestoreFolder(drv(drv::kAddOnFolder), dir(dir::kAddOnFolder), stored_.CarManagerDirectory);

        setWindowTitle(Q(WindowTitle()));
        const QCursor hand = ResCursor(resources::kHandCursor);
        Clickable(lbl(lbl::kZorvex), hand, resources::kWebsiteTip);
        for (int index : {lbl::kMovrandShade, lbl::kMovrand})
            Clickable(lbl(index), hand, resources::kAboutTip);

        LoadDriverList();

        ShowHelpButton(pic(pic::kAddModeHelp), ResPicture(resources::kHelpBook));
        Clickable(pic(pic::kAddModeHelp), hand, resources::kOnlineHelpTip);
        pic(pic::kAddModeHelp)->show();
    });
    loadState_ = loaded ? LoadState::Loaded : LoadState::Failed;
    LoadMadeParts();
    SetUpArchiveArrivals();
}

void frmMovrand::FillCarNumberList() {
    blnFormLoading = true;
    cbo(cbo::kCarNumbers)->clear();
    // Added as one list: the box's model tells its views once instead of once a number.
    QStringList numbers;
    for (const std::string& number : CarNumberEntries()) numbers.append(Q(number));
    cbo(cbo::kCarNumbers)->addItems(numbers);
    blnFormLoading = false;
}

void frmMovrand::LoadMadeParts() {
    if (loadState_ != LoadState::Loaded) return;
    const auto loads = std::move(unloaded_);
    unloaded_.clear();
    for (auto load : loads) Trapped(TrapForm::Information, [&] { (this->*load)(); });
}

void frmMovrand::LoadRemoveModePanel() {
    const QCursor hand = ResCursor(resources::kHandCursor);
    for (int index : {lbl::kHalvaneShade, lbl::kHalvane})
        Clickable(lbl(index), hand, resources::kAboutTip);
    cbo(cbo::kTeams)->clear();
    for (const ListEntry& team : TeamListEntries())
        cbo(cbo::kTeams)->addItem(Q(team.Text), team.ItemData);
    ShowHelpButton(pic(pic::kRemoveModeHelp), ResPicture(resources::kHelpBook));
    Clickable(pic(pic::kRemoveModeHelp), hand, resources::kOnlineHelpTip);
    pic(pic::kRemoveModeHelp)->show();
}

void frmMovrand::LoadCarFoldersPage() {
    RestoreFolder(drv(drv::kDestinationFolder), dir(dir::kDestinationFolder), stored_.CarFolder);
    RestoreFolder(drv(drv::kSourceFolder), dir(dir::kSourceFolder), stored_.AddOnCarFolder);
}

void frmMovrand::LoadFindAddOnsPage() {
    chk(chk::kAddOnsOnly)->setChecked(stored_.AddOnsOnly);
}

void frmMovrand::LoadGplDirectoryPage() {
    ShowElided(lbl(lbl::kCurrentInstallation), Q(GplPathCaption(pv_.GPLPath)), Q(pv_.GPLPath));
    ShowGplPrefix();
    const bool showHidden = pv_.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection,
                                                 platform::kShowHiddenFoldersKey) == "1";
    const QSignalBlocker quiet(chk(chk::kShowHiddenFolders));
    chk(chk::kShowHiddenFolders)->setChecked(showHidden);
    dir(dir::kAlternateInstallation)->SetShowHidden(showHidden);
    drv(drv::kAlternateInstallation)->SetDrive(DriveOfPath(pv_.GPLPath));
    dir(dir::kAlternateInstallation)->SetPath(pv_.GPLPath);
}

bool frmMovrand::Form_QueryUnload() {
    bool yes = false;
    Trapped(TrapForm::Common, [&] { yes = ConfirmExit(pv_, ui_); });
    return yes;
}

void frmMovrand::Form_Unload() {
    WindowSettings settings;
    settings.AddOnsOnly = chk(chk::kAddOnsOnly)->isChecked();
    settings.CarManagerDirectory = dir(dir::kAddOnFolder)->Path();
    settings.CarFolder = dir(dir::kDestinationFolder)->Path();
    settings.AddOnCarFolder = dir(dir::kSourceFolder)->Path();
    UnloadMainWindow(pv_, ui_, settings);
}

}  // namespace movrand::mainwindow
