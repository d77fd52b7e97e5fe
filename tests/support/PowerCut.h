// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/DiskSync.h"
#include "platform/FaultPlan.h"

namespace movrand::test {

// A power cut through the file-system service's fault hook, on a disk that keeps only what was
// synced. It hears of every sync the program makes and keeps what the disk under `root` would
// hold if the power went now: what was there when it began, and of what changed since only what
// a sync wrote (a file's content by fsync of the file, a folder's entries by fsync of the folder,
// everything by syncfs); a file whose name reached the disk but not its content is empty. The
// power goes before the `at`-th mutating step (0: never): that step and every later one fail.
class PowerCut : public platform::SyncListener {
  public:
    PowerCut(std::filesystem::path root, platform::FaultPlan& plan, int at);
    ~PowerCut() override;
    PowerCut(const PowerCut&) = delete;
    PowerCut& operator=(const PowerCut&) = delete;

    bool Happened() const { return cut_; }
    // The step the power went at ("copy C:\...").
    const std::string& Step() const { return step_; }
    // Puts under `root` what the disk holds after the cut (or after a cut now).
    void Restore() const;
    // What a cut now would lose, as Differences tells it: "" when every write is synced.
    std::string Unsynced() const;

    void Synced(int fd, platform::SyncKind kind) override;

  private:
    struct Node {
        char Type = 'f';  // 'f' file, 'd' folder, 'l' link
        ino_t Number = 0;
        mode_t Mode = 0;
        std::string Content;  // a file's bytes, a link's target
    };
    using Tree = std::map<std::string, Node>;  // by path relative to root, "/" between names
    Tree Scan() const;
    void SyncFolder(const std::string& folder);

    std::filesystem::path root_;
    Tree durable_;
    std::map<ino_t, std::string> synced_;  // content of files synced, by number
    int at_ = 0;
    int count_ = 0;
    bool cut_ = false;
    std::string step_;
};

}  // namespace movrand::test
