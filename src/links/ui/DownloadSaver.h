// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "links/ui/BrowserEngine.h"
#include "platform/Random.h"
#include "platform/Ui.h"

namespace movrand::links {

// Where downloads go and who hears of them.
struct DownloadTarget {
    std::function<QString()> Folder;                 // the native folder the next one goes into
    std::function<void(const QString& file)> Saved;  // a download saved whole (native path)
    platform::Random* Rnd = nullptr;                 // the progress window's skin
    platform::Ui* Ui = nullptr;                      // tells of a download that failed
    QWidget* Parent = nullptr;                       // the progress window's owner
};

// The first of "name", "name (2)", "name (3)" ... (before its extension) that `folder` holds in
// no letter case. `name` is made a plain file name first.
QString FreeDownloadName(const QString& folder, const QString& suggested);

// Saves a download into the target's folder under a free name: written under a temporary name
// beside it and renamed when whole, so a failed or cancelled download leaves nothing. The
// progress window shows the bytes received and can cancel it; the program goes on meanwhile.
void SaveDownload(const DownloadTarget& target, std::unique_ptr<EngineDownload> download);

}  // namespace movrand::links
