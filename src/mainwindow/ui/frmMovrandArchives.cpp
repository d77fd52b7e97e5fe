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
            if (archives::IsAddOnArchive(self->pv_.Env, path)) self->OfferAddOnArchive(path);
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

void frmMovrand::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) event->acceptProposedAction();
}

void frmMovrand::dropEvent(QDropEvent* event) {
    const QString file = event->mimeData()->urls().value(0).toLocalFile();
    event->acceptProposedAction();
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
