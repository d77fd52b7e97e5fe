// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace movrand::history {

// What stood at a path at one moment: nothing, a folder, or a file with its size, permissions,
// modification time and content fingerprint.
struct FileState {
    enum class Type { None, File, Folder };
    Type Kind = Type::None;
    std::uint64_t Size = 0;
    unsigned Mode = 0;
    std::int64_t ModifiedNs = 0;
    std::string Hash;
    // Of a file a step left: which file it was (device, inode) and its change time, which no one
    // sets by hand. A file that still shows all of them, with the size, permissions and time
    // above, holds these bytes unread. 0: not known (files the step did not look at settled).
    std::uint64_t Device = 0;
    std::uint64_t Number = 0;
    std::int64_t ChangedNs = 0;

    bool IsNone() const { return Kind == Type::None; }
    bool IsFile() const { return Kind == Type::File; }
    bool IsFolder() const { return Kind == Type::Folder; }
    // The same thing stands there: kind, content and permissions (the time aside).
    bool SameAs(const FileState& other) const;
    std::string Text() const;
    static std::optional<FileState> Parse(std::string_view text);
};

// The history's kept copy of some content as a step left it: its inode, size and change time.
// A copy that still shows them was not written since.
struct KeptCopy {
    std::uint64_t Number = 0;
    std::uint64_t Size = 0;
    std::int64_t ChangedNs = 0;
};

// One change of a step.
struct StepChange {
    enum class Type {
        Path,      // a file or folder went from Before to After
        Move,      // the folder Path moved to To
        Exchange,  // the folders Path and To changed places
        Kept,      // the folder Path went into the history as kept\To
    };
    Type Kind = Type::Path;
    std::string Path;  // Windows notation
    std::string To;
    FileState Before;
    FileState After;
    bool HasAfter = false;  // a step cut short may lack the state after
    // A pending journal tells of a move or an exchange before it is made: until it is told as
    // made, whether it was is known by the number the folder at Path had (FolderNumber).
    bool Unconfirmed = false;
    std::uint64_t FolderNumber = 0;
    // Not written: a folder a step moved away and back, its state to be taken when it ends.
    bool MovedBack = false;
    // Not written: the step it came from, where the changes of several steps are taken together
    // (0: the step that holds it).
    int Origin = 0;
};

// One step of the installation's history.
struct Step {
    int Number = 0;
    std::string When;     // ISO 8601 with the UTC offset (older steps: local time without one)
    std::string User;     // login name
    std::string Program;  // "movrand" or "movrand-cli"
    std::string Summary;
    // The installation's folder when the step was made ("" in steps of older histories): its
    // paths inside the installation follow it when it has moved since.
    std::string Installation;
    bool IsUndo = false;
    std::vector<int> Undoes;         // steps this one took back
    std::vector<std::string> Roots;  // folders outside the installation it reached
    // A root's token, which the swap that stored it left in its mark (StepPlaces.h); a root
    // without one is never touched.
    std::map<std::string, std::string> RootTokens;
    std::vector<StepChange> Changes;  // in the order they happened
    std::uint64_t BytesKept = 0;      // what the step added to the history's content
    // When its last change was made, by the system's clock in nanoseconds (0: not known): what
    // changes after it inside a folder the step moved whole is someone else's doing.
    std::int64_t EndedNs = 0;
    // The kept copies the step added, by fingerprint (those whose look had settled).
    std::map<std::string, KeptCopy> KeptCopies;
};

// The text of a step's file, and back. A text that is not one raises RuntimeError naming
// `shown`. A pending journal (`pending`) may lack its end, carries the states after each
// group of changes on lines of their own ("after"), and tells of each move or exchange before
// it is made ("moving", "exchanging") as well as after.
std::string StepText(const Step& step);
Step ParseStep(const std::string& text, const std::string& shown, bool pending = false);

// A field of a step's line: tabs, line ends and "%" written as %09, %0A, %0D and %25.
std::string EscapedField(const std::string& text);
// And back; nullopt for a text that is not one.
std::optional<std::string> UnescapedField(std::string_view field);

// The one-line index entry of a step, and back (nullopt for a line that is not one).
std::string IndexLine(const Step& step);
std::optional<Step> ParseIndexLine(const std::string& line);

// What happened to a path, as `history N` prints it: "created", "replaced", "deleted",
// "moved to ...", ...
std::string ChangeWord(const StepChange& change);

}  // namespace movrand::history
