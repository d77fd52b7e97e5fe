// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/QtUi.h"

#include <QApplication>

#include "dialogs/ui/DialogPlacement.h"
#include "dialogs/ui/PlatformMessageBox.h"
#include "dialogs/ui/frmFile.h"
#include "dialogs/ui/frmInstallations.h"
#include "dialogs/ui/frmMsgBox.h"
#include "dialogs/ui/frmProgress.h"
#include "dialogs/ui/frmTeamFolder.h"
#include "dialogs/ui/frmText.h"
#include "dialogs/ui/frmYesNo.h"
#include "resources/StringTable.h"

namespace movrand::dialogs {

namespace {
std::unique_ptr<ProgramValues> ValuesFromEnvironment() {
    auto pv = std::make_unique<ProgramValues>();
    pv->Env = platform::Environment::FromProcessEnvironment();
    pv->Env.Rnd.SeedFromTimer();
    pv->ProgramName = resources::LoadResString(resources::kProgramName);
    return pv;
}
}  // namespace

QtUi::QtUi(ProgramValues& pv) : pv_(pv) {}

QtUi::QtUi() : own_(ValuesFromEnvironment()), pv_(*own_) {}

QtUi::~QtUi() = default;

QWidget* QtUi::DialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

void QtUi::ShowMessage(const std::string& message, int widthTwips, int heightTwips) {
    EndFileProgress();
    QWidget* owner = DialogParent();
    frmMsgBox box(pv_.Env.Rnd, owner);
    box.SetMessage(message);
    box.Load();
    if (widthTwips > 0 || heightTwips > 0) box.Move(widthTwips, heightTwips);
    if (const auto place = PlaceOver(box.size(), owner)) {
        box.move(*place);
        KeepOnScreen(box);
    }
    box.exec();
}

bool QtUi::AskYesNo(const platform::Question& question) {
    EndFileProgress();
    QWidget* owner = DialogParent();
    frmYesNo window(pv_.Env.Rnd, owner);
    window.SetMessage(question.Message);
    window.SetMyWidth(question.MyWidth);
    window.SetMyHeight(question.MyHeight);
    window.SetYesTooltip(question.YesTooltip);
    window.SetNoTooltip(question.NoTooltip);
    window.SetNoByDefault(question.NoByDefault);
    window.Load();
    if (const auto place = PlaceOver(window.size(), owner)) {
        window.move(*place);
        KeepOnScreen(window);
    }
    window.exec();
    return window.Yes();
}

std::optional<std::string> QtUi::AskText(const std::string& message, const std::string& text) {
    EndFileProgress();
    QWidget* owner = DialogParent();
    frmText window(pv_.Env.Rnd, owner);
    window.Load(message, text);
    if (const auto place = PlaceOver(window.size(), owner)) {
        window.move(*place);
        KeepOnScreen(window);
    }
    window.exec();
    return window.Answer();
}

std::string QtUi::SelectTeam() {
    EndFileProgress();
    frmTeamFolder window(pv_, *this, DialogParent());
    window.Load();
    window.exec();
    return window.Team();
}

std::string QtUi::SelectFile(const std::string& path, const std::string& pattern,
                             const std::string& caption) {
    EndFileProgress();
    frmFile window(pv_, *this, DialogParent());
    window.SetPath(path);
    window.SetPattern(pattern);
    window.SetTopCaption(caption);
    window.Load();
    window.exec();
    return window.FileSelected() ? window.PathLine() : std::string();
}

std::string QtUi::SaveFile(const std::string& path, const std::string& name,
                           const std::string& suffix, const std::string& caption) {
    EndFileProgress();
    frmFile window(pv_, *this, DialogParent());
    window.SetPath(path);
    window.SetPattern("*" + suffix);
    window.SetTopCaption(caption);
    window.SetSaving(name, suffix);
    window.Load();
    window.exec();
    return window.FileSelected() ? window.PathLine() : std::string();
}

int QtUi::ChooseInstallation(const std::vector<platform::InstallationLine>& lines) {
    EndFileProgress();
    QWidget* owner = DialogParent();
    frmInstallations window(pv_.Env.Rnd, owner);
    window.Load(lines);
    if (const auto place = PlaceOver(window.size(), owner)) {
        window.move(*place);
        KeepOnScreen(window);
    }
    window.exec();
    return window.Choice();
}

void QtUi::ShowPlatformMessage(const std::string& text, platform::MessageIcon icon,
                               const std::string& title) {
    EndFileProgress();
    MakePlatformMessageBox(text, icon, title, DialogParent())->exec();
}

void QtUi::SetBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

// Windows repaint while a roster is read or saved, but no input is taken: a click meant for the
// main window waits until the work is done, so no handler starts in the middle of another. A
// repaint every 30 ms is all a person sees; short work (the rosters read before the first paint)
// does not stop for the event queue at every line.
void QtUi::DoEvents() {
    if (eventsClock_.isValid() && eventsClock_.elapsed() < 30) return;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    eventsClock_.start();
}

// The work runs inside the event that started it. Between its files the windows paint, but no
// input is taken: the progress window has no buttons, and a click meant for the main window waits
// until the work is done.
void QtUi::ShowFileProgress(const platform::FileProgress& progress) {
    if (!workClock_.isValid()) {
        workClock_.start();
        paintClock_.start();
    }
    const bool opening = !progress_ && workClock_.elapsed() >= progressDelay_.count();
    if (opening) {
        progress_ = std::make_unique<frmProgress>(
            pv_.Env.Rnd, QString::fromStdString(" " + pv_.ProgramName + " "), DialogParent());
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->show();
    }
    if (progress_) progress_->Show(progress);
    if (opening || paintClock_.elapsed() >= 30) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        paintClock_.restart();
    }
}

void QtUi::EndFileProgress() {
    progress_.reset();
    workClock_.invalidate();
}

}  // namespace movrand::dialogs
