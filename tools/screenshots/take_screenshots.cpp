// SPDX-License-Identifier: GPL-3.0-or-later
// Takes pictures of the real desktop program for the README:
//   take-screenshots pages|message|question OUT
//   pages    one picture per page of the main window, named after the tab's caption
//            ("Car Folders" -> car-folders.png); the settings first point the pages at the demo's
//            add-on folder and stored car folder, as a returning user would have them; the
//            History page a second time with its oldest step selected and its files shown
//            (history-step.png).
//            With MOVRAND_SCREENSHOT_CARSET set, also car-set-compare.png: "Car Folders" after
//            "Compare with Car Set..." took the first set of the installation's carsets folder.
//   message  message.png: the first window the start-up shows (run it where no driver.ini is
//            found); every later window is cancelled, so the program ends by itself.
//   question check-for-changes.png and undo-question.png: on the History page, "Check for
//            Changes" and then "Undo Last" over a step whose files were changed by hand since
//            (scripts/screenshots makes it): the page with what the check found, and the question.
//            The question is answered No, so nothing is undone.
// Everything else is the program's own start: the same start-up, windows and event loop. Any
// window that opens over the pictures' way (a question, a notice) is closed.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <string>

#include "app/ui/DesktopProgram.h"
#include "dialogs/ui/FileListBox.h"
#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/frmYesNoControls.h"
#include "links/ui/BrowserControl.h"
#include "mainwindow/MainWindowControls.h"
#include "platform/SettingsStore.h"

namespace {

enum class Mode { Pages, Message, Question };
Mode g_mode = Mode::Pages;
QString g_out;
bool g_messageTaken = false;
bool g_pagesTaken = false;
bool g_pickFirstFile = false;  // the next file picker takes its first file

// In question mode, how each window that opens is met, in turn: photographed under `picture`
// (unless empty), then answered Yes or closed.
struct Meeting {
    QString picture;
    bool yes;
};
std::deque<Meeting> g_meetings;
int g_questionsTaken = 0;

// Lets the window system and deferred work settle for `ms` milliseconds.
void Settle(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// What the X server shows of the window, so that content drawn with OpenGL (a web view) is in
// the picture too; on other platforms the widget's own rendering.
QPixmap PictureOf(QWidget& widget) {
    if (QGuiApplication::platformName() == "xcb") {
        if (QScreen* screen = widget.screen()) {
            const QPixmap shown = screen->grabWindow(widget.winId());
            if (!shown.isNull()) return shown;
        }
    }
    return widget.grab();
}

// The window as the user sees it when it opens over the desktop: active, so that its focus
// mark shows (Xvfb has no window manager to make it so).
void Activate(QWidget& window) {
    window.activateWindow();
    for (int i = 0; i < 100 && !window.isActiveWindow(); ++i) Settle(20);
    if (!window.isActiveWindow())
        std::cout << "take-screenshots: " << window.objectName().toStdString()
                  << " did not become the active window; its focus mark may not show\n";
}

bool Save(QWidget& widget, const QString& name) {
    const QString file = QDir(g_out).filePath(name);
    const QImage picture = PictureOf(widget).toImage().convertToFormat(QImage::Format_RGB32);
    const bool saved = picture.save(file, "PNG", 9);
    std::cout << (saved ? "wrote " : "could not write ") << file.toStdString() << "\n";
    return saved;
}

// "Cars / Accessories" -> "cars-accessories.png".
QString FileNameOf(const QString& caption) {
    QString name;
    for (const QChar c : caption.toLower()) {
        if (c.isLetterOrNumber())
            name += c;
        else if (!name.isEmpty() && !name.endsWith('-'))
            name += '-';
    }
    while (name.endsWith('-')) name.chop(1);
    return name + ".png";
}

// What a window says, for the log: its name and its texts.
std::string TextOf(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (!label->text().trimmed().isEmpty()) texts << label->text().simplified();
    return (window.objectName() + " \"" + texts.join(" / ") + "\"").toStdString();
}

// Watches for modal windows: in message mode the first is photographed; every one is closed,
// and named on the way, since a start-up that ends after one ends without its pictures.
void WatchModalWindows() {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        if (g_pickFirstFile && modal->objectName() == "frmFile") {
            g_pickFirstFile = false;
            if (auto* files = modal->findChild<movrand::dialogs::FileListBox*>("fle(0)");
                files && files->count() > 0) {
                files->setCurrentRow(0);
                emit files->clicked();
                emit files->doubleClicked();
                return;
            }
        }
        // The progress window of long work is no question: it closes by itself.
        if (modal->objectName() == "frmProgress") return;
        if (g_mode == Mode::Question && !g_meetings.empty()) {
            const Meeting meeting = g_meetings.front();
            g_meetings.pop_front();
            timer->stop();
            if (!meeting.picture.isEmpty()) {
                Activate(*modal);
                Settle(300);
                g_questionsTaken += Save(*modal, meeting.picture);
            }
            timer->start();
            namespace yesno = movrand::dialogs::frmYesNoControls;
            const QString yes = QStringLiteral("img(%1)").arg(yesno::img::kYes);
            if (auto* button = modal->findChild<movrand::dialogs::PictureButton*>(yes);
                meeting.yes && button) {
                button->Press();
                return;
            }
        } else if (g_mode == Mode::Message && !g_messageTaken) {
            g_messageTaken = true;
            timer->stop();  // the settling below runs this timer's events too
            Activate(*modal);
            Settle(300);
            Save(*modal, "message.png");
            timer->start();
        } else {
            std::cout << "take-screenshots: closing " << TextOf(*modal) << "\n";
        }
        modal->close();
    });
    timer->start(100);
}

