// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryForget.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "history/RestoreJournal.h"
#include "history/StepLabels.h"
#include "platform/FileKeeping.h"
#include "platform/FileSystemErrors.h"
#include "platform/RuntimeError.h"

namespace movrand::history {

namespace {

// The kept content (by fingerprint) and the kept folders (by name) that `step` needs.
void NeededBy(const HistoryPlace& place, const Step& step, std::set<std::string>& hashes,
              std::set<std::string>& keptFolders) {
    for (const StepChange& c : step.Changes) {
        if (c.Before.IsFile()) hashes.insert(c.Before.Hash);
        if (c.HasAfter && c.After.IsFile()) hashes.insert(c.After.Hash);
        if (c.Kind == StepChange::Type::Kept) keptFolders.insert(c.To);
        for (const std::string* path : {&c.Path, &c.To}) {
            const std::string prefix = place.KeptFolder() + "\\";
            if (path->size() > prefix.size() && path->compare(0, prefix.size(), prefix) == 0) {
                const std::string rest = path->substr(prefix.size());
                keptFolders.insert(rest.substr(0, rest.find('\\')));
            }
        }
    }
}

std::uint64_t SpaceOf(const std::filesystem::path& native) {
    struct stat st {};
    if (::lstat(native.c_str(), &st) != 0) return 0;
    return S_ISDIR(st.st_mode) ? platform::DiskSpaceUnder(native)
                               : static_cast<std::uint64_t>(st.st_blocks) * 512;
}

// A damaged record set aside (pending.step.damaged...) may name content and kept folders a run
// cut short kept: every fingerprint and every field it holds is taken as needed.
void NeededBySetAside(const HistoryPlace& place, std::set<std::string>& hashes,
                      std::set<std::string>& keptFolders) {
    for (const std::string& name : place.Files().FileNames(place.Folder())) {
        if (name.rfind("pending.step.damaged", 0) != 0) continue;
        const std::string text = place.ReadRecord(place.Folder() + "\\" + name);
        std::size_t start = 0;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            const char c = i < text.size() ? text[i] : '\n';
            if (c != '\t' && c != '\n' && c != ':') continue;
            const std::string word = text.substr(start, i - start);
            if (word.size() == 32 &&
                word.find_first_not_of("0123456789abcdef") == std::string::npos)
                hashes.insert(word);
            keptFolders.insert(word);
            start = i + 1;
        }
    }
}

}  // namespace

ForgetResult ForgetStepsBefore(HistoryPlace& place, int first) {
    ForgetResult result;
    const std::vector<Step> index = place.ReadIndex();
    const int next = place.NextNumber();
    if (first < 1 || first > next)
        throw platform::RuntimeError(
            platform::kBadFileNameOrNumber,
            "There is no step " + std::to_string(first) + " to keep the history from");
    if (first <= place.FirstKept()) return result;
    // What the kept steps still need.
    std::set<std::string> hashes;
    std::set<std::string> keptFolders;
    std::vector<Step> kept;
    for (const Step& entry : index)
        if (entry.Number >= first) kept.push_back(entry);
    // Every step file from `first` on, listed or not: content one of them names is never deleted.
    for (int number : place.StepFileNumbers())
        if (number >= first) NeededBy(place, place.ReadStep(number), hashes, keptFolders);
    NeededBySetAside(place, hashes, keptFolders);
    const std::uint64_t before = place.Size();
    ReadLabels(place);  // a damaged names file stops the forget before anything goes
    // The index first: a cut here leaves content that no step names, taken at the next forget.
    place.KeepFrom(first, kept);
    DropLabelsBefore(place, first);
    platform::FileSystem& fs = place.Files();
    for (const Step& entry : index)
        if (entry.Number < first) ++result.Forgotten;
    std::vector<int> forgotten;
    for (int number : place.StepFileNumbers())
        if (number < first) forgotten.push_back(number);
    const std::vector<std::string> buckets = fs.FolderNames(place.ContentFolder());
    const std::vector<std::string> keptNames = fs.FolderNames(place.KeptFolder());
    fs.WorkStage("Forgetting steps",
                 static_cast<int>(forgotten.size() + buckets.size() + keptNames.size()));
    // Step files before `first` go too, listed or not: none is left naming content deleted below.
    for (int number : forgotten) {
        fs.WorkReached(place.StepFile(number));
        fs.DeleteFile(place.StepFile(number), true);
    }
    for (const std::string& bucket : buckets) {
        const std::string folder = place.ContentFolder() + "\\" + bucket;
        fs.WorkReached(folder);
        for (const std::string& name : fs.FileNames(folder))
            if (!hashes.count(name)) fs.DeleteFile(folder + "\\" + name, true);
    }
    for (const std::string& name : keptNames) {
        fs.WorkReached(place.KeptPath(name));
        if (!keptFolders.count(name)) fs.DeleteFolder(place.KeptPath(name), true);
    }
    const std::uint64_t after = place.Size();
    result.Freed = before > after ? before - after : 0;
    return result;
}

