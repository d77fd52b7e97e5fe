// SPDX-License-Identifier: GPL-3.0-or-later
#include "carsets/CarSetWork.h"

#include "carsets/CarFolderFiles.h"
#include "history/HistoryPlace.h"
#include "platform/ErrorTrap.h"
#include "platform/Text.h"
#include "platform/WholeFileReplace.h"
#include "wine/WindowsPath.h"

namespace movrand::carsets {

namespace {

// Every line of a set at its longest, and a little room.
constexpr std::uintmax_t kLargestSetText = (kMostSetFiles + 3) * (kLongestSetLine + 2);

std::string FolderOrLive(const ProgramValues& pv, const std::string& folder) {
    return folder.empty() ? LiveCarFolder(pv) : folder;
}

// The history's cache of fingerprints where the installation has a history (it is made when
// missing); else one for this run.
struct CacheOfRun {
    std::unique_ptr<history::HistoryPlace> Place;
    HashCache Cache;
    explicit CacheOfRun(const ProgramValues& pv) {
        try {
            Place = std::make_unique<history::HistoryPlace>(pv);
            if (!Place->Exists()) Place->Create();
            Cache = HashCache(*Place);
        } catch (...) {
            Place.reset();
        }
    }
    ~CacheOfRun() { Cache.Save(); }
};

// The files of a folder; nothing after telling why a set cannot describe it.
std::optional<FolderFiles> FilesOf(const ProgramValues& pv, platform::Ui& ui,
                                   const std::string& folder,
                                   const std::vector<CarSetFile>* likely = nullptr) {
    const platform::FileSystem fs = pv.Files();
    if (!fs.FolderExists(folder)) {
        ui.ShowMessage("The car folder " + folder + " does not exist.");
        return std::nullopt;
    }
    FolderFiles files = ReadFolderFiles(fs.Native(folder), folder, false, likely);
    if (!files.Refusal.empty()) {
        ui.ShowMessage(files.Refusal);
        return std::nullopt;
    }
    return files;
}

std::string LastName(const std::string& folder) {
    const platform::WindowsPath path = platform::WindowsPath::Parse(folder);
    return path.Components.empty() ? folder : path.Components.back();
}

}  // namespace

std::string LiveCarFolder(const ProgramValues& pv) {
    return pv.GPLPath + "cars\\cars67";
}

ParsedCarSet ReadCarSet(const ProgramValues& pv, const std::string& file) {
    const platform::FileSystem fs = pv.Files();
    if (!fs.FileExists(file)) {
        ParsedCarSet parsed;
        parsed.Refusal = "The car set " + file + " does not exist.";
        return parsed;
    }
    // Too large for any set: told as a set's other faults are, not as a failure to read.
    if (fs.IsPlainFile(file) && fs.FileSize(file) > kLargestSetText) {
        ParsedCarSet parsed;
        parsed.Refusal = "The car set " + file + " cannot be used: it is larger than " +
                         std::to_string(kMostSetFiles) + " files of the longest lines can be (" +
                         std::to_string(kLargestSetText) + " bytes).";
        return parsed;
    }
    return ParseCarSet(fs.ReadRecord(file, kLargestSetText), file);
}

std::optional<FolderSet> SetOfFolder(ProgramValues& pv, platform::Ui& ui,
                                     const std::string& folder) {
    std::optional<FolderSet> result;
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        const std::string shown = FolderOrLive(pv, folder);
        std::optional<FolderFiles> files = FilesOf(pv, ui, shown);
        if (!files) return;
        if (files->Files.size() > kMostSetFiles) {
            ui.ShowMessage("The folder " + shown + " holds more files than a car set can carry (" +
                           std::to_string(kMostSetFiles) + ").");
            return;
        }
        CacheOfRun run(pv);
        const WorkTold told(pv, shown);
        told.Stage("Reading the car folder", files->Files.size());
        Fingerprint(pv.Files().Native(shown), files->Files, run.Cache, {}, told);
        FolderSet set;
        set.Set.Name = LastName(shown);
        set.Set.Files = SetFilesOf(files->Files);
        // What a set file could not carry back in: the set would be refused where it is read.
        for (const CarSetFile& file : set.Set.Files) {
            const std::string why =
                file.Size > kLargestSetFile ? "it is larger than a set's file may be (" +
                                                  std::to_string(kLargestSetFile) + " bytes)"
                : file.Path.size() + std::to_string(file.Size).size() + 2 + file.Hash.size() >
                        kLongestSetLine
                    ? "its path makes a line longer than a set's may be (" +
                          std::to_string(kLongestSetLine) + " bytes)"
                    : "";
            if (!why.empty()) {
                ui.ShowMessage("The file " + shown + "\\" + file.Path +
                               " cannot be part of a car set: " + why + ".");
                return;
            }
        }
        set.Code = SetCode(set.Set.Files);
        result = std::move(set);
    });
    return result;
}

std::optional<ExportedSet> ExportCarSet(ProgramValues& pv, platform::Ui& ui,
                                        const std::string& file, const std::string& folder,
                                        const std::string& name) {
    if (!name.empty()) {
        if (const std::string why = SetNameRefusal(name); !why.empty()) {
            ui.ShowMessage(why);
            return std::nullopt;
        }
    }
    std::optional<FolderSet> set = SetOfFolder(pv, ui, folder);
    if (!set) return std::nullopt;
    if (!name.empty()) set->Set.Name = name;
    if (!SetNameRefusal(set->Set.Name).empty()) set->Set.Name = "Car set";
    ExportedSet exported;
    exported.File = file;
    if (!platform::LowerCase(file).ends_with(kCarSetSuffix)) exported.File += kCarSetSuffix;
    exported.Code = set->Code;
    const platform::FileSystem fs = pv.Files();
    if (fs.FolderExists(exported.File) ||
        (fs.FileExists(exported.File) && !fs.IsPlainFile(exported.File))) {
        ui.ShowMessage("The car set cannot be written to " + exported.File +
                       ": something other than a file stands there.");
        return std::nullopt;
    }
    const bool written = platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        platform::ReplaceOptions options;
        options.Shown = exported.File;
        platform::ReplaceFileWithBytes(fs.Native(exported.File), CarSetText(set->Set), options);
    });
    if (!written) return std::nullopt;
    return exported;
}

std::optional<SetComparison> CompareCarSet(ProgramValues& pv, platform::Ui& ui,
                                           const std::string& file, const std::string& folder) {
    std::optional<SetComparison> result;
    platform::RunTrapped(ui, platform::TrapForm::Common, pv.ProgramName, [&] {
        const ParsedCarSet parsed = ReadCarSet(pv, file);
        if (!parsed.Refusal.empty()) {
            ui.ShowMessage(parsed.Refusal);
            return;
        }
        const std::string shown = FolderOrLive(pv, folder);
        std::optional<FolderFiles> files = FilesOf(pv, ui, shown, &parsed.Set.Files);
        if (!files) return;
        CacheOfRun run(pv);
        const WorkTold told(pv, shown);
        told.Stage("Comparing files", files->Files.size());
        result = CompareWithFolder(parsed.Set, pv.Files().Native(shown), files->Files, run.Cache,
                                   told, parsed.Code);
    });
    return result;
}

}  // namespace movrand::carsets
