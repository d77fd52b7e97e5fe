// SPDX-License-Identifier: GPL-3.0-or-later
// Downloads in the program's browsers and add-on archives arriving by download or drop: the
// recording browser with a download the test plays, the real web engine from a local server.
#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <cstdlib>
#include <fstream>
#include <set>

#include "../../mainwindow/ui/WindowFixture.h"
#include "dialogs/ui/PictureButton.h"
#include "dialogs/ui/frmProgressControls.h"
#include "links/ui/BrowserControl.h"
#include "links/ui/frmDownloadControls.h"
#ifdef MOVRAND_WEBENGINE_TEST
#include <QWebEngineView>
#endif

namespace movrand::test {
namespace {

namespace fs = std::filesystem;

struct PlayedDownload : links::EngineDownload {
    QString Name, Path;
    std::function<void(qint64, qint64)> Progress;
    std::function<void(bool)> Ended;
    bool Cancelled = false;
    QString SuggestedName() const override { return Name; }
    QUrl Address() const override { return {}; }
    void Start(const QString& folder, const QString& file, std::function<void(qint64, qint64)> p,
               std::function<void(bool)> e) override {
        Path = folder + "/" + file, Progress = std::move(p), Ended = std::move(e);
    }
    void Cancel() override { Cancelled = true, Ended(false); }
};

// Lets the program run until `done` holds or `seconds` have passed.
void RunUntil(const std::function<bool()>& done, int seconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < seconds * 1000) {
        QEventLoop wait;
        QTimer::singleShot(20, &wait, &QEventLoop::quit);
        wait.exec();
    }
}

struct SilentEngine : links::BrowserEngine {
    using BrowserEngine::BrowserEngine;
    void Navigate(const QUrl&) override {}
};

class DownloadTest : public WindowFixture {
  protected:
    void SetUp() override {
        links::BrowserControl::UseEngineMaker([](QWidget* p) { return new SilentEngine(p); });
        drive.Write("C:\\addons\\rcx\\zorvexcar.zorvex", "[header]\r\nteam = ferrari\r\n");
        drive.Write("C:\\addons\\pack.zip", "an older download");
        // An add-on archive: one top folder holding the marker and an entry.
        drive.Write(
            "C:\\src\\Pack\\zorvexcar.zorvex",
            "[header]\r\nteam = ferrari\r\n[files]\r\nfile1desc = Red\r\nred = accessory\r\n");
        drive.Write("C:\\src\\Pack\\Red\\a.mip", "red");
        const std::string src = drive.Native("C:\\src").string();
        ASSERT_EQ(
            std::system(("bsdtar -C '" + src + "' -a -cf '" + src + "/pack.zip' Pack").c_str()), 0);
        zip = drive.Read("C:\\src\\pack.zip");
        Open();
        window->dir(dir::kAddOnFolder)
            ->SetPath("C:\\addons\\rcx");  // downloads go beside this add-on folder
        Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kFindAddOns);
    }
    void TearDown() override { links::BrowserControl::UseEngineMaker({}); }
    PlayedDownload* Play(const char* name) {
        auto download = std::make_unique<PlayedDownload>();
        download->Name = name;
        PlayedDownload* played = download.get();
        // (The engine class has no meta-object of its own: findChild would take any widget.)
        for (QWidget* w : window->web(web::kBrowser)->findChildren<QWidget*>())
            if (auto* engine = dynamic_cast<links::BrowserEngine*>(w))
                engine->OnDownload(std::move(download));
        return played;
    }
    QWidget* ProgressWindow() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmDownload" && w->isVisible()) return w;
        return nullptr;
    }
    void ExpectAddModeOn(const std::string& folder) {
        RunUntil([&] { return window->dir(dir::kAddOnFolder)->Path() == folder; }, 5);
        EXPECT_EQ(window->dir(dir::kAddOnFolder)->Path(), folder);
        EXPECT_EQ(window->tabMovrand(tabMovrand::kPages)->currentIndex(), tab::kCarsAccessories);
        EXPECT_TRUE(window->fra(fra::kAddModePanel)->isVisible());
        EXPECT_EQ(Text(window->cbo(cbo::kAddOnFiles)->itemText(0)), "Red") << drive.Ui.Transcript();
    }
    std::string zip;
};

