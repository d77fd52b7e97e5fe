// SPDX-License-Identifier: GPL-3.0-or-later
// Add-on archives that arrive by a download in one of the program's browsers or by a drop onto
// the main window: the question, the unpacking and Add mode on the new add-on folder.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

#include "archives/UnpackArchive.h"
#include "common/Functions.h"
#include "folders/AddOnArchive.h"
#include "links/ui/BrowserControl.h"
#include "mainwindow/WindowFunctions.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/frmMovrand.h"

namespace movrand::mainwindow {

void frmMovrand::SetUpArchiveArrivals() {
    setAcceptDrops(true);
    QPointer<frmMovrand> self(this);
    links::DownloadTarget target;
    target.Folder = [self] { return self ? self->DownloadsFolder() : QString(); };
    target.Saved = [self](const QString& file) {
        // Asked once the download's own events are over.
        QTimer::singleShot(0, self, [self, file] {
            if (!self) return;
            const std::string path = self->pv_.Files().WindowsOf(file.toStdString());
            if (archives::IsAddOnArchive(self->pv_.Env, path)) {
                self->OfferAddOnArchive(path);
                return;
            }
            // Anything else stays where it was saved; the player is told where that is.
            self->Trapped(platform::TrapForm::Common, [&] {
                std::string folder = FolderOfPath(path);
                const std::string name = path.substr(folder.size());
                if (folder.size() > 3) folder.pop_back();  // "C:\" keeps its separator
                self->ui_.ShowMessage("\"" + name + "\" was saved in the folder " + folder + ".",
                                      6000, 1800);
            });
        });
    };
    target.Rnd = &pv_.Env.Rnd;
    target.Ui = &ui_;
    target.Parent = this;
    links::BrowserControl::UseDownloadTarget(std::move(target));
}

QString frmMovrand::DownloadsFolder() const {
    if (!lastAddOnFolder_.empty()) {
        const QString folder =
            QString::fromStdString(pv_.Files().Native(FolderOfPath(lastAddOnFolder_)).string());
        if (QDir(folder).exists()) return folder;
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    QDir().mkpath(folder);
    return folder;
}

void frmMovrand::OfferAddOnArchive(const std::string& archive) {
    Trapped(platform::TrapForm::Common, [&] {
        const AddOnArchiveResult result = OfferToUnpack(pv_, ui_, archive);
        if (!result.AddOnFolder.empty()) ShowUnpackedAddOn(result.AddOnFolder);
    });
}

void frmMovrand::ShowUnpackedAddOn(const std::string& folder) {
    tabMovrand(tabMovrand::kPages)->setCurrentIndex(tab::kCarsAccessories);
    drv(drv::kAddOnFolder)->SetDrive(DriveOfPath(folder));
    dir(dir::kAddOnFolder)->SetPath(folder);
    EnterAddMode();
    raise();
    activateWindow();
}

namespace {

// A dropped file is only read, so it is taken as a copy: a Move would let the dragging program
// delete its file. A source that offers neither a copy nor a link is refused.
bool TakeAsCopy(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return false;
    for (Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction})
        if (event->possibleActions() & action) {
            event->setDropAction(action);
            event->accept();
            return true;
        }
    return false;
}

}  // namespace

void frmMovrand::dragEnterEvent(QDragEnterEvent* event) {
    TakeAsCopy(event);
}

void frmMovrand::dragMoveEvent(QDragMoveEvent* event) {
    TakeAsCopy(event);
}

void frmMovrand::dropEvent(QDropEvent* event) {
    if (!TakeAsCopy(event)) {
        event->ignore();
        return;
    }
    const QString file = event->mimeData()->urls().value(0).toLocalFile();
    QPointer<frmMovrand> self(this);
    // The question is asked once the drop is over, so the dragging program is not held.
    QTimer::singleShot(0, this, [self, file] {
        if (!self) return;
        self->Trapped(platform::TrapForm::Common, [&] {
            const std::string path = self->pv_.Files().WindowsOf(file.toStdString());
            if (archives::IsAddOnArchive(self->pv_.Env, path))
                self->OfferAddOnArchive(path);
            else
                self->ui_.ShowMessage("\"" + path +
                                          "\" is not an archive that Movrand can unpack (.zip, "
                                          ".7z, .rar, .tar, .tar.gz, .tar.bz2, .tar.xz or a "
                                          "self-extracting .exe).",
                                      6000, 1800);
        });
    });
}

}  // namespace movrand::mainwindow
