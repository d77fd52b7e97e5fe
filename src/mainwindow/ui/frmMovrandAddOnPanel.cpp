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
    img(1)->setPixmap(picture);
    lbl(6)->setVisible(noticeVisible || picture.isNull());
}

void frmMovrand::ShowModePanel(bool addMode) {
    QFrame* shown = fra(addMode ? 2 : 1);
    QFrame* hidden = fra(addMode ? 1 : 2);
    hidden->hide();
    hidden->lower();
    shown->show();
    shown->raise();
}

void frmMovrand::ApplyPreview(const AddOnPreview& preview) {
    lbl(6)->hide();
    if (preview.DescriptionRefreshed) SetText(2, preview.Description);
    if (preview.ModelsRefreshed) SetText(3, preview.ModelList);
    if (preview.PictureChanged) ShowItemPicture(preview.PicturePath, preview.NoticeVisible);
}

void frmMovrand::ApplyAddOnFolder(const AddOnFolderView& view) {
    QComboBox* entries = cbo(1);
    entries->clear();
    SetText(2, "");
    SetText(3, "");
    lst(0)->clear();
    img(0)->clear();
    img(1)->clear();
    lbl(6)->hide();
    if (!view.IsAddOnFolder) return;

    img(0)->setPixmap(view.TeamPictureId ? ResPicture(view.TeamPictureId) : QPixmap());
    if (view.TeamTooltipSet) SetTooltip(img(0), view.TeamTooltip);
    for (const std::string& entry : view.Entries) entries->addItem(Q(entry));
    if (view.SelectedEntry >= 0 && view.SelectedEntry < entries->count()) {
        // The view holds the selected entry's preview already; selecting it here raises no click.
        entries->setCurrentIndex(view.SelectedEntry);
        entries->setEditText(entries->itemText(view.SelectedEntry));
        ApplyPreview(view.Preview);
    } else {
        entries->setEditText("");
    }
    for (const std::string& driver : view.TeamDrivers) lst(0)->addItem(Q(driver));
}

void frmMovrand::ApplyInstalledItem(const InstalledItemView& item) {
    SetText(1, item.Description);
    ShowItemPicture(item.PicturePath, item.NoticeVisible);
}

void frmMovrand::ApplyInstalledItems(const InstalledItemsView& view) {
    QComboBox* items = cbo(2);
    cmd(4)->setEnabled(false);
    items->setEnabled(false);
    img(2)->setPixmap(view.TeamPictureId ? ResPicture(view.TeamPictureId) : QPixmap());
    SetText(1, "");
    img(1)->clear();
    lbl(6)->hide();
    items->clear();
    items->setEditText("");
    for (const std::string& item : view.Items) items->addItem(Q(item));
    if (view.SelectedIndex >= 0 && view.SelectedIndex < items->count()) {
        items->setCurrentIndex(view.SelectedIndex);
        items->setEditText(items->itemText(view.SelectedIndex));
        ApplyInstalledItem(view.Shown);
    }
    cmd(4)->setEnabled(view.RemoveEnabled);
    items->setEnabled(view.RemoveEnabled);
}

void frmMovrand::ShowAddOnFolder() {
    const AddOnFolderView view =
        ::movrand::ShowAddOnFolder(pv_, ui_, dir(0)->Path(), chk(2)->isChecked());
    if (view.IsAddOnFolder) lastAddOnFolder_ = dir(0)->Path();  // downloads go beside it
    ApplyAddOnFolder(view);
}

void frmMovrand::AddSelectedFiles() {
    const AddFilesResult result = ::movrand::AddSelectedFiles(
        pv_, ui_, dir(0)->Path(), S(cbo(1)->currentText()), chk(2)->isChecked());
    if (result.PanelRefreshed) ApplyAddOnFolder(result.Panel);
}

void frmMovrand::EnterRemoveMode() {
    SetText(1, "");
    img(1)->clear();
    lbl(6)->hide();
    const RemoveModeView view = ::movrand::EnterRemoveMode(pv_, ui_, dir(0)->Path());
    QComboBox* teams = cbo(3);
    teams->setCurrentIndex(view.TeamPosition);
    teams->setEditText(teams->itemText(view.TeamPosition));
    ApplyInstalledItems(view.Installed);
    ShowModePanel(false);
}

void frmMovrand::EnterAddMode() {
    img(1)->clear();
    lbl(6)->hide();
    ShowAddOnFolder();
    ShowModePanel(true);
    SetText(1, "");
    cbo(2)->clear();
    cbo(2)->setEditText("");
}

void frmMovrand::ShowAddOnFiles() {
    QComboBox* entries = cbo(1);
    // The model list is kept while it holds something; "Excl. Generic" rebuilds it.
    ApplyPreview(::movrand::ShowAddOnFiles(pv_, ui_, dir(0)->Path(), entries->currentIndex(),
                                           S(entries->currentText()), true, TextOf(3).empty(),
                                           chk(2)->isChecked()));
}

void frmMovrand::RefreshAddOnFileList() {
    QComboBox* entries = cbo(1);
    ApplyPreview(::movrand::ShowAddOnFiles(pv_, ui_, dir(0)->Path(), entries->currentIndex(),
                                           S(entries->currentText()), false, true,
                                           chk(2)->isChecked()));
}

void frmMovrand::ListInstalledItems() {
    ApplyInstalledItems(::movrand::ListInstalledItems(pv_, ui_, cbo(3)->currentIndex()));
}

void frmMovrand::ShowInstalledItem() {
    ApplyInstalledItem(
        ::movrand::ShowInstalledItem(pv_, ui_, cbo(3)->currentIndex(), S(cbo(2)->currentText())));
}

void frmMovrand::RemoveAddOnFiles() {
    // The list without the removed item is on the screen before the message that tells of it.
    ::movrand::RemoveAddOnFiles(
        pv_, ui_, cbo(3)->currentIndex(), S(cbo(2)->currentText()),
        [this](const InstalledItemsView& list) { ApplyInstalledItems(list); });
}

}  // namespace movrand::mainwindow
