// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ui/FolderCodeWorker.h"

namespace movrand::mainwindow {

FolderCodeWorker::FolderCodeWorker(QObject* parent)
    : QObject(parent), thread_([this](std::stop_token stop) { Run(stop); }) {}

FolderCodeWorker::~FolderCodeWorker() {
    thread_.request_stop();
    wake_.notify_all();
    thread_.join();
}

void FolderCodeWorker::Start(std::vector<carsets::FolderToCode> folders,
                             std::unique_ptr<history::HistoryPlace> place) {
    Job job;
    job.Folders = std::move(folders);
    if (place && place->Exists()) {
        job.Cache = std::make_shared<carsets::HashCache>(*place);
        job.Place = std::move(place);
    } else {
        job.Cache = std::make_shared<carsets::HashCache>();
    }
    busy_ = true;
    {
        const std::lock_guard lock(mutex_);
        job.Generation = ++generation_;
        next_ = std::move(job);
    }
    wake_.notify_all();
}

bool FolderCodeWorker::Superseded(std::uint64_t generation) {
    const std::lock_guard lock(mutex_);
    return generation != generation_;
}

void FolderCodeWorker::Run(std::stop_token stop) {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, stop, [this] { return next_.has_value(); })) return;
            job = std::move(*next_);
            next_.reset();
        }
        for (const carsets::FolderToCode& folder : job.Folders) {
            if (stop.stop_requested() || Superseded(job.Generation)) break;
            const QString code =
                QString::fromStdString(carsets::CodeOfStoredFolder(folder, *job.Cache));
            const QString name = QString::fromStdString(folder.Folder);
            const std::uint64_t generation = job.Generation;
            QMetaObject::invokeMethod(
                this,
                [this, generation, name, code] {
                    if (generation == generation_) emit Found(name, code);
                },
                Qt::QueuedConnection);
        }
        if (stop.stop_requested()) return;
        // The cache is written on the window's thread; it writes through the history's place,
        // which the call holds until then.
        QMetaObject::invokeMethod(
            this,
            [this, generation = job.Generation, place = job.Place, cache = job.Cache] {
                cache->Save();
                static_cast<void>(place);
                if (generation != generation_) return;
                busy_ = false;
                emit Done();
            },
            Qt::QueuedConnection);
    }
}

}  // namespace movrand::mainwindow
