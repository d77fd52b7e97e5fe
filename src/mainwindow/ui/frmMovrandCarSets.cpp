// SPDX-License-Identifier: GPL-3.0-or-later
// Car sets on the "Car Folders" page: the live folder written as a set, compared with one, and a
// set made live; the codes of the live and of the chosen stored folder.
#include <map>

#include "addons/NormalPointerUi.h"
#include "carsets/CarSetApply.h"
#include "carsets/CarSetWork.h"
#include "carsets/StoredFolderCodes.h"
#include "folders/CarFolderCount.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/PageAtWork.h"
#include "mainwindow/ui/frmMovrand.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace movrand::mainwindow {

namespace {

// A code worked out only to be shown beside a folder: why it cannot be is kept, not shown in a
// window of its own.
class QuietUi : public platform::Ui {
  public:
    std::string Told;
    void ShowMessage(const std::string& message, int, int) override { Told = message; }
    bool AskYesNo(const platform::Question&) override { return false; }
    std::string SelectTeam() override { return ""; }
    std::string SelectFile(const std::string&, const std::string&, const std::string&) override {
        return "";
    }
    void ShowPlatformMessage(const std::string& text, platform::MessageIcon,
                             const std::string&) override {
        Told = text;
    }
    void SetBusy(bool) override {}
    bool IsBusy() const override { return false; }
    void DoEvents() override {}
};

// The hourglass while it lives, also when the work ends with an error; then the pointer as it
// was (work of the page that called this shows it still).
class BusyWhile {
  public:
    explicit BusyWhile(platform::Ui& ui) : ui_(ui), was_(ui.IsBusy()) { ui_.SetBusy(true); }
    ~BusyWhile() { ui_.SetBusy(was_); }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

