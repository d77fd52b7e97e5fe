// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/DesktopProgram.h"

#include <QApplication>
#include <QWidget>
#include <chrono>
#include <memory>
#include <system_error>

#include "app/ui/FontConfigurationWarmUp.h"
#include "dialogs/ui/NamedComboAccessible.h"
#include "dialogs/ui/QtUi.h"
#include "dialogs/ui/WholeFrameStyle.h"
#include "mainwindow/ui/MainWindowOpener.h"
#include "platform/ErrorTrap.h"
#include "platform/FileSystemErrors.h"
#include "platform/ProgramLock.h"
#include "resources/StringTable.h"
#include "session/LeftoverSweep.h"
#include "session/Main.h"

namespace movrand {

namespace {

// How long a start waits for a movrand-cli command to finish before it says that Movrand is
// already running.
constexpr std::chrono::seconds kLockWait{2};

}  // namespace

int RunDesktopProgram(int argc, char* argv[], const std::function<void(QWidget&)>& shown) {
    FontConfigurationWarmUp fonts;
    QApplication app(argc, argv);
    // The menu entry's name: Wayland matches the window to it (and so to its icon) by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("movrand"));
    dialogs::WholeFrameStyle::Install();
    dialogs::InstallNamedComboAccessible();
    ProgramValues pv;
    pv.Env = platform::Environment::FromProcessEnvironment();
    // A message before the main window (no driver.ini found) may read the font configuration
    // itself while the warm-up still runs; fontconfig settles that race on its own.
    dialogs::QtUi ui(pv);
    // Held for the whole run: one Movrand at a time works on the program's folder and the
    // installation, and nothing is read before this run holds them.
    const platform::ProgramLock lock =
        platform::ProgramLock::Take(pv.Env.NativeProgramFolder(), kLockWait);
    if (lock.Result() != platform::ProgramLock::State::Held) {
        pv.ProgramName = resources::LoadResString(resources::kProgramName);
        if (lock.Result() == platform::ProgramLock::State::Busy) {
            ui.ShowMessage(pv.ProgramName + " is already running.");
        } else {
            const platform::RuntimeError error = platform::ErrorFromCode(
                std::error_code(lock.Error(), std::generic_category()), true);
            platform::ReportTrappedError(ui, platform::TrapForm::Information, pv.ProgramName,
                                         error.Number(), error.Description());
        }
        return 3;  // as movrand-cli ends when another Movrand holds the lock
    }
    std::unique_ptr<QWidget> window;
    StartUpChoices choices;
    choices.SweepLeftovers = false;  // after the first picture, below
    const StartedRun run = StartUp(pv, ui, choices, [&] {
        fonts.Wait();
        window = mainwindow::OpenMainWindow(pv, ui, [&pv] { SweepLeftoverTemporaries(pv); });
        if (shown) shown(*window);
    });
    if (run.How != StartedRun::End::Ready) return EndedStartStatus(pv);
    return app.exec();
}

}  // namespace movrand
