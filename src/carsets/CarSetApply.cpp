// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/CarSetApply.h"

#include <algorithm>
#include <set>

#include "addons/AddOnNames.h"
#include "archives/UnpackArchive.h"
#include "carsets/CarSetCompare.h"
#include "carsets/CarSetWork.h"
#include "carsets/ContentSearch.h"
#include "carsets/WorkTold.h"
#include "common/GameRunning.h"
#include "folders/CarFolderCount.h"
#include "folders/CarFolderSwap.h"
#include "folders/SwapSettling.h"
#include "history/HistoryPlace.h"
#include "platform/ErrorTrap.h"
#include "platform/FileTree.h"
#include "platform/RuntimeError.h"
#include "platform/SettingsKeys.h"
#include "platform/WholeFileReplace.h"
#include "wine/WindowsPath.h"

namespace movrand::carsets {

namespace {

using platform::FileSystem;

constexpr const char* kBuildSuffix = ".movrand-build";
// Inside a folder being built, so that a killed run's leftover is known as the program's own.
constexpr const char* kBuildMarker = "movrand-build.marker";
// In the program's own folder: the archives named by --from, unpacked for one run.
constexpr const char* kSourcesFolder = "carset-sources.movrand-temp";
constexpr const char* kTeams[] = {"brabham", "brm",   "coventry", "eagle",
                                  "ferrari", "lotus", "murasama"};

std::string Parent(const std::string& folder) {
    platform::WindowsPath path = platform::WindowsPath::Parse(folder);
    if (path.Components.empty()) return "";
    path.Components.pop_back();
    return path.Text();
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder + (folder.ends_with('\\') ? "" : "\\") + name;
}

// Archives named by --from, unpacked for the run into the program's own folder and removed
// when it ends.
class UnpackedSources {
  public:
    explicit UnpackedSources(ProgramValues& pv) : pv_(pv) {}
    ~UnpackedSources() {
        if (root_.empty()) return;
        try {
            pv_.Files().DeleteFolder(root_, true);
        } catch (...) {
        }
    }
    UnpackedSources(const UnpackedSources&) = delete;
    UnpackedSources& operator=(const UnpackedSources&) = delete;

    // The folder an archive was unpacked into, or "" after the refusal was shown.
    std::string Unpack(platform::Ui& ui, const std::string& archive) {
        FileSystem fs = pv_.Files();
        if (root_.empty()) {
            root_ = Join(pv_.Env.ProgramFolder(), kSourcesFolder);
            if (fs.FolderExists(root_)) fs.DeleteFolder(root_, true);  // a killed run's
            fs.CreateFolder(root_);
        }
        const archives::UnpackResult unpacked =
            archives::UnpackArchive(pv_.Env, ui, archive, root_);
        if (!unpacked.Unpacked) ui.ShowMessage(unpacked.Refusal);
        return unpacked.Unpacked ? unpacked.Folder : "";
    }

