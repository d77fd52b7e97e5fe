// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/StepPlaces.h"

#include <cctype>
#include <map>
#include <vector>

#include "platform/FileSystemErrors.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace movrand::history {

namespace {

using platform::WindowsPath;

// By name, without regard to case: `path` is `folder` or lies under it.
bool Within(const WindowsPath& path, const std::string& folder) {
    const WindowsPath outer = WindowsPath::Parse(folder);
    if (path.DriveLetter == 0 ||
        std::toupper(path.DriveLetter) != std::toupper(outer.DriveLetter) ||
        path.Components.size() < outer.Components.size())
        return false;
    for (std::size_t i = 0; i < outer.Components.size(); ++i)
        if (!platform::EqualsNoCase(path.Components[i], outer.Components[i])) return false;
    return true;
}

std::size_t Depth(const std::string& folder) {
    return WindowsPath::Parse(folder).Components.size();
}

// Where a path of a step may lie.
struct Place {
    bool Allowed = false;
    const std::string* Root = nullptr;  // the stored car folder it lies in (or beside)
};

Place PlaceOf(const HistoryPlace& place, const Step& step, const std::string& text, bool keptToo) {
    const WindowsPath path = WindowsPath::Parse(text);
    for (const std::string& part : path.Components)
        if (part.empty() || part == "." || part == "..") return {};
    if (Within(path, place.Folder()))
        return {keptToo && Within(path, place.KeptFolder()) &&
                path.Components.size() > Depth(place.KeptFolder())};
    if (Within(path, place.Installation()))
        return {path.Components.size() > Depth(place.Installation())};
    for (const std::string& root : step.Roots) {
        if (Within(path, root)) return {true, &root};
        // The folders the swap makes beside a stored folder: NAME.movrand-copy, NAME.movrand-old.
        WindowsPath parent = WindowsPath::Parse(root);
        const std::string name = parent.Components.back();
        parent.Components.pop_back();
        if (path.Components.size() > parent.Components.size() && Within(path, parent.Text()) &&
            platform::LowerCase(path.Components[parent.Components.size()])
                    .rfind(platform::LowerCase(name) + ".movrand-", 0) == 0)
            return {true, &root};
    }
    return {};
}

// The most a mark may hold: the tokens of some tens of thousands of swaps.
constexpr std::uintmax_t kMarkMost = std::uintmax_t{1} << 20;

// The mark's text, "" when there is none or it cannot be read as one.
std::string MarkText(const platform::FileSystem& fs, const std::string& marker) {
    if (fs.KindAt(marker) != "a file") return "";
    try {
        return fs.ReadRecord(marker, kMarkMost);
    } catch (const platform::RuntimeError&) {
        return "";
    }
}

// True when a whole line of the mark is `token` (a line cut short by a power cut is no token).
bool HoldsToken(const std::string& mark, const std::string& token) {
    for (std::size_t at = 0; at < mark.size();) {
        const std::size_t end = mark.find("\r\n", at);
        if (end == std::string::npos) return false;
        if (mark.compare(at, end - at, token) == 0) return true;
        at = end + 2;
    }
    return false;
}

}  // namespace

std::string StoredMarkerBeside(const std::string& folder) {
    return folder + ".movrand-stored";
}

void MarkStoredFolder(const platform::FileSystem& fs, const std::string& folder,
                      const std::string& token) {
    // Written by a service that tells no step: the mark stays when a step is taken back, and a
    // step cut short anywhere finds its folders marked.
    // Added to in place, not written beside and renamed: a run cut short leaves no file of its
    // own in the player's folder, and the tokens already there stay whatever happens; at worst
    // the new one is cut short and written again on a line of its own.
    platform::FileSystem plain(fs.Paths().Drives());
    if (IsMarkedStored(plain, folder, token)) return;
    const std::string marker = StoredMarkerBeside(folder);
    const std::string earlier = MarkText(plain, marker);
    platform::TextWriter out = plain.AppendTextFile(marker);
    if (!earlier.empty() && !earlier.ends_with("\r\n")) out.Write("\r\n");
    out.WriteLine(token);
    out.Close();
    plain.SyncTouched();
}

bool IsMarkedStored(const platform::FileSystem& fs, const std::string& folder,
                    const std::string& token) {
    // A folder, or nothing yet, stands in the place: never a link to another.
    const std::string kind = fs.KindAt(folder);
    const std::string marker = StoredMarkerBeside(folder);
    if (token.empty() || (kind != "a folder" && !kind.empty())) return false;
    return HoldsToken(MarkText(fs, marker), token);
}

void CheckStepPlaces(const HistoryPlace& place, const Step& step, const std::string& file,
                     const std::string& appPath, const std::string& vouched) {
    const platform::FileSystem& fs = place.Files();
    const auto refused = [&](const std::string& why) {
        return platform::RuntimeError(platform::kPathFileAccessError,
                                      "The history file " + file + " is damaged: " + why);
    };
    for (const std::string& root : step.Roots) {
        const bool driveRoot = WindowsPath::Parse(root).Components.empty();
        if (driveRoot || fs.IsWithin(place.Installation(), root) ||
            fs.IsWithin(root, place.Installation()) ||
            (!appPath.empty() && (fs.IsWithin(appPath, root) || fs.IsWithin(root, appPath))))
            throw refused("it names " + root + " as a stored car folder");
    }
    // Each stored car folder a change reaches is looked at once, before anything is touched.
    std::map<const std::string*, bool> marked;
    const auto check = [&](const std::string& path, bool keptToo) {
        const Place at = PlaceOf(place, step, path, keptToo);
        if (!at.Allowed) throw refused("it names " + path + ", outside the installation");
        if (!at.Root) return;
        auto found = marked.find(at.Root);
        if (found == marked.end()) {
            const auto token = step.RootTokens.find(*at.Root);
            const bool known =
                token != step.RootTokens.end() && ((!vouched.empty() && token->second == vouched) ||
                                                   IsMarkedStored(fs, *at.Root, token->second));
            found = marked.emplace(at.Root, known).first;
        }
        if (!found->second)
            throw refused("it names " + path + ", outside the installation, in " + *at.Root +
                          ", which is no stored car folder that Movrand's car folder swap marked "
                          "as its own");
    };
    for (const StepChange& c : step.Changes) {
        const bool moving =
            c.Kind == StepChange::Type::Move || c.Kind == StepChange::Type::Exchange;
        check(c.Path, moving);
        if (moving) check(c.To, true);
    }
}

}  // namespace movrand::history