// A name that is taken gets " (2)"; the file is written under a hidden name and takes its own
// name only when whole; Yes unpacks it and shows it in Add mode.
TEST_F(DownloadTest, SavedBesideTheAddOnFolderThenUnpackedOnYes) {
    PlayedDownload* download = Play("pack.zip");
    EXPECT_EQ(Text(download->Path),
              drive.Native("C:\\addons").string() + "/.pack (2).zip.movrand-download");
    QWidget* progress = ProgressWindow();
    ASSERT_NE(progress, nullptr);
    std::ofstream(download->Path.toStdString(), std::ios::binary) << zip;
    download->Progress(zip.size() / 2, zip.size());
    const QLocale locale;
    EXPECT_EQ(
        Control<QLabel>(progress, "lbl", dialogs::frmProgressControls::lbl::kProgress)->text(),
        "Downloading: " + locale.toString(qint64(zip.size() / 2)) + " of " +
            locale.toString(qint64(zip.size())) + " bytes");
    SaveScreenshot(progress, "download-progress");
    EXPECT_FALSE(drive.Exists("C:\\addons\\pack (2).zip"));
    drive.Ui.Answers = {true};
    download->Ended(true);
    EXPECT_EQ(drive.Read("C:\\addons\\pack (2).zip"), zip);
    EXPECT_FALSE(fs::exists(download->Path.toStdString()));
    EXPECT_EQ(ProgressWindow(), nullptr);
    ExpectAddModeOn("C:\\addons\\pack (2)");
    ASSERT_EQ(drive.Ui.Questions.size(), 1u);
    EXPECT_EQ(drive.Ui.Questions[0].Message,
              "Unpack the archive \"pack (2).zip\" into an add-on folder beside it?");
}

// A download that is not an archive stays where it was saved, and the player is told where.
TEST_F(DownloadTest, AFileThatIsNoArchiveIsNamedWithItsFolder) {
    drive.Ui.Messages.clear();  // the connection notice
    PlayedDownload* download = Play("notes.txt");
    std::ofstream(download->Path.toStdString()) << "setup notes";
    download->Ended(true);
    RunUntil([&] { return !drive.Ui.Messages.empty(); }, 5);
    EXPECT_EQ(drive.Read("C:\\addons\\notes.txt"), "setup notes");
    ASSERT_EQ(drive.Ui.Messages.size(), 1u) << drive.Ui.Transcript();
    EXPECT_EQ(drive.Ui.Messages[0].Text, "\"notes.txt\" was saved in the folder C:\\addons.");
    EXPECT_TRUE(drive.Ui.Questions.empty());
}

// Cancel in the progress window (its button, Escape, its close button), or a download that
// fails, leaves nothing, neither the file nor the engine's part of it. The button has room.
TEST_F(DownloadTest, CancelledOrFailedLeavesNothing) {
    for (const char* way : {"button", "Escape", "close", "failed"}) {
        const bool cancel = std::string(way) != "failed";
        drive.Ui.Messages.clear();
        PlayedDownload* download = Play("big.zip");
        std::ofstream(download->Path.toStdString()) << "part";
        std::ofstream(download->Path.toStdString() + ".download") << "part";
        QWidget* window = ProgressWindow();
        auto* button = Control<dialogs::PictureButton>(window, "img",
                                                       links::frmDownloadControls::img::kCancel);
        const QRect ring = button->geometry().adjusted(-3, -3, 3, 3);
        EXPECT_TRUE(window->rect().adjusted(4, 4, -4, -4).contains(ring)) << way;
        EXPECT_FALSE(ring.intersects(
            Control(window, "prg", dialogs::frmProgressControls::prg::kBar)->geometry()));
        if (std::string(way) == "button") button->Press();
        if (std::string(way) == "Escape") PressKey(window, Qt::Key_Escape);
        if (std::string(way) == "close") window->close();
        if (!cancel) download->Ended(false);
        EXPECT_EQ(download->Cancelled, cancel);
        EXPECT_FALSE(fs::exists(download->Path.toStdString())) << way;
        EXPECT_FALSE(fs::exists(download->Path.toStdString() + ".download")) << way;
        EXPECT_FALSE(drive.Exists("C:\\addons\\big.zip"));
        EXPECT_EQ(ProgressWindow(), nullptr);
        EXPECT_EQ(drive.Ui.Messages.size(), cancel ? 0u : 1u) << drive.Ui.Transcript();
    }
    EXPECT_TRUE(drive.Ui.Questions.empty());
}