  private:
    ProgramValues& pv_;
    std::string root_;
};

// Looks for every file of the set; false when a --from names nothing.
bool SearchEverywhere(ProgramValues& pv, platform::Ui& ui, const ApplyRequest& request,
                      const std::string& store, ContentSearch& search, UnpackedSources& unpacked) {
    const FileSystem fs = pv.Files();
    const std::string live = LiveCarFolder(pv);
    // Every place is told as it is looked through: the files to read are known folder by folder.
    WorkTold(pv, live).Stage("Looking for the car set's files", 0);
    const auto searchFolder = [&](const std::string& folder, bool keepInCache = true) {
        search.SearchFolder(fs.Native(folder), keepInCache, WorkTold(pv, folder));
    };
    searchFolder(live);
    if (fs.FolderExists(store))
        for (const std::string& name : fs.FolderNames(store)) {
            const std::string folder = Join(store, name);
            // The program's own folders at work ("NAME.movrand-build", the swap's) hold no
            // stored car folder.
            if (name.find(".movrand-") == std::string::npos && !fs.IsWithin(folder, live) &&
                !fs.IsLink(folder) && CountTeamFolders(fs, folder) == kTeamFolderCount)
                searchFolder(folder);
        }
    const history::HistoryPlace place(pv);
    if (place.Exists()) search.SearchKept(place.Native(place.ContentFolder()));
    for (const char* backups : {kReplacedCars, kReplacedAccessories})
        searchFolder(pv.GPLPath + backups);
    for (const std::string& from : request.From) {
        if (fs.FolderExists(from)) {
            searchFolder(from, false);
        } else if (fs.FileExists(from) && archives::IsAddOnArchive(pv.Env, from)) {
            const std::string folder = unpacked.Unpack(ui, from);
            if (folder.empty()) return false;
            searchFolder(folder, false);
        } else {
            ui.ShowMessage("Files for the car set cannot be taken from " + from +
                           ": it is neither a folder nor an add-on archive.");
            return false;
        }
    }
    return true;
}

// The folders a set's files need, each before what it holds, in the letter case the set gives;
// then the team folders the set has no file in, so that the folder is a complete car folder.
std::vector<std::string> FoldersOf(const CarSet& set) {
    std::set<std::string> seen;
    std::vector<std::string> folders;
    const auto add = [&](const std::string& folder) {
        if (seen.insert(SetKey(folder)).second) folders.push_back(folder);
    };
    for (const CarSetFile& file : set.Files)
        for (std::size_t at = file.Path.find('\\'); at != std::string::npos;
             at = file.Path.find('\\', at + 1))
            add(file.Path.substr(0, at));
    for (const char* team : kTeams) add(team);
    return folders;
}

std::filesystem::path NativeOf(const std::filesystem::path& folder, std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return folder / path;
}

// Builds the set's folder at `building` (a new folder), every file copied from where the search
// found it and checked, the files told to `told` as they are done.
void Build(FileSystem& fs, const CarSet& set, const ContentSearch& search,
           const std::string& building, const WorkTold& told) {
    fs.CreateFolder(building);
    fs.WriteWholeFile(Join(building, kBuildMarker), "");
    for (const std::string& folder : FoldersOf(set)) fs.CreateFolder(Join(building, folder));
    const std::filesystem::path native = fs.Native(building);
    told.Stage("Building the car folder", set.Files.size());
    InBatches(set.Files.size(), told, [&](std::size_t begin, std::size_t end) {
        platform::RunOnTwoThreads(end - begin, [&](std::size_t i) {
            const CarSetFile& file = set.Files[begin + i];
            if (!platform::CopyFileChecked(search.Where(file.Hash), NativeOf(native, file.Path),
                                           file.Hash))
                throw platform::RuntimeError(platform::kPathFileAccessError,
                                             "The file " + search.Where(file.Hash).string() +
                                                 " changed while it was read for " +
                                                 Join(building, file.Path) +
                                                 "; nothing was made live.");
        });
        told.Done(set.Files[end - 1].Path, end - begin);
    });
    fs.DeleteFile(Join(building, kBuildMarker));
    fs.SyncDisk(building);
    // What the swap copies is told as a copy.
    told.Stage("", 0);
}

// A name in the store no folder or file has yet: `name`, else `name` + "_2", "_3" ...
std::string FreeName(const FileSystem& fs, const std::string& store, const std::string& name) {
    std::string free = name;
    for (int n = 2; fs.FolderExists(Join(store, free)) || fs.FileExists(Join(store, free)); ++n)
        free = name + "_" + std::to_string(n);
    return free;
}

// True when the folder holds the set's files and nothing else (the program's records aside).
bool HoldsExactly(const FileSystem& fs, const CarSet& set, const std::string& folder,
                  HashCache& cache) {
    const std::filesystem::path native = fs.Native(folder);
    FolderFiles files = ReadFolderFiles(native, folder, true, &set.Files);
    return files.Refusal.empty() && files.Files.size() == set.Files.size() &&
           CompareWithFolder(set, native, files.Files, cache).Differences.empty();
}

// The fingerprints the installation's history keeps, with the place they are written back to
// (held here, so that it outlives the cache); without a history, a cache for this run.
struct KeptHashes {
    std::unique_ptr<history::HistoryPlace> Place;
    HashCache Cache;
};

KeptHashes HashesOfHistory(const ProgramValues& pv) {
    KeptHashes kept;
    try {
        kept.Place = std::make_unique<history::HistoryPlace>(pv);
        if (kept.Place->Exists()) kept.Cache = HashCache(*kept.Place);
    } catch (...) {
    }
    return kept;
}

}  // namespace

std::string StoreFolder(const ProgramValues& pv) {
    const FileSystem fs = pv.Files();
    const auto stored = [&](const char* key) {
        return pv.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection, key);
    };
    const std::string destination = stored(platform::kCarFolderKey);
    if (!destination.empty() && fs.FolderExists(destination)) return destination;
    const std::string source = stored(platform::kAddOnCarFolderKey);
    if (!source.empty() && fs.FolderExists(source) && !Parent(source).empty() &&
        !fs.IsWithin(source, LiveCarFolder(pv)))
        return Parent(source);
    return pv.GPLPath + "cars";
}

void SweepHalfBuiltSets(const ProgramValues& pv) {
    try {
        FileSystem fs = pv.Files();
        const std::string store = StoreFolder(pv);
        const std::string_view suffix = kBuildSuffix;
        if (fs.FolderExists(store))
            for (const std::string& name : fs.FolderNames(store)) {
                const std::string folder = Join(store, name);
                if (name.size() > suffix.size() && name.ends_with(suffix) && !fs.IsLink(folder) &&
                    fs.FileExists(Join(folder, kBuildMarker)))
                    fs.DeleteFolder(folder, true);
            }
        const std::string sources = Join(pv.Env.ProgramFolder(), kSourcesFolder);
        if (fs.FolderExists(sources)) fs.DeleteFolder(sources, true);
    } catch (...) {
        // Left for the next run that makes the set live, which removes it too.
    }
}

