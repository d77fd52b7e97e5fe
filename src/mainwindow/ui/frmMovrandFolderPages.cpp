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

namespace {

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

}  // namespace

CarFolderPage frmMovrand::CarFolderPageValues() const {
    CarFolderPage page;
    page.Source = dir(1)->Path();
    page.Destination = dir(2)->Path();
    page.NewName = TextOf(0);
    page.DeleteCurrent = chk(0)->isChecked();
    page.Move = opt(0)->isChecked();
    return page;
}

void frmMovrand::ShowDeleteWarning() {
    CarFolderPage page = CarFolderPageValues();
    const DeleteWarningView view = ::movrand::ShowDeleteWarning(page);
    lbl(3)->setVisible(view.WarningShown);
    drv(2)->setEnabled(view.DestinationEnabled);
    dir(2)->setEnabled(view.DestinationEnabled);
    txt(0)->setEnabled(view.DestinationEnabled);
    SetText(0, page.NewName);
    TwipsPlace heading = PlaceOf(lbl(0));
    heading.Left = view.HeadingLeft;
    Place(lbl(0), heading);
    SetTextColour(lbl(0), view.HeadingColour);
    lbl(0)->setText(Q(view.HeadingCaption));
    SetTextColour(chk(0), view.TickBoxColour);
}

bool frmMovrand::FilterFolderNameKey(const QString& typed) {
    const char16_t key = typed.isEmpty() ? 0 : typed.at(0).unicode();
    return !NameBoxAccepts(key);
}

void frmMovrand::SwapCarFolder() {
    const SwapResult result = ::movrand::SwapCarFolder(pv_, ui_, CarFolderPageValues());
    if (result.FocusNameBox) txt(0)->setFocus();
    // Whatever the swap did or refused, both lists show the folders as they are now.
    for (int index : {1, 2}) ShowFolderAsItIs(dir(index));
}

// Elided in its middle when long, never cut: the whole prefix is the tooltip.
void frmMovrand::ShowGplPrefix() {
    QLabel* line = lbl(18);
    const QString full = Q(GplPrefixCaption(pv_.Env.WinePrefix.string()));
    line->setText(line->fontMetrics().elidedText(full, Qt::ElideMiddle, line->width()));
    line->setToolTip(line->text() == full ? QString() : full.trimmed());
}

void frmMovrand::SaveGplDirectory() {
    const std::filesystem::path prefixBefore = pv_.Env.WinePrefix;
    if (!ChangeGPLInstallation(pv_, ui_, dir(3)->Path())) return;
    if (pv_.Env.WinePrefix != prefixBefore) {
        // Another prefix has other drives, and the same folder texts name other folders.
        for (int index : {0, 1, 2, 3}) drv(index)->RefreshDrives();
        for (int index : {0, 1, 2}) ShowFolderAsItIs(dir(index));
    }
    ShowElided(lbl(13), Q(GplPathCaption(pv_.GPLPath)), Q(pv_.GPLPath));
    ShowGplPrefix();
    drv(3)->SetDrive(DriveOfPath(pv_.GPLPath));
    dir(3)->SetPath(pv_.GPLPath);
    ShowAddOnFolder();
    // A window that could not fill the list at its start gets it now.
    FillCarNumberList();
    LoadDriverList();
}

}  // namespace movrand::mainwindow
