// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's event handlers: each event arrives with its control's index and is routed
// to the operation that owns it.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "installation/GameStart.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/frmMovrand.h"
#include "platform/FileWork.h"
#include "platform/SettingsKeys.h"
#include "platform/Text.h"
#include "roster/ComboKeys.h"
#include "wine/FileWorkScope.h"

namespace movrand::mainwindow {

using platform::TrapForm;

void frmMovrand::cmd_Click(int index) {
    // The copies and moves a button starts show their progress when they take long.
    const platform::FileWorkScope work(pv_.Env, ui_);
    Trapped(TrapForm::Information, [&] { Run(RouteButton(index)); });
}

void frmMovrand::tabMovrand_Click() {
    Trapped(TrapForm::Common,
            [&] { Run(RouteTab(tabMovrand(tabMovrand::kPages)->currentIndex())); });
}

void frmMovrand::drv_Change(int index) {
    // The only link between a drive list and its folder list; a drive that is not ready is
    // reported and leaves the folder list where it was.
    Trapped(TrapForm::Common, [&] { dir(index)->SetPath(drv(index)->Drive()); });
}

void frmMovrand::dir_Change(int index) {
    Trapped(TrapForm::Common, [&] { Run(RouteFolderList(index)); });
}

void frmMovrand::dir_Click(int index) {
    Trapped(TrapForm::Common, [&] { Run(RouteFolderList(index)); });
}

void frmMovrand::chk_Click(int index) {
    Trapped(TrapForm::Common, [&] { Run(RouteTickBox(index)); });
}

void frmMovrand::cbo_Click(int index) {
    Trapped(TrapForm::Common, [&] { Run(RouteDropDownClick(index)); });
}

void frmMovrand::lbl_Click(int index) {
    Trapped(TrapForm::Common, [&] { Run(RouteLabelClick(index)); });
}

void frmMovrand::pic_Click(int index) {
    Trapped(TrapForm::Common, [&] { Run(RoutePictureClick(index)); });
}

namespace {
std::vector<std::string> EntriesOf(const QComboBox* box) {
    std::vector<std::string> entries;
    for (int i = 0; i < box->count(); ++i) entries.push_back(S(box->itemText(i)));
    return entries;
}
}  // namespace

bool frmMovrand::cbo_KeyDown(int index, int keyCode) {
    const ComboKeyResult result = ComboKeyDown(EntriesOf(cbo(index)), keyCode);
    if (result.Select) SelectEntry(index, result.ListIndex);
    return result.Consumed;
}

bool frmMovrand::cbo_KeyPress(int index, const QString& typed) {
    QComboBox* box = cbo(index);
    QLineEdit* edit = box->lineEdit();
    // Positions count characters, as the rules do.
    ComboState state;
    state.Text = S(edit->text());
    state.SelStart = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    state.SelLength = static_cast<int>(edit->selectedText().size());
    state.ListIndex = box->currentIndex();
    const ComboKeyResult result = ComboKeyPress(EntriesOf(box), state, S(typed));
    if (result.Select) {
        SelectEntry(index, result.ListIndex);
        edit->setSelection(result.SelStart, result.SelLength);
    }
    return true;
}

void frmMovrand::lst_DblClick(int index) {
    if (index == lst::kTeamDrivers)
        ApplyLayout(DriverListDoubleClick(PlaceOf(lst(lst::kTeamDrivers)).Height));
}

void frmMovrand::txt_DblClick(int index) {
    if (index == txt::kDescription) ApplyLayout(DescriptionDoubleClick(PlaceOf(txt(index)).Width));
}

bool frmMovrand::txt_KeyPress(int index, const QString& typed) {
    return index == txt::kNewName && FilterFolderNameKey(typed);
}

void frmMovrand::txt_LostFocus(int index) {
    const std::string text = TextOf(index);
    const std::string trimmed = platform::Trim(text);
    if (trimmed != text) SetText(index, trimmed);
}

void frmMovrand::txt_MouseUp(int index) {
    if (index != txt::kDescription) return;
    if (auto* box = qobject_cast<QPlainTextEdit*>(txt(index))) {
        QTextCursor caret = box->textCursor();
        caret.movePosition(QTextCursor::Start);
        box->setTextCursor(caret);
    }
}

void frmMovrand::ApplyLayout(const AddModeLayout& layout) {
    const auto apply = [](QWidget* control, const ControlChange& change) {
        if (change.Place) Place(control, *change.Place);
        if (change.Tooltip) SetTooltip(control, *change.Tooltip);
        if (change.Visible) control->setVisible(*change.Visible);
        if (change.Front) *change.Front ? control->raise() : control->lower();
    };
    apply(txt(txt::kDescription), layout.Description);
    apply(lst(lst::kTeamDrivers), layout.DriverList);
    apply(fra(fra::kAddOnFolderFrame), layout.SubFrame);
    if (layout.ClearDriverListSelection) {
        lst(lst::kTeamDrivers)->clearSelection();
        lst(lst::kTeamDrivers)->setCurrentRow(-1);
    }
}

void frmMovrand::Run(Operation operation) {
    switch (operation) {
        case Operation::None:
            break;
        case Operation::SwapCarFolder:
            SwapCarFolder();
            break;
        case Operation::AddSelectedFiles:
            AddSelectedFiles();
            break;
        case Operation::UpdateWebsiteAddress:
            UpdateWebsiteAddress();
            break;
        case Operation::EnterRemoveMode:
            EnterRemoveMode();
            break;
        case Operation::RemoveAddOnFiles:
            RemoveAddOnFiles();
            break;
        case Operation::EnterAddMode:
            EnterAddMode();
            break;
        case Operation::AssignCarNumber:
            AssignCarNumber();
            ShowAddOnFolder();
            break;
        case Operation::SaveGplDirectory:
            SaveGplDirectory();
            break;
        case Operation::StartGpl:
            StartGame(pv_, ui_);
            break;
        case Operation::UndoLast:
            UndoLast();
            break;
        case Operation::RestoreToHere:
            RestoreToHere();
            break;
        case Operation::CheckForChanges:
            CheckForChanges();
            break;
        case Operation::NameStep:
            NameStep();
            break;
        case Operation::ForgetOlderSteps:
            ForgetOlderSteps();
            break;
        case Operation::ChangeHistoryLimit:
            ChangeHistoryLimit();
            break;
        case Operation::RepairHistory:
            RepairHistory();
            break;
        case Operation::CloseUnfinishedRestore:
            CloseUnfinishedRestore();
            break;
        case Operation::ExportCarSet:
            ExportCarSet();
            break;
        case Operation::CompareCarSet:
            CompareCarSet();
            break;
        case Operation::MakeCarSetLive:
            MakeCarSetLive();
            break;
        case Operation::ShowCarSetCodes:
            ShowCarSetCodes();
            break;
        case Operation::ShowHistory:
            ShowHistory();
            break;
        case Operation::RestoreAddModeLayout:
            ApplyLayout(SetDescriptionView(false));
            break;
        case Operation::ConnectToInternet:
            ConnectToInternet();
            break;
        case Operation::ShowAddOnFolder:
            ShowAddOnFolder();
            break;
        case Operation::ShowDeleteWarning:
            ShowDeleteWarning();
            break;
        case Operation::FillLinkCategories:
            FillLinkCategories();
            break;
        case Operation::RefreshAddOnFileList:
            RefreshAddOnFileList();
            break;
        case Operation::ShowHiddenFolders: {
            const bool show = chk(chk::kShowHiddenFolders)->isChecked();
            dir(dir::kAlternateInstallation)->SetShowHidden(show);
            pv_.Env.Settings.Save(platform::kSettingsApp, platform::kMovrandSection,
                                  platform::kShowHiddenFoldersKey, show ? "1" : "0");
            break;
        }
        case Operation::ShowLinkCategory:
            ShowLinkCategory();
            break;
        case Operation::ShowAddOnFiles:
            ShowAddOnFiles();
            break;
        case Operation::ShowInstalledItem:
            ShowInstalledItem();
            break;
        case Operation::ListInstalledItems:
            ListInstalledItems();
            break;
        case Operation::ShowDriver:
            ShowDriver();
            break;
        case Operation::EnableSaveCarNumber:
            // Only a number other than the driver's own is a change to save.
            if (!blnFormLoading)
                cmd(cmd::kSaveCarNumber)
                    ->setEnabled(S(cbo(cbo::kCarNumbers)->currentText()) != carNumberShown_);
            break;
        case Operation::ShowAboutBox:
            ShowAboutBox();
            break;
        case Operation::OpenWebsite:
            OpenWebsite();
            break;
        case Operation::OpenHelp:
            OpenHelp();
            break;
    }
}

}  // namespace movrand::mainwindow