std::string FolderNameOfSet(const std::string& setName) {
    std::string name;
    for (const char c : setName) {
        const bool plain =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (plain) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    if (name.size() > 64) name.resize(64);
    return name.empty() ? "carset" : name;
}

std::optional<std::vector<CarSetFile>> FilesFoundNowhere(ProgramValues& pv, platform::Ui& ui,
                                                         const CarSet& set) {
    std::optional<std::vector<CarSetFile>> result;
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        KeptHashes kept = HashesOfHistory(pv);
        HashCache& cache = kept.Cache;
        ContentSearch search(set, cache);
        UnpackedSources unpacked(pv);
        const bool searched = SearchEverywhere(pv, ui, {}, StoreFolder(pv), search, unpacked);
        cache.Save();
        if (searched) result = search.Missing();
    });
    return result;
}

ApplyResult ApplyCarSet(ProgramValues& pv, platform::Ui& ui, const ApplyRequest& request) {
    ApplyResult result;
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        result.Outcome = ApplyOutcome::Refused;
        const ParsedCarSet parsed = ReadCarSet(pv, request.SetFile);
        if (!parsed.Refusal.empty()) return ui.ShowMessage(parsed.Refusal);
        const CarSet& set = parsed.Set;
        result.Code = parsed.Code;
        FileSystem fs = pv.Files();
        const std::string store = StoreFolder(pv);
        const std::string name = request.Name.empty() ? FolderNameOfSet(set.Name) : request.Name;
        result.Folder = Join(store, name);
        const std::string building = result.Folder + kBuildSuffix;
        KeptHashes kept = HashesOfHistory(pv);
        HashCache& cache = kept.Cache;
        // A folder of the set's name that holds exactly its files (built with --no-swap, or by
        // a run cut short before its swap) is made live as it stands.
        const bool standing = fs.FolderExists(result.Folder) && !fs.IsLink(result.Folder) &&
                              HoldsExactly(fs, set, result.Folder, cache);
        if (!standing && (fs.FolderExists(result.Folder) || fs.FileExists(result.Folder)))
            return ui.ShowMessage("The folder " + result.Folder +
                                  " already exists: give the car folder of the set another name.");
        // The marker goes once every file is in and synced: a run killed after that and before
        // the folder got its name left it whole, and it is named now.
        const bool builtWhole = fs.FolderExists(building) && !fs.IsLink(building) &&
                                !fs.FileExists(Join(building, kBuildMarker)) &&
                                HoldsExactly(fs, set, building, cache);
        if (fs.FolderExists(building) && !builtWhole &&
            !fs.FileExists(Join(building, kBuildMarker)))
            return ui.ShowMessage("The folder " + building +
                                  " is in the way of the car set's new folder; please move it.");
        if (fs.FileExists(building))
            return ui.ShowMessage("The file " + building +
                                  " is in the way of the car set's new folder; please move it.");
        if (!request.NoSwap && !MayChangeWhileGameRuns(pv, ui)) return;

        // A killed run's half-built folder is the program's own (it holds the marker).
        if (!builtWhole && fs.FolderExists(building)) fs.DeleteFolder(building, true);
        if (!standing && !builtWhole) {
            ContentSearch search(set, cache);
            UnpackedSources unpacked(pv);
            const bool searched = SearchEverywhere(pv, ui, request, store, search, unpacked);
            cache.Save();
            if (!searched) return;
            if (!search.AllFound()) {
                result.Missing = search.Missing();
                result.Outcome = ApplyOutcome::Missing;
                return;
            }
            result.Outcome = ApplyOutcome::Failed;
            try {
                Build(fs, set, search, building, WorkTold(pv, building));
            } catch (...) {
                try {
                    if (fs.FolderExists(building)) fs.DeleteFolder(building, true);
                } catch (...) {
                }
                throw;
            }
        }
        if (!standing) {
            result.Outcome = ApplyOutcome::Failed;
            if (!fs.RenameFolder(building, result.Folder))
                throw platform::RuntimeError(platform::kPathFileAccessError);
            platform::SyncAfterRename(fs.Native(building), fs.Native(result.Folder));
        }
        if (request.NoSwap) {
            result.Outcome = ApplyOutcome::Built;
            return;
        }
        const std::uintmax_t built = fs.FolderNumber(result.Folder);
        CarFolderPage page;
        page.Source = result.Folder;
        page.Destination = store;
        page.NewName = FreeName(fs, store, "cars67_before_" + name);
        page.Move = true;
        const SwapAsPartOf part{kCarSetStepSummary + set.Name + " (" + parsed.Code + ") made live"};
        const SwapResult swapped = SwapCarFolder(pv, ui, page, &part);
        if (swapped.Outcome == SwapOutcome::Swapped) {
            result.Outcome = ApplyOutcome::Live;
            result.OldFolder = swapped.OldFolder;
            return;
        }
        result.Outcome = ApplyOutcome::Refused;
        // The folder built for the swap goes again when the swap left it where it was.
        if (!standing && fs.FolderNumber(result.Folder) == built)
            fs.DeleteFolder(result.Folder, true);
    });
    return result;
}

}  // namespace movrand::carsets