// An archive dropped onto the main window is offered as a download is; another file is not.
TEST_F(DownloadTest, ADroppedArchiveIsOfferedToo) {
    drive.Ui.Answers = {true};
    for (const char* file : {"C:\\src\\Pack\\Red\\a.mip", "C:\\src\\pack.zip"}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(drive.Native(file).string()))});
        // The source offers a move first: the file is taken as a copy all the same.
        const Qt::DropActions offered = Qt::MoveAction | Qt::CopyAction;
        QDragEnterEvent enter({10, 10}, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
        QDropEvent drop({10, 10}, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
        QApplication::processEvents();
    }
    QDragEnterEvent moveOnly({10, 10}, Qt::MoveAction, new QMimeData, Qt::LeftButton,
                             Qt::NoModifier);
    QApplication::sendEvent(window.get(), &moveOnly);
    EXPECT_FALSE(moveOnly.isAccepted());
    EXPECT_NE(drive.Ui.Transcript().find("a.mip\" is not an archive"), std::string::npos);
    ExpectAddModeOn("C:\\src\\pack (2)");  // "Pack" is there already
}

// The real web engine: a download link from a local server ends in Add mode, and an address
// nobody answers shows the program's own page.
TEST_F(DownloadTest, TheWebEngineDownloadsFromALocalServer) {
#ifndef MOVRAND_WEBENGINE_TEST
    GTEST_SKIP() << "built without the web engine";
#else
    links::BrowserControl::UseEngineMaker(
        links::ProgramEngineMaker({QStringLiteral(MOVRAND_WEBENGINE_BUILD_DIR)}));
    drive.Write("C:\\site\\pack.zip", zip);
    QProcess server;
    server.start("python3", {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory",
                             QString::fromStdString(drive.Native("C:\\site").string())});
    if (!server.waitForReadyRead(20000)) GTEST_SKIP() << "python3 -m http.server did not start";
    const QString port = QRegularExpression("port (\\d+)").match(server.readAll()).captured(1);
    auto* browser = new links::BrowserControl(window.get());
    browser->Navigate("http://127.0.0.1:1/nobody");
    auto* view = browser->findChild<QWebEngineView*>();
    ASSERT_NE(view, nullptr) << "the web engine's library was not loaded";
    RunUntil([&] { return view->title() == "The website cannot be reached"; }, 60);
    if (view->title() != "The website cannot be reached" && view->title().isEmpty())
        GTEST_SKIP() << "the web engine could not start here: no page in 60 s";
    EXPECT_EQ(Text(view->title()), "The website cannot be reached");
    drive.Ui.Answers = {true};
    browser->Navigate("http://127.0.0.1:" + port.toStdString() + "/pack.zip");
    RunUntil([&] { return !drive.Ui.Questions.empty(); }, 30);
    EXPECT_EQ(drive.Read("C:\\addons\\pack (2).zip"), zip);
    ExpectAddModeOn("C:\\addons\\pack (2)");
    std::set<std::string> left;  // no temporary file of the engine or of the program
    for (const auto& item : fs::directory_iterator(drive.Native("C:\\addons")))
        left.insert(item.path().filename());
    EXPECT_EQ(left, (std::set<std::string>{"pack (2)", "pack (2).zip", "pack.zip", "rcx"}));
#endif
}

}  // namespace
}  // namespace movrand::test
