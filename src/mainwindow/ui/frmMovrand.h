// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/ProgramValues.h"
#include "dialogs/ui/DriveListBox.h"
#include "dialogs/ui/FolderListBox.h"
#include "folders/CarFolderPage.h"
#include "history/RestorePreview.h"
#include "mainwindow/DescriptionView.h"
#include "mainwindow/EventRoutes.h"
#include "mainwindow/ui/ControlArray.h"
#include "mainwindow/ui/FolderCodeWorker.h"
#include "platform/ErrorTrap.h"
#include "platform/Ui.h"
#include "session/WindowSettings.h"

namespace movrand {
struct AddOnFolderView;
struct AddOnPreview;
struct InstalledItemsView;
struct InstalledItemView;
}  // namespace movrand

namespace movrand::history {
struct HandChange;
struct RestorePlan;
}  // namespace movrand::history

namespace movrand::mainwindow {

// Lists a folder list's folder again; one that has gone gives way to the nearest folder above it
// that is still there (frmMovrandFolderPages.cpp).
void ShowFolderAsItIs(dialogs::FolderListBox* list);

// The program's main window: one tab control with the pages "Cars / Accessories", "Car Folders",
// "Find Add-Ons", "GPL Directory" and "History". Each kind of control is one indexed array; every
// event arrives at the kind's handler with the control's index and is routed to its operation.
class frmMovrand : public QWidget {
    Q_OBJECT
  public:
    frmMovrand(ProgramValues& pv, platform::Ui& ui, QWidget* parent = nullptr);

    // The loading sequence, run once before the window is first shown.
    void Form_Load();

    // The window shows its first page as soon as that page is made; the other pages and the
    // Remove mode panel are made (and loaded) right after its first paint, or at once when a
    // handler needs one of their controls. This makes them now.
    void BuildRemainingControls();
    bool FullyBuilt() const { return deferred_.empty(); }
    // Work the first picture does not need, run right after it (with the rest of the window).
    void AfterFirstPaint(std::function<void()> work) {
        afterFirstPaint_.push_back(std::move(work));
    }

    // After a download or a drop: asks whether to unpack the archive as an add-on folder and on
    // Yes shows the new add-on folder in Add mode (frmMovrandArchives.cpp).
    void OfferAddOnArchive(const std::string& archive);

    // The text of a text box, whichever kind of box it is.
    std::string TextOf(int index) const;
    void SetText(int index, const std::string& text);

    ControlArray<QTabWidget> tabMovrand;
    ControlArray<QFrame> fra;
    ControlArray<QPushButton> cmd;
    ControlArray<QLabel> lbl;
    ControlArray<QWidget> txt;  // txt::kNewName one line, the others several
    ControlArray<QComboBox> cbo;
    ControlArray<QCheckBox> chk;
    ControlArray<QRadioButton> opt;
    ControlArray<dialogs::DriveListBox> drv;
    ControlArray<dialogs::FolderListBox> dir;
    ControlArray<QLabel> pic;
    ControlArray<QLabel> img;
    ControlArray<QListWidget> lst;
    ControlArray<QFrame> web;

    bool blnConnected = false;    // the internet connection notice has been given
    bool blnFormLoading = false;  // the car-number list is being filled

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // Building (frmMovrandControls.cpp).
    void BuildControls();
    void BuildCarsAccessoriesPage(QWidget* page);
    void BuildAddModePanel(QWidget* panel);
    void BuildRemoveModePanel(QWidget* panel);
    void BuildCarFoldersPage(QWidget* page);
    void BuildFindAddOnsPage(QWidget* page);
    void BuildGplDirectoryPage(QWidget* page);
    void BuildHistoryPage(QWidget* page);
    template <typename T>
    T* Add(ControlArray<T>& array, const char* kind, int index, QWidget* parent, T* control);
    // A drive list with its folder list below it, as every folder choice of the window has them.
    void AddFolderPicker(int index, QWidget* parent, int left, int top, int width, int listHeight,
                         const std::string& driveName, const std::string& folderName);
    // Links the tab chain of the pages made so far in their reading order.
    void OrderTabChain();
    // Connects a control's events to its kind's handler as it is made.
    void Wire(const char* kind, int index, QWidget* control);

    // A part of the window made after the first page: its controls, and its share of the loading.
    struct DeferredPart {
        void (frmMovrand::*build)(QWidget*);
        QWidget* holder;
        void (frmMovrand::*load)();
    };
    std::vector<DeferredPart> deferred_;
    std::vector<std::function<void()>> afterFirstPaint_;
    // Ctrl+Tab, Ctrl+PgDn and the like switch pages from any control of the window.
    void AddPageShortcuts();
    void StepPage(int step);
    std::vector<void (frmMovrand::*)()> unloaded_;  // parts made, their loading still to come

    // Loading of the parts made later (frmMovrandLoad.cpp). Parts made before the window
    // loaded (or while it failed to) wait for it; a failed loading leaves theirs undone too.
    void LoadMadeParts();
    void LoadRemoveModePanel();
    void LoadCarFoldersPage();
    void LoadFindAddOnsPage();
    void LoadGplDirectoryPage();
    enum class LoadState { NotYet, Loaded, Failed };
    LoadState loadState_ = LoadState::NotYet;
    WindowSettings stored_;  // the settings the window loaded with

    // Closing (frmMovrandLoad.cpp).
    bool Form_QueryUnload();
    void Form_Unload();

