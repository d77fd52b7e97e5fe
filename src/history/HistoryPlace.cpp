// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryPlace.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>

#include "platform/FaultPlan.h"
#include "platform/FileHandles.h"
#include "platform/FileKeeping.h"
#include "platform/FileSystemErrors.h"
#include "platform/GroupShare.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"
#include "platform/WholeFileReplace.h"

namespace movrand::history {

namespace {

constexpr const char* kIndexHeader = "movrand-history 1\t";
constexpr std::uint64_t kLargestDefaultLimit = 5ull << 30;
constexpr std::uint64_t kSmallestMeasuredLimit = 1ull << 30;

std::string WithoutSlash(std::string folder) {
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

std::uint64_t MeasuredLimit(std::uint64_t freeBytes) {
    // A nearly full disk must not make a limit that forgets every earlier step at each new one.
    return std::clamp(freeBytes / 4, kSmallestMeasuredLimit, kLargestDefaultLimit);
}

HistoryPlace::HistoryPlace(const ProgramValues& pv) : HistoryPlace(pv, pv.GPLPath) {}

HistoryPlace::HistoryPlace(const ProgramValues& pv, const std::string& installation)
    : fs_(pv.Env.Drives, nullptr, pv.Env.Work),  // the user action's progress, if it shows one
      faults_(pv.Env.Faults.get()),
      installation_(installation.empty() ? "" : WithoutSlash(installation)),
      folder_(installation_.empty() ? "" : installation_ + "\\movrand\\history") {
    if (installation_.empty()) return;
    fs_.GuardBelow(installation_);
    try {
        if (::stat(fs_.Native(installation_).c_str(), &installationFacts_) != 0)
            installationFacts_ = {};
    } catch (const platform::RuntimeError&) {
        // A drive that is not ready: nothing to share, and the first use tells why.
    }
}

void HistoryPlace::Share(const std::filesystem::path& native) const {
    platform::ShareLikeInstallation(native, installationFacts_);
}

bool HistoryPlace::Exists() const {
    if (folder_.empty()) return false;
    std::filesystem::path native;
    try {
        native = fs_.Native(folder_);
    } catch (const platform::RuntimeError&) {
        return false;  // a drive that is not there holds no history
    }
    struct stat st {};
    if (::lstat(native.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return true;
        // A link (to a copy elsewhere, say) or a file where the history belongs is no missing
        // history either: read through or read as none, it would give or hide steps of another.
        throw platform::RuntimeError(platform::kPathFileAccessError,
                                     "The history folder " + folder_ + " is " +
                                         (S_ISLNK(st.st_mode) ? "a link" : "no folder") +
                                         ", not a folder; nothing was changed");
    }
    if (errno == ENOENT || errno == ENOTDIR) return false;
    // A history that cannot be looked at (another user's, closed to this one) is no missing
    // one: read as empty, it would hide every step.
    throw platform::RuntimeError(
        platform::kPermissionDenied,
        "The history folder " + folder_ + " cannot be read (" + std::strerror(errno) + ")");
}

void HistoryPlace::Create() {
    if (installation_.empty() || !fs_.FolderExists(installation_))
        throw platform::RuntimeError(platform::kPathNotFound);
    const std::string parent = installation_ + "\\movrand";
    for (const std::string& folder :
         {parent, folder_, folder_ + "\\steps", ContentFolder(), KeptFolder()})
        MakeFolder(folder);
    if (!fs_.FileExists(LimitFile())) SetLimit(MeasuredLimit(fs_.FreeSpace(folder_)));
    if (!fs_.FileExists(Index())) {
        fs_.WriteWholeFile(Index(), std::string(kIndexHeader) + "1\n");
        Share(Index());
    }
}

void HistoryPlace::MakeFolder(const std::string& folder) {
    const std::string kind = fs_.KindAt(folder);
    if (kind.empty()) {
        fs_.CreateFolder(folder);
        Share(folder);
    } else if (kind != "a folder") {
        throw platform::RuntimeError(
            platform::kPathFileAccessError,
            "The history folder " + folder + " is " + kind + ", not a folder; nothing was changed");
    } else {
        Share(folder);  // one made before its installation was shared
    }
}

std::string HistoryPlace::StepFile(int number) const {
    return folder_ + "\\steps\\" + std::to_string(number) + ".step";
}

std::filesystem::path HistoryPlace::ContentOf(const std::string& hash) const {
    // Resolved once: each resolution looks at the disk, and a restore asks for thousands.
    if (contentNative_.empty()) contentNative_ = fs_.Native(ContentFolder()).string();
    return contentNative_ + "/" + hash.substr(0, 2) + "/" + hash;
}

std::string HistoryPlace::ReadRecord(const std::string& file) const {
    constexpr std::uintmax_t kLargestIndex = 16u << 20;
    constexpr std::uintmax_t kLargestStep = 64u << 20;
    const bool small = file == Index() || file == LimitFile() || file == LabelsFile();
    // Opened in its folder, which is reached with no link on the way (a steps folder made a
    // link to a copy elsewhere is refused by name), and never through a link itself.
    const std::size_t slash = file.rfind('\\');
    const platform::Descriptor folder = fs_.OpenFolder(file.substr(0, slash));
    struct stat info {};
    const platform::Descriptor in =
        platform::OpenForReading(folder.Get(), file.c_str() + slash + 1, file, info, false);
    return platform::ReadContent(in.Get(), file, small ? kLargestIndex : kLargestStep);
}

std::vector<int> HistoryPlace::StepFileNumbers() const {
    std::vector<int> numbers;
    const std::string steps = folder_ + "\\steps";
    if (!Exists()) return numbers;
    // A history folder that cannot be listed (another user's) raises, naming it: it is no
    // empty history.
    fs_.FolderNames(folder_);
    if (fs_.KindAt(steps).empty()) return numbers;
    for (const std::string& name : fs_.FileNames(steps)) {
        const std::size_t dot = name.find('.');
        if (dot == 0 || dot == std::string::npos || name.substr(dot) != ".step" ||
            name.find_first_not_of("0123456789") != dot)
            continue;
        try {
            numbers.push_back(std::stoi(name.substr(0, dot)));
        } catch (const std::exception&) {
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

bool HistoryPlace::IndexLost() const {
    return !folder_.empty() && !fs_.FileExists(Index()) && !StepFileNumbers().empty();
}

int HistoryPlace::RepairIndex() {
    std::vector<Step> steps;
    for (int number : StepFileNumbers()) steps.push_back(ReadStep(number));
    KeepFrom(steps.empty() ? 1 : steps.front().Number, steps);
    return static_cast<int>(steps.size());
}

std::vector<Step> HistoryPlace::ReadIndex() const {
    std::vector<Step> steps;
    if (IndexLost())
        throw platform::RuntimeError(
            platform::kFileNotFound,
            "The history file " + Index() +
                " is missing while the steps it lists remain; `movrand-cli history repair` "
                "rebuilds it from them");
    if (!fs_.FileExists(Index())) return steps;
    const std::vector<std::string> lines = Lines(ReadRecord(Index()));
    const auto damaged = [&](std::size_t line) {
        return platform::RuntimeError(platform::kPathFileAccessError,
                                      "The history file " + Index() + " is damaged: line " +
                                          std::to_string(line + 1) + " is not as written");
    };
    if (lines.empty() || lines[0].rfind(kIndexHeader, 0) != 0) throw damaged(0);
    int last = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::optional<Step> step = ParseIndexLine(lines[i]);
        if (!step || step->Number <= last) throw damaged(i);
        last = step->Number;
        steps.push_back(std::move(*step));
    }
    return steps;
}

int HistoryPlace::FirstKept() const {
    if (!fs_.FileExists(Index())) return 1;
    const std::string text = ReadRecord(Index());
    const std::string first = Lines(text).empty() ? "" : Lines(text)[0];
    if (first.rfind(kIndexHeader, 0) != 0)
        throw platform::RuntimeError(
            platform::kPathFileAccessError,
            "The history file " + Index() + " is damaged: line 1 is not as written");
    try {
        return std::max(1, std::stoi(first.substr(std::string(kIndexHeader).size())));
    } catch (const std::exception&) {
        return 1;
    }
}

int HistoryPlace::NextNumber() const {
    const std::vector<Step> steps = ReadIndex();
    int next = FirstKept();
    if (!steps.empty()) next = std::max(next, steps.back().Number + 1);
    // A step file left by a run cut short between its file and its index line keeps its number.
    while (fs_.FileExists(StepFile(next))) ++next;
    return next;
}

Step HistoryPlace::ReadStep(int number) const {
    const std::string file = StepFile(number);
    if (!fs_.FileExists(file))
        throw platform::RuntimeError(platform::kFileNotFound,
                                     "The history file " + file + " is missing");
    Step step = ParseStep(ReadRecord(file), file);
    if (step.Number != number)
        throw platform::RuntimeError(
            platform::kPathFileAccessError,
            "The history file " + file + " is damaged: it holds another step's number");
    FollowInstallation(step);
    return step;
}

namespace {

// True when `path` is `folder` or lies inside it (Windows notation, case aside).
bool InsideFolder(const std::string& path, const std::string& folder) {
    return path.size() >= folder.size() &&
           platform::EqualsNoCase(path.substr(0, folder.size()), folder) &&
           (path.size() == folder.size() || path[folder.size()] == '\\');
}

}  // namespace

std::string HistoryPlace::FormerInstallation(const Step& step) const {
    // A step of an older history names no installation. Its paths outside its stored car
    // folders lay in the installation: where none lies in it now, the history moved with it.
    std::vector<const std::string*> paths;
    for (const StepChange& c : step.Changes) {
        const bool stored =
            std::any_of(step.Roots.begin(), step.Roots.end(),
                        [&](const std::string& r) { return InsideFolder(c.Path, r); });
        if (stored) continue;
        if (InsideFolder(c.Path, installation_)) return "";
        paths.push_back(&c.Path);
    }
    // It stood where a path's folders, from the shallowest, lead to what is in the installation.
    for (const std::string* path : paths) {
        for (std::size_t at = path->find('\\'); at != std::string::npos;
             at = path->find('\\', at + 1)) {
            if (at + 1 >= path->size()) break;
            if (!fs_.KindAt(installation_ + path->substr(at)).empty()) return path->substr(0, at);
        }
    }
    return "";
}

void HistoryPlace::FollowInstallation(Step& step) const {
    std::string from = step.Installation.empty() ? FormerInstallation(step) : step.Installation;
    step.Installation = installation_;
    if (from.empty() || platform::EqualsNoCase(from, installation_)) return;
    const auto follow = [&](std::string& path) {
        if (InsideFolder(path, from)) path = installation_ + path.substr(from.size());
    };
    for (StepChange& c : step.Changes) {
        follow(c.Path);
        if (c.Kind != StepChange::Type::Kept) follow(c.To);
    }
}

void HistoryPlace::AddStep(const Step& step) {
    // What the step kept (the content links, the folders made for them) reaches the disk before
    // the record that names it: one sync of the installation's file system.
    FaultOf("sync", folder_);
    fs_.SyncDisk(folder_);
    FaultOf("write", StepFile(step.Number));
    fs_.WriteWholeFile(StepFile(step.Number), StepText(step));
    Share(StepFile(step.Number));
    ListStep(step);
}

void HistoryPlace::ListStep(const Step& step) {
    FaultOf("write", Index());
    platform::AppendLineSynced(fs_.Native(Index()), IndexLine(step));
}

void HistoryPlace::KeepFrom(int first, const std::vector<Step>& kept) {
    std::string text = kIndexHeader + std::to_string(first) + "\n";
    for (const Step& step : kept) text += IndexLine(step) + "\n";
    fs_.WriteWholeFile(Index(), text);
    Share(Index());
}

int HistoryPlace::RecordFault(const std::string& what) const {
    return faults_ ? faults_->RecordFault(what) : 0;
}

void HistoryPlace::FaultOf(const std::string& what, const std::string& file) const {
    if (const int error = RecordFault(what + " " + file))
        throw platform::ErrorAbout(error, what, file, file == folder_);
}

std::uint64_t HistoryPlace::Limit() const {
    try {
        return std::stoull(ReadRecord(LimitFile()));
    } catch (const std::exception&) {
        return kLargestDefaultLimit;
    }
}

void HistoryPlace::SetLimit(std::uint64_t bytes) {
    fs_.WriteWholeFile(LimitFile(), std::to_string(bytes) + "\n");
    Share(LimitFile());
}

std::uint64_t HistoryPlace::Size() const {
    return folder_.empty() ? 0 : platform::DiskSpaceUnder(fs_.Native(folder_));
}

}  // namespace movrand::history
