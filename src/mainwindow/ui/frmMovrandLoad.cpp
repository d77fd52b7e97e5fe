// Loading and closing of the main window.
#include <QCloseEvent>

#include "mainwindow/LoadingValues.h"
#include "mainwindow/Unloading.h"
#include "mainwindow/WindowFunctions.h"
#include "mainwindow/WindowSettings.h"
#include "mainwindow/WindowTitle.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/HelpButton.h"
#include "mainwindow/ui/MainWindowPictures.h"
#include "mainwindow/ui/frmMovrand.h"
#include "resources/StringTable.h"

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

void Clickable(QWidget* control, int tooltip) {
    control->setCursor(ResCursor(101));
    SetTooltip(control, LoadResString(tooltip));
}

}  // namespace

void frmMovrand::Form_Load() {
    Trapped(TrapForm::Information, [&] {
        blnConnected = false;

        drv(0)->SetDrive(DriveOfPath(pv_.GPLPath));
        dir(0)->SetPath(pv_.GPLPath);
        lbl(13)->setText(Q(GplPathCaption(pv_.GPLPath)));
        drv(3)->SetDrive(drv(0)->Drive());
        dir(3)->SetPath(pv_.GPLPath);

        const WindowSettings stored = ReadWindowSettings(pv_);
        chk(1)->setChecked(stored.AddOnsOnly);
        RestoreFolder(drv(0), dir(0), stored.CarManagerDirectory);
        RestoreFolder(drv(2), dir(2), stored.CarFolder);
        RestoreFolder(drv(1), dir(1), stored.AddOnCarFolder);

        setWindowTitle(Q(WindowTitle()));
        Clickable(lbl(17), 136);
        for (int index : {4, 5, 10, 11}) Clickable(lbl(index), 105);

        blnFormLoading = true;
        for (const std::string& number : CarNumberEntries()) cbo(5)->addItem(Q(number));
        blnFormLoading = false;

        LoadDriverList();

        cbo(3)->clear();
        for (const ListEntry& team : TeamListEntries())
            cbo(3)->addItem(Q(team.Text), team.ItemData);

        for (int index : {1, 0}) {
            ShowHelpButton(pic(index), ResPicture(142));
            Clickable(pic(index), 133);
            pic(index)->show();
        }
    });
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