    // Event handlers (frmMovrandEvents.cpp).
    void cmd_Click(int index);
    void tabMovrand_Click();
    void drv_Change(int index);
    void dir_Change(int index);
    void dir_Click(int index);
    void chk_Click(int index);
    void cbo_Click(int index);
    bool cbo_KeyDown(int index, int keyCode);
    bool cbo_KeyPress(int index, const QString& typed);
    void lbl_Click(int index);
    void pic_Click(int index);
    void lst_DblClick(int index);
    void txt_DblClick(int index);
    bool txt_KeyPress(int index, const QString& typed);
    void txt_LostFocus(int index);
    void txt_MouseUp(int index);
    void Run(Operation operation);
    void ApplyLayout(const AddModeLayout& layout);
    // Selects an entry of a drop-down list as the program does, which raises its click.
    void SelectEntry(int index, int entry);

    // The roster on the window (frmMovrandRoster.cpp).
    void LoadDriverList();
    // Fills the car-number list cbo::kCarNumbers anew ("1" to "99").
    void FillCarNumberList();
    void ShowDriver();
    void AssignCarNumber();

    // The "Car Folders" and "GPL Directory" pages (frmMovrandFolderPages.cpp).
    CarFolderPage CarFolderPageValues() const;
    void SwapCarFolder();
    void ShowDeleteWarning();
    bool FilterFolderNameKey(const QString& typed);
    void SaveGplDirectory();
    void ShowGplPrefix();

    // Car sets on the "Car Folders" page (frmMovrandCarSets.cpp).
    void BuildCarSetRows(QWidget* page);
    void ExportCarSet();
    void CompareCarSet();
    void MakeCarSetLive();
    // The codes of the live folder and of the chosen stored one, worked out when the page is
    // shown or another folder chosen (the fingerprint cache spares the files read before).
    void ShowCarSetCodes();
    std::string CarSetCodeOf(const std::string& folder, std::string& why);
    // The codes of the stored car folders in the source list, beside their names: those known
    // from before at once, the others as the worker finds them.
    void ShowStoredFolderCodes();
    void ShowStoredFolderCode(const QString& folder, const QString& code);
    FolderCodeWorker* codeWorker_ = nullptr;
    std::map<std::string, QString> folderCodes_;  // by SetKey of the folder
    std::string comparedSet_;                     // the set file last compared, "" when none
    std::size_t comparedChanges_ = 0;

    // The add-on panel, Add mode and Remove mode (frmMovrandAddOnPanel.cpp).
    void ShowAddOnFolder();
    void AddSelectedFiles();
    void EnterRemoveMode();
    void RemoveAddOnFiles();
    void EnterAddMode();
    void ShowAddOnFiles();
    void RefreshAddOnFileList();
    void ShowInstalledItem();
    void ListInstalledItems();
    // Their view data put on the controls.
    void ApplyAddOnFolder(const AddOnFolderView& view);
    void ApplyPreview(const AddOnPreview& preview);
    void ApplyInstalledItems(const InstalledItemsView& view);
    void ApplyInstalledItem(const InstalledItemView& item);
    void ShowItemPicture(const std::string& path, bool noticeVisible);
    void ShowModePanel(bool addMode);

    // The "History" page (frmMovrandHistory.cpp).
    void ShowHistory();
    // Lists the steps with the entry of `step` selected (the newest when it is not listed).
    void ShowHistorySelecting(int step);
    void UndoLast();
    void RestoreToHere();
    void CheckForChanges();
    // Asks (with how many files it changes) and carries out an undo or a restore.
    void CarryOutRestore(const history::RestorePlan& plan, const std::string& question);
    void ShowRestoredState();
    // The list beside the steps of what changed (frmMovrandStepChanges.cpp): the files of the
    // step numbered `step` (-1: none) and what a restore to it would change, what a check found,
    // what an undo or restore would change.
    void ShowStepChanges(int step);
    // "as it was after step 3 (Installed ...)", "before Movrand changed it".
    std::string RestoredStateName(int step);
    void ShowCheckedChanges(const std::vector<history::HandChange>& changes);
    void ShowPlannedChanges(const history::RestorePlan& plan, const std::string& what);
    // Keeping and forgetting, and the ways out of a history that cannot be used as it is
    // (frmMovrandHistoryKeeping.cpp).
    void NameStep();
    void ForgetOlderSteps();
    void ChangeHistoryLimit();
    void RepairHistory();
    void CloseUnfinishedRestore();
    // The step of the entry selected on the "History" page; -1 when there is none.
    int SelectedStep();

    // Find Add-Ons, the browser windows and the About box (frmMovrandPages.cpp).
    void UpdateWebsiteAddress();
    void ConnectToInternet();
    void FillLinkCategories();
    void ShowLinkCategory();
    void ShowAboutBox();
    void OpenWebsite();
    void OpenHelp();

    // Archives that arrive by download or drop (frmMovrandArchives.cpp).
    void SetUpArchiveArrivals();
    QString DownloadsFolder() const;
    void ShowUnpackedAddOn(const std::string& folder);
    std::string lastAddOnFolder_;  // the add-on folder Add mode showed last

    // Runs a handler's body under an error trap of the given form; nothing thrown ever reaches
    // the event loop.
    // Returns false when the body was ended by an error.
    bool Trapped(platform::TrapForm form, const std::function<void()>& body);

    void FitToWorkArea();
    void MakeRestSoon();
    bool screenWatched_ = false;

    ProgramValues& pv_;
    platform::Ui& ui_;
    history::RestorePreview restorePreview_;  // the step records the page has read
    int newestStep_ = -1;                     // the step the installation is at; -1: none listed
    bool deliveringMouseUp_ = false;
    std::string carNumberShown_;  // the shown driver's number, as the roster holds it
};

}  // namespace movrand::mainwindow