void PhotographPages(QWidget& window) {
    Settle(500);
    auto* tabs = window.findChild<QTabWidget*>();
    if (!tabs) {
        std::cerr << "take-screenshots: the main window has no tab control\n";
        QApplication::exit(1);
        return;
    }
    bool saved = true;
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        Settle(1000);
        Activate(window);  // again after a message window that opened over it
        saved = Save(window, FileNameOf(tabs->tabText(i))) && saved;
        // The History page once more with an older step selected: the files it changed.
        auto* steps = tabs->widget(i)->findChild<QListWidget*>("lst(1)");
        if (steps && steps->count() > 2) {
            steps->setCurrentRow(steps->count() - 2);
            Settle(500);
            saved = Save(window, FileNameOf(tabs->tabText(i)).chopped(4) + "-step.png") && saved;
        }
    }
    if (std::getenv("MOVRAND_SCREENSHOT_CARSET")) {
        tabs->setCurrentIndex(1);  // "Car Folders"
        Settle(500);
        if (auto* compare = window.findChild<QPushButton*>("cmd(18)")) {
            g_pickFirstFile = true;
            compare->click();  // the picker and the comparison run before it returns
        }
        Settle(1000);
        Activate(window);
        saved = Save(window, "car-set-compare.png") && saved;
    }
    tabs->setCurrentIndex(0);
    g_pagesTaken = saved;
    QApplication::exit(saved ? 0 : 1);
}

// The History page's lists of files changed by hand: what the check found, in the list beside
// the steps, then the undo's question about them (its first question, how many files it
// changes, answered Yes).
void PhotographQuestions(QWidget& window) {
    namespace controls = movrand::mainwindow::controls;
    Settle(500);
    auto* tabs = window.findChild<QTabWidget*>();
    if (tabs) tabs->setCurrentIndex(controls::tab::kHistory);
    Settle(500);
    const auto button = [&window](int index) {
        return window.findChild<QWidget*>(QStringLiteral("cmd(%1)").arg(index));
    };
    QWidget* check = button(controls::cmd::kCheckForChanges);
    QWidget* undo = button(controls::cmd::kUndoLast);
    if (!check || !undo) {
        std::cerr << "take-screenshots: the History page has no Check or Undo button\n";
        QApplication::exit(1);
        return;
    }
    QMetaObject::invokeMethod(check, "click");
    Settle(500);
    Activate(window);
    g_questionsTaken += Save(window, "check-for-changes.png");
    g_meetings = {{"", true}, {"undo-question.png", false}};
    QMetaObject::invokeMethod(undo, "click");
    QApplication::exit(g_questionsTaken == 2 ? 0 : 1);
}

void PointPagesAtTheDemo() {
    auto settings = movrand::platform::SettingsStore::FromEnvironment();
    settings.Save("Zorvex", "Movrand", "CarManagerDirectory", "C:\\addons\\Ferrari 312 Classic");
    settings.Save("Zorvex", "Movrand", "AddOnCarFolder", "C:\\carfolders\\cars67_classic");
    settings.Save("Zorvex", "Movrand", "CarFolder", "C:\\carfolders");
    // A local stand-in for the maker's website, so the Find Add-Ons page shows a page offline.
    if (const char* site = std::getenv("MOVRAND_SCREENSHOT_SITE"))
        settings.Save("Zorvex", "Zorvex", "ZorvexURL", site);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchModalWindows)

int main(int argc, char* argv[]) {
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "pages" && mode != "message" && mode != "question") {
        std::cerr << "usage: take-screenshots pages|message|question OUTPUT_FOLDER\n";
        return 2;
    }
    g_mode = mode == "pages" ? Mode::Pages : mode == "message" ? Mode::Message : Mode::Question;
    g_out = QString::fromLocal8Bit(argv[2]);
    if (g_mode == Mode::Pages) PointPagesAtTheDemo();
#ifdef MOVRAND_WEBENGINE_BUILD_DIR
    // The program finds the web engine's library beside itself; this tool sits elsewhere.
    movrand::links::BrowserControl::UseEngineMaker(
        movrand::links::ProgramEngineMaker({QStringLiteral(MOVRAND_WEBENGINE_BUILD_DIR)}));
#endif
    char* programArgs[] = {argv[0], nullptr};
    int programArgc = 1;
    const int status = movrand::RunDesktopProgram(programArgc, programArgs, [](QWidget& window) {
        if (g_mode == Mode::Pages)
            QTimer::singleShot(0, &window, [&window] { PhotographPages(window); });
        else if (g_mode == Mode::Question)
            QTimer::singleShot(0, &window, [&window] { PhotographQuestions(window); });
        else
            QTimer::singleShot(0,
                               [] { QApplication::exit(0); });  // found an installation after all
    });
    if (g_mode == Mode::Message && !g_messageTaken) {
        std::cerr << "take-screenshots: the start-up showed no message window (it ended with "
                  << status << ")\n";
        return 1;
    }
    if (g_mode == Mode::Question && g_questionsTaken != 2) {
        std::cerr << "take-screenshots: the program ended with " << status
                  << " before both lists of files changed by hand were taken\n";
        return status == 0 ? 1 : status;
    }
    if (g_mode == Mode::Pages && !g_pagesTaken) {
        std::cerr << "take-screenshots: the program ended with " << status
                  << " before all its pages were taken\n";
        return status == 0 ? 1 : status;
    }
    return status;
}
