// SPDX-License-Identifier: GPL-3.0-or-later
// The "Car Folders" and "GPL Directory" pages on the window, over the swap and the installation
// switch.
#include <QLineEdit>

#include "common/Functions.h"
#include "folders/CarFolderPage.h"
#include "folders/CarFolderSwap.h"
#include "installation/GplInstallation.h"
#include "mainwindow/LoadingValues.h"
#include "mainwindow/WindowFunctions.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/frmMovrand.h"

namespace movrand::mainwindow {

// Lists a folder list's folder again; one that has gone gives way to the nearest folder above it
// that is still there.
void ShowFolderAsItIs(dialogs::FolderListBox* list) {
    std::string path = list->Path();
    while (!path.empty()) {
        try {
            list->SetPath(path);
            list->Refresh();
            return;
        } catch (const platform::RuntimeError&) {
            std::string up = path;
            while (!up.empty() && up.back() == '\\') up.pop_back();
            up = FolderOfPath(up);
            if (up.empty() || up.size() >= path.size()) return;
            path = up;
        }
    }
}

CarFolderPage frmMovrand::CarFolderPageValues() const {
    CarFolderPage page;
    page.Source = dir(dir::kSourceFolder)->Path();
    page.Destination = dir(dir::kDestinationFolder)->Path();
    page.NewName = TextOf(txt::kNewName);
    page.DeleteCurrent = chk(chk::kDeleteCurrentCarFolder)->isChecked();
    page.Move = opt(opt::kMove)->isChecked();
    return page;
}

void frmMovrand::ShowDeleteWarning() {
    CarFolderPage page = CarFolderPageValues();
    const DeleteWarningView view = ::movrand::ShowDeleteWarning(page);
    lbl(lbl::kDeleteWarning)->setVisible(view.WarningShown);
    drv(drv::kDestinationFolder)->setEnabled(view.DestinationEnabled);
    dir(dir::kDestinationFolder)->setEnabled(view.DestinationEnabled);
    txt(txt::kNewName)->setEnabled(view.DestinationEnabled);
    SetText(txt::kNewName, page.NewName);
    TwipsPlace heading = PlaceOf(lbl(lbl::kDestinationHeading));
    heading.Left = view.HeadingLeft;
    Place(lbl(lbl::kDestinationHeading), heading);
    SetTextColour(lbl(lbl::kDestinationHeading), view.HeadingColour);
    lbl(lbl::kDestinationHeading)->setText(Q(view.HeadingCaption));
    SetTextColour(chk(chk::kDeleteCurrentCarFolder), view.TickBoxColour);
}

bool frmMovrand::FilterFolderNameKey(const QString& typed) {
    const char16_t key = typed.isEmpty() ? 0 : typed.at(0).unicode();
    return !NameBoxAccepts(key);
}

void frmMovrand::SwapCarFolder() {
    const SwapResult result = ::movrand::SwapCarFolder(pv_, ui_, CarFolderPageValues());
    if (result.FocusNameBox) txt(txt::kNewName)->setFocus();
    // Whatever the swap did or refused, both lists show the folders as they are now.
    for (int index : {dir::kSourceFolder, dir::kDestinationFolder}) ShowFolderAsItIs(dir(index));
}

// Elided in its middle when long, never cut: the whole prefix is the tooltip.
void frmMovrand::ShowGplPrefix() {
    QLabel* line = lbl(lbl::kCurrentPrefix);
    const QString full = Q(GplPrefixCaption(pv_.Env.WinePrefix.string()));
    line->setText(line->fontMetrics().elidedText(full, Qt::ElideMiddle, line->width()));
    line->setToolTip(line->text() == full ? QString() : full.trimmed());
}

void frmMovrand::SaveGplDirectory() {
    const std::filesystem::path prefixBefore = pv_.Env.WinePrefix;
    if (!ChangeGPLInstallation(pv_, ui_, dir(dir::kAlternateInstallation)->Path())) return;
    if (pv_.Env.WinePrefix != prefixBefore) {
        // Another prefix has other drives, and the same folder texts name other folders.
        for (int index : {drv::kAddOnFolder, drv::kSourceFolder, drv::kDestinationFolder,
                          drv::kAlternateInstallation})
            drv(index)->RefreshDrives();
        for (int index : {dir::kAddOnFolder, dir::kSourceFolder, dir::kDestinationFolder})
            ShowFolderAsItIs(dir(index));
    }
    ShowElided(lbl(lbl::kCurrentInstallation), Q(GplPathCaption(pv_.GPLPath)), Q(pv_.GPLPath));
    ShowGplPrefix();
    drv(drv::kAlternateInstallation)->SetDrive(DriveOfPath(pv_.GPLPath));
    dir(dir::kAlternateInstallation)->SetPath(pv_.GPLPath);
    ShowAddOnFolder();
    // A window that could not fill the list at its start gets it now.
    FillCarNumberList();
    LoadDriverList();
}

}  // namespace movrand::mainwindow
