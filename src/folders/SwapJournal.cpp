#include "folders/SwapJournal.h"

#include <vector>

#include "platform/RuntimeError.h"

namespace movrand {

using platform::FileSystem;

namespace {

constexpr const char* kHeader = "[movrand swap]";

// The journal's lines, "key=value", in this order.
std::vector<std::pair<std::string, std::string>> Lines(const SwapJournal& j) {
    return {{"live", j.Live},
            {"staged", j.Staged},
            {"exchange", j.Exchange},
            {"source", j.Source},
            {"target", j.Target},
            {"targetaside", j.TargetAside},
            {"move", j.Move ? "1" : "0"},
            {"liveidentity", j.LiveIdentity}};
}

// Copies what is in `from` into `to`, then deletes `from`: finishes a move between drives that
// stopped half-way, when both hold part of the folder.
void MergeInto(FileSystem& fs, const std::string& from, const std::string& to) {
    fs.CopyFolder(from, to);
    fs.DeleteFolder(from, true);
}

// Finishes a change of places done in three renames that stopped half-way.
void FinishExchange(FileSystem& fs, const SwapJournal& j) {
    if (j.Exchange.empty() || !fs.FolderExists(j.Exchange)) return;
    if (!fs.FolderExists(j.Live)) fs.MoveFolder(j.Staged, j.Live);
    fs.MoveFolder(j.Exchange, j.Staged);
}

void Undo(FileSystem& fs, const SwapJournal& j) {
    if (fs.FolderExists(j.Staged)) {
        if (!j.Move)
            fs.DeleteFolder(j.Staged, true);
        else if (fs.FolderExists(j.Source))
            MergeInto(fs, j.Staged, j.Source);
        else
            fs.MoveFolder(j.Staged, j.Source);
    }
    if (!j.TargetAside.empty() && fs.FolderExists(j.TargetAside) && !fs.FolderExists(j.Target))
        fs.MoveFolder(j.TargetAside, j.Target);
}

void Finish(FileSystem& fs, const SwapJournal& j) {
    if (fs.FolderExists(j.Staged)) {
        if (j.Target.empty())
            fs.DeleteFolder(j.Staged, true);
        else if (fs.FolderExists(j.Target))
            MergeInto(fs, j.Staged, j.Target);
        else
            fs.MoveFolder(j.Staged, j.Target);
    }
    if (!j.TargetAside.empty() && fs.FolderExists(j.TargetAside))
        fs.DeleteFolder(j.TargetAside, false);
}

}  // namespace

std::string SwapJournalPath(const ProgramValues& pv) {
    return pv.AppPath + "swap.zorvex";
}

void WriteSwapJournal(FileSystem& fs, const std::string& path, const SwapJournal& j) {
    const std::string temporary = path + ".partial";
    {
        platform::TextWriter out = fs.CreateTextFile(temporary);
        out.WriteLine(kHeader);
        for (const auto& [key, value] : Lines(j)) out.WriteLine(key + "=" + value);
        out.Close();
    }
    fs.ReplaceFile(temporary, path);
}

std::optional<SwapJournal> ReadSwapJournal(const FileSystem& fs, const std::string& path) {
    if (!fs.FileExists(path)) return std::nullopt;
    platform::TextReader in = fs.OpenTextFile(path);
    if (in.AtEndOfStream() || in.ReadLine() != kHeader) return std::nullopt;
    SwapJournal j;
    std::vector<std::pair<std::string, std::string*>> fields = {
        {"live", &j.Live},         {"staged", &j.Staged},
        {"exchange", &j.Exchange}, {"source", &j.Source},
        {"target", &j.Target},     {"targetaside", &j.TargetAside},
        {"move", nullptr},         {"liveidentity", &j.LiveIdentity}};
    std::size_t found = 0;
    while (!in.AtEndOfStream()) {
        const std::string line = in.ReadLine();
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        for (auto& [name, field] : fields) {
            if (name != key) continue;
            if (field)
                *field = value;
            else
                j.Move = value == "1";
            ++found;
        }
    }
    // A journal cut short names no swap that could be settled safely.
    if (found != fields.size() || j.Live.empty() || j.Staged.empty() || j.LiveIdentity.empty())
        return std::nullopt;
    return j;
}

void ExchangeWithLive(FileSystem& fs, const SwapJournal& j) {
    if (fs.ExchangeFolders(j.Staged, j.Live)) return;
    fs.MoveFolder(j.Live, j.Exchange);
    fs.MoveFolder(j.Staged, j.Live);
    fs.MoveFolder(j.Exchange, j.Staged);
}

void SettleSwap(FileSystem& fs, const SwapJournal& j) {
    FinishExchange(fs, j);
    const std::string live = fs.FolderIdentity(j.Live);
    if (live.empty()) throw platform::RuntimeError(platform::kPathNotFound);
    if (live == j.LiveIdentity)
        Undo(fs, j);
    else
        Finish(fs, j);
}

void FinishInterruptedSwap(ProgramValues& pv) {
    FileSystem fs = pv.Files();
    const std::string path = SwapJournalPath(pv);
    if (!fs.FileExists(path)) return;
    if (const std::optional<SwapJournal> journal = ReadSwapJournal(fs, path))
        SettleSwap(fs, *journal);
    fs.DeleteFile(path, true);
}

void FinishInterruptedSwapQuietly(ProgramValues& pv) {
    try {
        FinishInterruptedSwap(pv);
    } catch (...) {
        // The journal stays; the next start or swap tries again and reports what stops it.
    }
}

}  // namespace movrand