  private:
    platform::Ui& ui_;
    bool was_;
};

std::string Files(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

struct Counts {
    std::size_t Of[3] = {0, 0, 0};  // by DifferenceKind
};

std::string CountsText(const Counts& counts) {
    using carsets::DifferenceKind;
    std::string text;
    for (DifferenceKind kind :
         {DifferenceKind::Missing, DifferenceKind::Different, DifferenceKind::Extra})
        text += (text.empty() ? "" : ", ") + std::to_string(counts.Of[static_cast<int>(kind)]) +
                " " + carsets::DifferenceWord(kind);
    return text;
}

// "ferrari\fer9.3do": the team folder "ferrari"; a file of the car folder itself has none.
std::string TeamOf(const std::string& path) {
    const std::size_t slash = path.find('\\');
    return slash == std::string::npos ? "(car folder)" : path.substr(0, slash);
}

// Where the window writes car sets: the installation's "carsets" folder, which the picker shows
// first when a set is compared.
std::string SetsFolder(const ProgramValues& pv) {
    return pv.GPLPath + "carsets";
}

}  // namespace

void frmMovrand::BuildCarSetRows(QWidget* page) {
    // The row of the swap's "Save" (6720) holds the car set buttons to its left; the codes and
    // the comparison fill the page below.
    const struct {
        int index;
        const char* caption;
        int left;
    } buttons[] = {{cmd::kExportCarSet, "Export Car Set...", 120},
                   {cmd::kCompareCarSet, "Compare with Car Set...", 2320},
                   {cmd::kMakeCarSetLive, "Make It Live", 4520}};
    for (const auto& button : buttons)
        Place(Add(cmd, "cmd", button.index, page, new QPushButton(button.caption, page)),
              button.left, 4500, 2100, 375);
    cmd(cmd::kMakeCarSetLive)->setEnabled(false);
    QLabel* codes = Add(lbl, "lbl", lbl::kLiveCarSetCode, page, new QLabel(page));
    SetSpokenName(codes, "Car set codes");
    Place(codes, 120, 5040, 3000, 255);
    QLabel* summary = Add(lbl, "lbl", lbl::kCarSetComparison, page, new QLabel(page));
    SetSpokenName(summary, "Car set comparison");
    Place(summary, 3240, 5040, 5640, 255);
    QListWidget* differences =
        Add(lst, "lst", lst::kCarSetDifferences, page, new QListWidget(page));
    SetSpokenName(differences, "Car set differences");
    differences->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Place(differences, 120, 5340, 8760, 1545);
    codeWorker_ = new FolderCodeWorker(this);
    connect(
        codeWorker_, &FolderCodeWorker::Found, this,
        [this](const QString& folder, const QString& code) { ShowStoredFolderCode(folder, code); });
}

void frmMovrand::ShowStoredFolderCode(const QString& folder, const QString& code) {
    const std::string key = carsets::SetKey(folder.toStdString());
    if (code.isEmpty()) {
        folderCodes_.erase(key);
    } else {
        folderCodes_[key] = code;
    }
    dir(dir::kSourceFolder)->SetNote(folder.toStdString(), code);
}

void frmMovrand::ShowStoredFolderCodes() {
    dialogs::FolderListBox* list = dir(dir::kSourceFolder);
    std::vector<carsets::FolderToCode> folders;
    try {
        folders = carsets::StoredCarFoldersAmong(pv_, list->EntryPaths());
    } catch (...) {
        return;
    }
    for (const carsets::FolderToCode& folder : folders) {
        const auto known = folderCodes_.find(carsets::SetKey(folder.Folder));
        if (known != folderCodes_.end()) list->SetNote(folder.Folder, known->second);
    }
    std::unique_ptr<history::HistoryPlace> place;
    try {
        place = std::make_unique<history::HistoryPlace>(pv_);
    } catch (...) {
        // Without the installation's history the worker keeps its fingerprints for this list.
    }
    codeWorker_->Start(std::move(folders), std::move(place));
}

std::string frmMovrand::CarSetCodeOf(const std::string& folder, std::string& why) {
    QuietUi quiet;
    const auto set = carsets::SetOfFolder(pv_, quiet, folder);
    if (!set) why += (why.empty() ? "" : "\n") + quiet.Told;
    return set ? set->Code : "?";
}

void frmMovrand::ShowCarSetCodes() {
    // Worked out only for a page in sight: the window's start reads no car file.
    if (tabMovrand(tabMovrand::kPages)->currentIndex() != tab::kCarFolders) return;
    // The list's codes are worked out beside the window, begun first so that they come soon.
    ShowStoredFolderCodes();
    const BusyWhile busy(ui_);
    std::string why;  // a "?" in place of a code is explained in the tooltip
    std::string text = "Live folder: " + CarSetCodeOf("", why);
    const std::string chosen = dir(dir::kSourceFolder)->Path();
    const platform::FileSystem fs = pv_.Files();
    // Only a complete car folder has a code worth telling; the live one is told already. A
    // folder that cannot be looked into has none to tell.
    bool stored = false;
    try {
        stored = !chosen.empty() && fs.FolderExists(chosen) &&
                 !fs.IsWithin(chosen, carsets::LiveCarFolder(pv_)) &&
                 !fs.IsWithin(carsets::LiveCarFolder(pv_), chosen) &&
                 CountTeamFolders(fs, chosen) == kTeamFolderCount;
    } catch (const platform::RuntimeError&) {
    }
    if (stored) text += "    Chosen: " + CarSetCodeOf(chosen, why);
    lbl(lbl::kLiveCarSetCode)->setText(Q(text));
    lbl(lbl::kLiveCarSetCode)->setToolTip(Q(why));
}

// The picker opens on the sets folder and offers a name made of the set's name and its code (the
// same files give the same name); the message names the file written.
void frmMovrand::ExportCarSet() {
    std::optional<carsets::ExportedSet> exported;
    std::optional<carsets::FolderSet> set;
    {
        const PageAtWork busy(ui_, fra(fra::kCarFoldersPage));
        set = carsets::SetOfFolder(pv_, ui_, "");
    }
    if (!set) return;
    // The set's name, the live folder's by default; a name that cannot be one is asked again.
    std::string name = set->Set.Name;
    for (;;) {
        const std::optional<std::string> typed = ui_.AskText("The name of the car set:", name);
        if (!typed) return;
        name = *typed;
        const std::string refusal = carsets::SetNameRefusal(name);
        if (refusal.empty()) break;
        ui_.ShowMessage(refusal);
    }
    platform::FileSystem fs = pv_.Files();
    const std::string folder = SetsFolder(pv_);
    if (!fs.FolderExists(folder) &&
        !platform::RunTrapped(ui_, platform::TrapForm::Common, pv_.ProgramName,
                              [&] { fs.CreateFolder(folder); }))
        return;
    const std::string file = ui_.SaveFile(
        folder + "\\", carsets::FolderNameOfSet(name) + "_" + set->Code + carsets::kCarSetSuffix,
        carsets::kCarSetSuffix, "Export Car Set");
    if (file.empty()) return;
    {
        const PageAtWork busy(ui_, fra(fra::kCarFoldersPage));
        exported = carsets::ExportCarSet(pv_, ui_, file, "", name);
        if (exported) ShowCarSetCodes();
    }
    if (!exported) return;
    ui_.ShowMessage("The live car folder was written as the car set " + exported->File +
                    ".\r\n\r\nIts code: " + exported->Code);
}

void frmMovrand::CompareCarSet() {
    const platform::FileSystem fs = pv_.Files();
    const std::string file =
        ui_.SelectFile(fs.FolderExists(SetsFolder(pv_)) ? SetsFolder(pv_) + "\\" : pv_.GPLPath,
                       "*.carset", "Compare with Car Set");
    if (file.empty()) return;
    // Nothing on the page starts more work meanwhile: "Make It Live" is enabled at the end, and a
    // click on it given while the set was compared is not taken for a yes to it.
    const PageAtWork busy(ui_, fra(fra::kCarFoldersPage));
    const auto comparison = carsets::CompareCarSet(pv_, ui_, file, "");
    if (!comparison) return;
    QListWidget* list = lst(lst::kCarSetDifferences);
    list->clear();
    comparedSet_.clear();
    cmd(cmd::kMakeCarSetLive)->setEnabled(false);
    // By team folder, in the set's order whatever the letter case.
    std::map<std::string, std::pair<std::string, std::vector<const carsets::SetDifference*>>>
        byTeam;
    Counts all;
    for (const carsets::SetDifference& difference : comparison->Differences) {
        const std::string team = TeamOf(difference.Path);
        auto& group = byTeam[carsets::SetKey(team)];
        if (group.first.empty()) group.first = team;
        group.second.push_back(&difference);
        ++all.Of[static_cast<int>(difference.Kind)];
    }
    for (const auto& [key, group] : byTeam) {
        const auto& [team, differences] = group;
        Counts counts;
        for (const carsets::SetDifference* difference : differences)
            ++counts.Of[static_cast<int>(difference->Kind)];
        auto* heading = new QListWidgetItem(Q(team + ": " + CountsText(counts)), list);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        for (const carsets::SetDifference* difference : differences)
            new QListWidgetItem(Q("    " + std::string(carsets::DifferenceWord(difference->Kind)) +
                                  "   " + difference->Path),
                                list);
    }
    if (comparison->Differences.empty())
        new QListWidgetItem("The live car folder holds exactly the files of the car set.", list);
    lbl(lbl::kCarSetComparison)->setText(Q("Set " + comparison->SetCode + ": " + CountsText(all)));
    lbl(lbl::kLiveCarSetCode)->setText(Q("Live folder: " + comparison->FolderCode));
    if (comparison->Differences.empty()) return;
    // The set can be made live only when every one of its files is found somewhere.
    const carsets::ParsedCarSet parsed = carsets::ReadCarSet(pv_, file);
    if (!parsed.Refusal.empty()) return;
    const auto nowhere = carsets::FilesFoundNowhere(pv_, ui_, parsed.Set);
    if (!nowhere) return;
    if (!nowhere->empty()) {
        lbl(lbl::kCarSetComparison)
            ->setText(lbl(lbl::kCarSetComparison)->text() +
                      Q("; " + Files(nowhere->size()) + " found nowhere"));
        return;
    }
    comparedSet_ = file;
    comparedChanges_ = comparison->Differences.size();
    cmd(cmd::kMakeCarSetLive)->setEnabled(true);
}

void frmMovrand::MakeCarSetLive() {
    if (comparedSet_.empty()) return;
    const carsets::ParsedCarSet parsed = carsets::ReadCarSet(pv_, comparedSet_);
    if (!parsed.Refusal.empty()) {
        ui_.ShowMessage(parsed.Refusal);
        return;
    }
    platform::Question ask;
    ask.Message = "Make the car set " + parsed.Set.Name + " (" + parsed.Code +
                  ") the live car folder? It changes " + Files(comparedChanges_) +
                  " of the live car folder, which is kept as a stored car folder.";
    if (!ui_.AskYesNo(ask)) return;
    carsets::ApplyRequest request;
    request.SetFile = comparedSet_;
    // A set named after the live folder itself gets a stored folder of its own.
    const std::string store = carsets::StoreFolder(pv_);
    const std::string folder =
        store + (store.ends_with('\\') ? "" : "\\") + carsets::FolderNameOfSet(parsed.Set.Name);
    if (pv_.Files().IsWithin(carsets::LiveCarFolder(pv_), folder))
        request.Name = carsets::FolderNameOfSet(parsed.Set.Name) + "_set";
    carsets::ApplyResult result;
    {
        // The page shows the folders as they are now before it is usable again.
        const PageAtWork busy(ui_, fra(fra::kCarFoldersPage));
        NormalPointerUi asking(ui_);
        result = carsets::ApplyCarSet(pv_, asking, request);
        comparedSet_.clear();
        cmd(cmd::kMakeCarSetLive)->setEnabled(false);
        lst(lst::kCarSetDifferences)->clear();
        lbl(lbl::kCarSetComparison)->clear();
        for (int index : {dir::kSourceFolder, dir::kDestinationFolder})
            ShowFolderAsItIs(dir(index));
        ShowCarSetCodes();
    }
    if (result.Outcome == carsets::ApplyOutcome::Missing)
        ui_.ShowMessage(std::to_string(result.Missing.size()) +
                        " files of the car set were found nowhere; nothing was changed.");
    // The folder built is the live folder now, under the live folder's name; the old one is
    // named only where the swap left it as it meant to.
    if (result.Outcome == carsets::ApplyOutcome::Live)
        ui_.ShowMessage("The car set " + parsed.Set.Name + " (" + parsed.Code +
                        ") is the live car folder " + carsets::LiveCarFolder(pv_) + " now." +
                        (result.OldFolder.empty()
                             ? std::string()
                             : " The old car folder is kept as " + result.OldFolder + "."));
}

}  // namespace movrand::mainwindow