bool AskToForget(const HistoryPlace& place, int first, platform::Ui& ui) {
    std::set<std::string> stillKept;
    std::vector<std::pair<int, StepChange>> keptFolders;
    int count = 0;
    for (int number : place.StepFileNumbers())
        for (const StepChange& c : place.ReadStep(number).Changes) {
            if (c.Kind != StepChange::Type::Kept) continue;
            if (number >= first)
                stillKept.insert(c.To);
            else
                keptFolders.emplace_back(number, c);
        }
    for (const Step& step : place.ReadIndex()) count += step.Number < first;
    if (count == 0) return true;
    std::string only;
    for (const auto& [number, change] : keptFolders)
        if (!stillKept.count(change.To))
            only += "\r\n  step " + std::to_string(number) + ": " + change.Path;
    platform::Question asked;
    asked.Message = "Forget " + std::to_string(count) + " step(s), those before step " +
                    std::to_string(first) + "? The installation can no longer be restored to them.";
    if (!only.empty())
        asked.Message +=
            "\r\n\r\nThese steps hold the only copy of a car folder a swap deleted "
            "or replaced; it is deleted with them:" +
            only;
    if (const std::string named = LabelledBefore(place, first); !named.empty())
        asked.Message += "\r\n\r\nThese steps you named are forgotten with them:" + named;
    return ui.AskYesNo(asked);
}

int FirstKeptWithin(const HistoryPlace& place, std::uint64_t limit) {
    const std::vector<Step> index = place.ReadIndex();
    std::uint64_t total = 0;
    for (const Step& step : index) total += step.BytesKept;
    if (total <= limit || index.size() < 2) return place.FirstKept();
    // Each step file, piece of content and kept folder goes with the forget that passes the
    // newest step that needs it; what no step needs goes with the first.
    std::map<std::string, int> lastNeed;
    std::map<std::string, int> folderNeed;
    std::map<int, std::uint64_t> freedBefore;  // step number -> bytes freed once it is passed
    for (int number : place.StepFileNumbers()) {
        std::set<std::string> hashes, folders;
        NeededBy(place, place.ReadStep(number), hashes, folders);
        for (const std::string& hash : hashes) lastNeed[hash] = number;
        for (const std::string& folder : folders) folderNeed[folder] = number;
        freedBefore[number] += SpaceOf(place.Native(place.StepFile(number)));
    }
    const platform::FileSystem& fs = place.Files();
    const auto namesIn = [&](const std::string& folder, bool folders) {
        if (fs.KindAt(folder).empty()) return std::vector<std::string>{};
        return folders ? fs.FolderNames(folder) : fs.FileNames(folder);
    };
    for (const std::string& bucket : namesIn(place.ContentFolder(), true))
        for (const std::string& name : namesIn(place.ContentFolder() + "\\" + bucket, false)) {
            const auto need = lastNeed.find(name);
            freedBefore[need == lastNeed.end() ? 0 : need->second] +=
                SpaceOf(place.ContentOf(name));
        }
    for (const std::string& name : namesIn(place.KeptFolder(), true)) {
        const auto need = folderNeed.find(name);
        freedBefore[need == folderNeed.end() ? 0 : need->second] +=
            SpaceOf(place.Native(place.KeptPath(name)));
    }
    std::uint64_t size = place.Size();
    int first = place.FirstKept();
    for (std::size_t i = 0; size > limit && i + 1 < index.size(); ++i) {
        first = index[i + 1].Number;
        for (auto it = freedBefore.begin(); it != freedBefore.end() && it->first < first;
             it = freedBefore.erase(it))
            size -= std::min(size, it->second);
    }
    return first;
}

