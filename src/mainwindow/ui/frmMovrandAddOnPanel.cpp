// SPDX-License-Identifier: GPL-3.0-or-later
// The "Cars / Accessories" page's add-on panel on the window, Add mode and Remove mode, over the
// panel's and the installer's operations: each handler passes the controls' state in and puts
// the view it gets back on the controls.
#include "folders/AddOnFolderPanel.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/MainWindowPictures.h"
#include "mainwindow/ui/frmMovrand.h"

namespace movrand::mainwindow {

void frmMovrand::ShowItemPicture(const std::string& path, bool noticeVisible) {
    const QPixmap picture = FilePicture(pv_, path);
    img(img::kPreview)->setPixmap(picture);
    lbl(lbl::kNoPicture)->setVisible(noticeVisible || picture.isNull());
}

void frmMovrand::ShowModePanel(bool addMode) {
    QFrame* shown = fra(addMode ? fra::kAddModePanel : fra::kRemoveModePanel);
    QFrame* hidden = fra(addMode ? fra::kRemoveModePanel : fra::kAddModePanel);
    hidden->hide();
    hidden->lower();
    shown->show();
    shown->raise();
}

void frmMovrand::ApplyPreview(const AddOnPreview& preview) {
    lbl(lbl::kNoPicture)->hide();
    if (preview.DescriptionRefreshed) SetText(txt::kDescription, preview.Description);
    if (preview.ModelsRefreshed) SetText(txt::kCarFiles, preview.ModelList);
    if (preview.PictureChanged) ShowItemPicture(preview.PicturePath, preview.NoticeVisible);
}

void frmMovrand::ApplyAddOnFolder(const AddOnFolderView& view) {
    QComboBox* entries = cbo(cbo::kAddOnFiles);
    entries->clear();
    SetText(txt::kDescription, "");
    SetText(txt::kCarFiles, "");
    lst(lst::kTeamDrivers)->clear();
    img(img::kAddOnTeam)->clear();
    img(img::kPreview)->clear();
    lbl(lbl::kNoPicture)->hide();
    if (!view.IsAddOnFolder) return;

    img(img::kAddOnTeam)
        ->setPixmap(view.TeamPictureId ? ResPicture(view.TeamPictureId) : QPixmap());
    if (view.TeamTooltipSet) SetTooltip(img(img::kAddOnTeam), view.TeamTooltip);
    for (const std::string& entry : view.Entries) entries->addItem(Q(entry));
    if (view.SelectedEntry >= 0 && view.SelectedEntry < entries->count()) {
        // The view holds the selected entry's preview already; selecting it here raises no click.
        entries->setCurrentIndex(view.SelectedEntry);
        entries->setEditText(entries->itemText(view.SelectedEntry));
        ApplyPreview(view.Preview);
    } else {
        entries->setEditText("");
    }
    for (const std::string& driver : view.TeamDrivers) lst(lst::kTeamDrivers)->addItem(Q(driver));
}

void frmMovrand::ApplyInstalledItem(const InstalledItemView& item) {
    SetText(txt::kFilesDescription, item.Description);
    ShowItemPicture(item.PicturePath, item.NoticeVisible);
}

void frmMovrand::ApplyInstalledItems(const InstalledItemsView& view) {
    QComboBox* items = cbo(cbo::kInstalledAddOns);
    cmd(cmd::kRemoveFiles)->setEnabled(false);
    items->setEnabled(false);
    img(img::kRemoveModeTeam)
        ->setPixmap(view.TeamPictureId ? ResPicture(view.TeamPictureId) : QPixmap());
    SetText(txt::kFilesDescription, "");
    img(img::kPreview)->clear();
    lbl(lbl::kNoPicture)->hide();
    items->clear();
    items->setEditText("");
    for (const std::string& item : view.Items) items->addItem(Q(item));
    if (view.SelectedIndex >= 0 && view.SelectedIndex < items->count()) {
        items->setCurrentIndex(view.SelectedIndex);
        items->setEditText(items->itemText(view.SelectedIndex));
        ApplyInstalledItem(view.Shown);
    }
    cmd(cmd::kRemoveFiles)->setEnabled(view.RemoveEnabled);
    items->setEnabled(view.RemoveEnabled);
}

void frmMovrand::ShowAddOnFolder() {
    const AddOnFolderView view = ::movrand::ShowAddOnFolder(
        pv_, ui_, dir(dir::kAddOnFolder)->Path(), chk(chk::kExcludeGeneric)->isChecked());
    if (view.IsAddOnFolder)
        lastAddOnFolder_ = dir(dir::kAddOnFolder)->Path();  // downloads go beside it
    ApplyAddOnFolder(view);
}

void frmMovrand::AddSelectedFiles() {
    const AddFilesResult result = ::movrand::AddSelectedFiles(
        pv_, ui_, dir(dir::kAddOnFolder)->Path(), S(cbo(cbo::kAddOnFiles)->currentText()),
        chk(chk::kExcludeGeneric)->isChecked());
    if (result.PanelRefreshed) ApplyAddOnFolder(result.Panel);
}

void frmMovrand::EnterRemoveMode() {
    SetText(txt::kFilesDescription, "");
    img(img::kPreview)->clear();
    lbl(lbl::kNoPicture)->hide();
    const RemoveModeView view =
        ::movrand::EnterRemoveMode(pv_, ui_, dir(dir::kAddOnFolder)->Path());
    QComboBox* teams = cbo(cbo::kTeams);
    teams->setCurrentIndex(view.TeamPosition);
    teams->setEditText(teams->itemText(view.TeamPosition));
    ApplyInstalledItems(view.Installed);
    ShowModePanel(false);
}

void frmMovrand::EnterAddMode() {
    img(img::kPreview)->clear();
    lbl(lbl::kNoPicture)->hide();
    ShowAddOnFolder();
    ShowModePanel(true);
    SetText(txt::kFilesDescription, "");
    cbo(cbo::kInstalledAddOns)->clear();
    cbo(cbo::kInstalledAddOns)->setEditText("");
}

void frmMovrand::ShowAddOnFiles() {
    QComboBox* entries = cbo(cbo::kAddOnFiles);
    // The model list is kept while it holds something; "Excl. Generic" rebuilds it.
    ApplyPreview(::movrand::ShowAddOnFiles(pv_, ui_, dir(dir::kAddOnFolder)->Path(),
                                           entries->currentIndex(), S(entries->currentText()), true,
                                           TextOf(txt::kCarFiles).empty(),
                                           chk(chk::kExcludeGeneric)->isChecked()));
}

void frmMovrand::RefreshAddOnFileList() {
    QComboBox* entries = cbo(cbo::kAddOnFiles);
    ApplyPreview(::movrand::ShowAddOnFiles(pv_, ui_, dir(dir::kAddOnFolder)->Path(),
                                           entries->currentIndex(), S(entries->currentText()),
                                           false, true, chk(chk::kExcludeGeneric)->isChecked()));
}

void frmMovrand::ListInstalledItems() {
    ApplyInstalledItems(::movrand::ListInstalledItems(pv_, ui_, cbo(cbo::kTeams)->currentIndex()));
}

void frmMovrand::ShowInstalledItem() {
    ApplyInstalledItem(::movrand::ShowInstalledItem(pv_, ui_, cbo(cbo::kTeams)->currentIndex(),
                                                    S(cbo(cbo::kInstalledAddOns)->currentText())));
}

void frmMovrand::RemoveAddOnFiles() {
    // The list without the removed item is on the screen before the message that tells of it.
    ::movrand::RemoveAddOnFiles(
        pv_, ui_, cbo(cbo::kTeams)->currentIndex(), S(cbo(cbo::kInstalledAddOns)->currentText()),
        [this](const InstalledItemsView& list) { ApplyInstalledItems(list); });
}

}  // namespace movrand::mainwindow
