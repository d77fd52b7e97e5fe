// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/ui/DownloadSaver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSet>

#include "links/ui/frmDownload.h"

namespace movrand::links {

namespace {

// A name a website suggests, made a plain file name that Windows can hold.
QString PlainName(const QString& suggested) {
    QString name = suggested.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    for (QChar& c : name)
        if (c.unicode() < 0x20 || QStringLiteral("<>:\"|?*").contains(c)) c = QLatin1Char('_');
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' '))) name.chop(1);
    name = name.trimmed();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QStringLiteral("download"));
    return name;
}

QSet<QString> LowerCaseNamesIn(const QString& folder) {
    QSet<QString> names;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot))
        names.insert(name.toLower());
    return names;
}

// One download on its way: its temporary file, its window, its end.
class Saving : public QObject {
  public:
    Saving(const DownloadTarget& target, std::unique_ptr<EngineDownload> download)
        : target_(target), download_(std::move(download)) {}

    void Begin() {
        folder_ = target_.Folder();
        if (folder_.isEmpty()) {  // no window to take it: the engine drops what it is not given
            deleteLater();
            return;
        }
        name_ = FreeDownloadName(folder_, download_->SuggestedName());
        // The temporary name stays hidden and is never the name of a download.
        const QSet<QString> taken = LowerCaseNamesIn(folder_);
        temporary_ = QStringLiteral(".") + name_ + QStringLiteral(".movrand-download");
        for (int n = 2; taken.contains(temporary_.toLower()); ++n)
            temporary_ = QStringLiteral(".%1.movrand-download%2").arg(name_).arg(n);
        if (target_.Rnd) {
            window_ = new frmDownload(*target_.Rnd, name_, target_.Parent);
            window_->setAttribute(Qt::WA_DeleteOnClose, false);
            connect(window_, &frmDownload::Cancelled, this, [this] {
                if (cancelled_) return;
                cancelled_ = true;
                download_->Cancel();
            });
            window_->show();
        }
        QPointer<frmDownload> window = window_;
        download_->Start(
            folder_, temporary_,
            [window](qint64 received, qint64 total) {
                if (window) window->ShowBytes(received, total);
            },
            [this](bool whole) { End(whole); });
    }

  private:
    void End(bool whole) {
        const QDir folder(folder_);
        QString saved;
        if (whole) {
            // The name may have been taken meanwhile: then the next free one.
            for (int attempt = 0; attempt < 3 && saved.isEmpty(); ++attempt) {
                if (attempt > 0) name_ = FreeDownloadName(folder_, name_);
                if (QFile::rename(folder.filePath(temporary_), folder.filePath(name_)))
                    saved = folder.filePath(name_);
            }
        }
        if (saved.isEmpty()) {
            // The engine writes under the name it is given with ".download" added until the
            // file is whole; neither is left behind.
            for (const QString& left : {temporary_, temporary_ + QStringLiteral(".download")})
                if (QFileInfo(folder.filePath(left)).isFile()) QFile::remove(folder.filePath(left));
        }
        // The end may come from within the window's own handlers (its Cancel, Escape, close).
        if (window_) {
            window_->hide();
            window_->deleteLater();
        }
        if (!saved.isEmpty() && target_.Saved) {
            target_.Saved(saved);
        } else if (!cancelled_ && target_.Ui) {
            target_.Ui->ShowMessage(
                "The download of \"" + name_.toStdString() + "\" failed; nothing was saved.", 6000,
                1800);
        }
        deleteLater();
    }

    DownloadTarget target_;
    std::unique_ptr<EngineDownload> download_;
    QString folder_;
    QString name_;
    QString temporary_;
    QPointer<frmDownload> window_;
    bool cancelled_ = false;
};

}  // namespace

QString FreeDownloadName(const QString& folder, const QString& suggested) {
    const QString name = PlainName(suggested);
    const QSet<QString> taken = LowerCaseNamesIn(folder);
    const QFileInfo info(name);
    // "addon.tar.gz" keeps ".tar.gz" after the number.
    QString stem = info.completeBaseName();
    QString extension = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    if (name.toLower().contains(QStringLiteral(".tar."))) {
        stem = name.left(name.toLower().indexOf(QStringLiteral(".tar.")));
        extension = name.mid(stem.size());
    }
    QString candidate = name;
    for (int n = 2; taken.contains(candidate.toLower()); ++n)
        candidate = QStringLiteral("%1 (%2)%3").arg(stem).arg(n).arg(extension);
    return candidate;
}

void SaveDownload(const DownloadTarget& target, std::unique_ptr<EngineDownload> download) {
    auto* saving = new Saving(target, std::move(download));
    saving->setParent(target.Parent);
    saving->Begin();
}

}  // namespace movrand::links
