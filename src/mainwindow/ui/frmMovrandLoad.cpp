// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and closing of the main window.
#include <QCloseEvent>

#include "mainwindow/LoadingValues.h"
#include "mainwindow/WindowFunctions.h"
#include "mainwindow/WindowTitle.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/HelpButton.h"
#include "mainwindow/ui/MainWindowPictures.h"
#include "mainwindow/ui/frmMovrand.h"
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

void Clickable(QWidget* control, resources::StringId tooltip) {
    control->setCursor(ResCursor(101));
    SetTooltip(control, LoadResString(tooltip));
}

}  // namespace

void frmMovrand::Form_Load() {
    const bool loaded = Trapped(TrapForm::Information, [&] {
        blnConnected = false;
        // First, so that a folder list that fails below cannot leave the list empty.
        FillCarNumberList();

        drv(0)->SetDrive(DriveOfPath(pv_.GPLPath));
        dir(0)->SetPath(pv_.GPLPath);

        stored_ = ReadWindowSettings(pv_);
        RestoreFolder(drv(0), dir(0), stored_.CarManagerDirectory);

        setWindowTitle(Q(WindowTitle()));
        Clickable(lbl(17), resources::kWebsiteTip);
        for (int index : {4, 5}) Clickable(lbl(index), resources::kAboutTip);

        LoadDriverList();

        ShowHelpButton(pic(1), ResPicture(142));
        Clickable(pic(1), resources::kOnlineHelpTip);
        pic(1)->show();
    });
    loadState_ = loaded ? LoadState::Loaded : LoadState::Failed;
    LoadMadeParts();
    SetUpArchiveArrivals();
}

void frmMovrand::FillCarNumberList() {
    blnFormLoading = true;
    cbo(5)->clear();
    for (const std::string& number : CarNumberEntries()) cbo(5)->addItem(Q(number));
    blnFormLoading = false;
}

void frmMovrand::LoadMadeParts() {
    if (loadState_ != LoadState::Loaded) return;
    const auto loads = std::move(unloaded_);
    unloaded_.clear();
    for (auto load : loads) Trapped(TrapForm::Information, [&] { (this->*load)(); });
}

void frmMovrand::LoadRemoveModePanel() {
    for (int index : {10, 11}) Clickable(lbl(index), resources::kAboutTip);
    cbo(3)->clear();
    for (const ListEntry& team : TeamListEntries()) cbo(3)->addItem(Q(team.Text), team.ItemData);
    ShowHelpButton(pic(0), ResPicture(142));
    Clickable(pic(0), resources::kOnlineHelpTip);
    pic(0)->show();
}

void frmMovrand::LoadCarFoldersPage() {
    RestoreFolder(drv(2), dir(2), stored_.CarFolder);
    RestoreFolder(drv(1), dir(1), stored_.AddOnCarFolder);
}

void frmMovrand::LoadFindAddOnsPage() {
    chk(1)->setChecked(stored_.AddOnsOnly);
}

void frmMovrand::LoadGplDirectoryPage() {
    ShowElided(lbl(13), Q(GplPathCaption(pv_.GPLPath)), Q(pv_.GPLPath));
    ShowGplPrefix();
    drv(3)->SetDrive(DriveOfPath(pv_.GPLPath));
    dir(3)->SetPath(pv_.GPLPath);
}

bool frmMovrand::Form_QueryUnload() {
    bool yes = false;
    Trapped(TrapForm::Common, [&] { yes = ConfirmExit(pv_, ui_); });
    return yes;
}

void frmMovrand::Form_Unload() {
    WindowSettings settings;
    settings.AddOnsOnly = chk(1)->isChecked();
    settings.CarManagerDirectory = dir(0)->Path();
    settings.CarFolder = dir(2)->Path();
    settings.AddOnCarFolder = dir(1)->Path();
    UnloadMainWindow(pv_, ui_, settings);
}

}  // namespace movrand::mainwindow
