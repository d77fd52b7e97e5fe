// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "carsets/StoredFolderCodes.h"
#include "history/HistoryPlace.h"

namespace movrand::mainwindow {

// Works out the codes of stored car folders on a thread of its own, so that a list of large
// folders never holds up the window: each code is told (Found) as soon as it is known. A new
// list replaces one still being worked through; the fingerprints read are kept in the
// installation's cache once a list is done.
class FolderCodeWorker : public QObject {
    Q_OBJECT
  public:
    explicit FolderCodeWorker(QObject* parent = nullptr);
    ~FolderCodeWorker() override;
    FolderCodeWorker(const FolderCodeWorker&) = delete;
    FolderCodeWorker& operator=(const FolderCodeWorker&) = delete;

    // `place`: the installation's history, whose fingerprint cache is used; none for a cache of
    // this list only.
    void Start(std::vector<carsets::FolderToCode> folders,
               std::unique_ptr<history::HistoryPlace> place);
    // True while a list is being worked through.
    bool Busy() const { return busy_; }

  signals:
    // `code` "" when the folder cannot be described by a set.
    void Found(const QString& folder, const QString& code);
    void Done();

  private:
    struct Job {
        std::uint64_t Generation = 0;
        std::vector<carsets::FolderToCode> Folders;
        std::shared_ptr<history::HistoryPlace> Place;
        std::shared_ptr<carsets::HashCache> Cache;
    };
    void Run(std::stop_token stop);
    bool Superseded(std::uint64_t generation);

    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::optional<Job> next_;
    std::uint64_t generation_ = 0;  // of the newest list; read by the worker under the lock
    bool busy_ = false;             // the window's thread only
    std::jthread thread_;           // last: stopped and joined before the rest goes
};

}  // namespace movrand::mainwindow