namespace {

// The situation a No to the question of the limit answered: the limit, and the oldest named
// step with its name, which the history keeps from.
std::string KeptNamedSituation(std::uint64_t limit, const StepLabels& labels) {
    return std::to_string(limit) + "\t" + std::to_string(labels.begin()->first) + "\t" +
           labels.begin()->second + "\n";
}

// Beside the limit: the situation the player last answered No to, "limit\tstep\tname".
std::string KeptNamedFile(const HistoryPlace& place) {
    return place.Folder() + "\\kept-named";
}

std::string KeptNamedBefore(const HistoryPlace& place) {
    const std::string file = KeptNamedFile(place);
    return place.Files().FileExists(file) ? place.ReadRecord(file) : "";
}

}  // namespace

void KeepWithinLimit(HistoryPlace& place, platform::Ui* ui, bool agreed) {
    const std::vector<Step> index = place.ReadIndex();
    std::uint64_t total = 0;
    for (const Step& step : index) total += step.BytesKept;
    const std::uint64_t limit = place.Limit();
    if (total <= limit || index.size() < 2) return;
    // A step the player named is forgotten only with a yes; without one the history keeps
    // from it on and stays larger than its limit.
    int stop = index.back().Number;
    if (!agreed) {
        const int wanted = FirstKeptWithin(place, limit);
        const std::string named = LabelledBefore(place, wanted);
        const StepLabels labels = named.empty() ? StepLabels{} : ReadLabels(place);
        const std::string situation = labels.empty() ? "" : KeptNamedSituation(limit, labels);
        // Asked once: after a No the same named step over the same limit is kept without asking.
        if (!named.empty() && ui && situation == KeptNamedBefore(place)) {
            stop = labels.begin()->first;
        } else if (!named.empty()) {
            platform::Question asked;
            asked.Message = "The history of this installation has grown past its limit of " +
                            SizeText(limit) + ". Keeping within it forgets the steps before step " +
                            std::to_string(wanted) + ", among them these steps you named:" + named +
                            "\r\n\r\nForget them? On No they are kept, and the history " +
                            "stays larger than its limit.";
            asked.NoByDefault = true;
            if (!ui || !ui->AskYesNo(asked)) {
                stop = labels.begin()->first;
                if (ui) {
                    const std::string file = KeptNamedFile(place);
                    place.FaultOf("write", file);
                    place.Files().WriteWholeFile(file, situation);
                    place.Share(file);
                }
            }
        }
    }
    std::uint64_t size = place.Size();
    int first = place.FirstKept();
    ForgetResult all;
    for (std::size_t i = 0; size > limit && i + 1 < index.size() && index[i + 1].Number <= stop;
         ++i) {
        first = index[i + 1].Number;
        const ForgetResult one = ForgetStepsBefore(place, first);
        all.Forgotten += one.Forgotten;
        all.Freed += one.Freed;
        size = place.Size();
    }
    if (ui && all.Forgotten > 0)
        ui->ShowMessage("The history of this installation has grown past its limit of " +
                        SizeText(limit) + ", so its " + std::to_string(all.Forgotten) +
                        " oldest step(s), up to step " + std::to_string(first - 1) +
                        ", have been forgotten (" + SizeText(all.Freed) + " freed).");
}

bool ChangeLimit(HistoryPlace& place, std::uint64_t limit, platform::Ui& ui) {
    // Forgetting steps now could forget those an unfinished restore takes back.
    RefuseWhileRestoreStands(place);
    // A smaller limit that would forget steps asks first, as a forget does; on a no the limit
    // stays as it was.
    const int first = place.Exists() ? FirstKeptWithin(place, limit) : 1;
    if (place.Exists() && first > place.FirstKept() && !AskToForget(place, first, ui)) return false;
    place.Create();
    place.SetLimit(limit);
    KeepWithinLimit(place, &ui, true);
    return true;
}

std::string ForgottenText(const ForgetResult& result, const HistoryPlace& place) {
    return std::to_string(result.Forgotten) + " step(s) forgotten, " + SizeText(result.Freed) +
           " freed; the history now takes " + SizeText(place.Size()) + ".";
}

std::string SizeText(std::uint64_t bytes) {
    char text[32];
    if (bytes < 1024) return std::to_string(bytes) + " bytes";
    if (bytes < (1u << 20)) {
        std::snprintf(text, sizeof text, "%.1f KB", static_cast<double>(bytes) / 1024);
    } else if (bytes < (1ull << 30)) {
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1 << 20));
    } else {
        std::snprintf(text, sizeof text, "%.2f GB", static_cast<double>(bytes) / (1ull << 30));
    }
    return text;
}

}  // namespace movrand::history
