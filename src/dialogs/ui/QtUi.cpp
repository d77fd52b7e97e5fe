#include "dialogs/ui/QtUi.h"

#include <QApplication>

#include "dialogs/ui/PlatformMessageBox.h"
#include "dialogs/ui/frmFile.h"
#include "dialogs/ui/frmMsgBox.h"
#include "dialogs/ui/frmTeamFolder.h"
#include "dialogs/ui/frmYesNo.h"
#include "resources/StringTable.h"

namespace movrand::dialogs {

namespace {
std::unique_ptr<ProgramValues> ValuesFromEnvironment() {
    auto pv = std::make_unique<ProgramValues>();
    pv->Env = platform::Environment::FromProcessEnvironment();
    pv->Env.Rnd.SeedFromTimer();
    pv->ProgramName = resources::LoadResString(102);
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
    frmMsgBox box(pv_.Env.Rnd, DialogParent());
    box.SetMessage(message);
    box.Load();
    if (widthTwips > 0 || heightTwips > 0) box.Move(widthTwips, heightTwips);
    box.exec();
}

bool QtUi::AskYesNo(const platform::Question& question) {
    frmYesNo window(pv_.Env.Rnd, DialogParent());
    window.SetMessage(question.Message);
    window.SetMyWidth(question.MyWidth);
    window.SetMyHeight(question.MyHeight);
    window.SetYesTooltip(question.YesTooltip);
    window.SetNoTooltip(question.NoTooltip);
    window.Load();
    window.exec();
    return window.Yes();
}

std::string QtUi::SelectTeam() {
    frmTeamFolder window(pv_, *this, DialogParent());
    window.Load();
    window.exec();
    return window.Team();
}

std::string QtUi::SelectFile(const std::string& path, const std::string& pattern,
                             const std::string& caption) {
    frmFile window(pv_, *this, DialogParent());
    window.SetPath(path);
    window.SetPattern(pattern);
    window.SetTopCaption(caption);
    window.Load();
    window.exec();
    return window.FileSelected() ? window.PathLine() : std::string();
}

void QtUi::ShowPlatformMessage(const std::string& text, platform::MessageIcon icon,
                               const std::string& title) {
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

void QtUi::DoEvents() {
    QApplication::processEvents();
}

}  // namespace movrand::dialogs
