// SPDX-License-Identifier: GPL-3.0-or-later
// The Find Add-Ons page, the browser windows, the website address dialog and the About box on the
// real main window, with a browser that writes down where it was sent instead of loading pages.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "../../mainwindow/ui/WindowFixture.h"
#include "dialogs/ui/frmAboutControls.h"
#include "links/ui/BrowserControl.h"
#include "links/ui/frmURLControls.h"
#include "mainwindow/WindowTitle.h"
#include "platform/SettingsKeys.h"
#include "resources/StringTable.h"
#include "ui/ModalDriver.h"
#ifdef MOVRAND_WEBENGINE_TEST
#include <QProcess>
#include <QRegularExpression>
#include <QWebEngineView>
#endif

namespace movrand::test {
namespace {

namespace url = links::frmURLControls;
namespace about = dialogs::frmAboutControls;

const std::string kSite = "http://127.0.0.1:8000/site";

std::vector<std::pair<QWidget*, std::string>> visits;  // browser control, address

class RecordingEngine : public links::BrowserEngine {
  public:
    using BrowserEngine::BrowserEngine;
    void Navigate(const QUrl& address) override {
        visits.emplace_back(parentWidget(), address.toString().toStdString());
    }
};

class FindAddOnsTest : public WindowFixture {
  protected:
    void SetUp() override {
        links::BrowserControl::UseEngineMaker([](QWidget* p) { return new RecordingEngine(p); });
        Reopen();
    }
    void TearDown() override {
        for (QWidget* w : Browsers()) delete w;
        links::BrowserControl::UseEngineMaker({});
    }
    void Reopen() {
        visits.clear();
        drive.Ui.Messages.clear();
        drive.Pv.WebsiteURL = kSite;
        Open();
    }
    static QWidgetList Browsers() {
        QWidgetList all = QApplication::topLevelWidgets();
        all.removeIf([](QWidget* w) { return w->objectName() != "frmBrowser"; });
        return all;
    }
    std::string LastPage() { return visits.empty() ? "" : visits.back().second; }
    void Do(char action) {
        if (action == 'T')
            Find<QTabWidget>("tabMovrand", tabMovrand::kPages)->setCurrentIndex(tab::kFindAddOns);
        if (action == '0')
            Find<QTabWidget>("tabMovrand", tabMovrand::kPages)
                ->setCurrentIndex(tab::kCarsAccessories);
        if (action == 'Z') Click(window->lbl(lbl::kZorvex));
        if (action == 'H') Click(window->pic(pic::kAddModeHelp));
    }
};

TEST_F(FindAddOnsTest, NoticeAndTitleOnceWhateverLeadsThere) {
    for (const std::string order : {"T0T", "ZT", "HZ0T", "HH"}) {
        Reopen();
        for (char action : order) Do(action);
        ASSERT_EQ(drive.Ui.Messages.size(), 1u) << order;
        EXPECT_EQ(drive.Ui.Messages[0].Width, 7000);
        const std::string title = Text(window->windowTitle());
        EXPECT_EQ(title,
                  mainwindow::WindowTitle() + resources::LoadResString(resources::kConnectedTitle));
        EXPECT_EQ(visits.front().first, window->web(web::kBrowser)) << order;
        EXPECT_EQ(visits.front().second, kSite + "/AddOnsCars.htm") << order;
    }
}

TEST_F(FindAddOnsTest, CategoriesLoadOnlyOnceConnectedAndFollowTheSavedAddress) {
    for (int turn = 0; turn < 2; ++turn) {
        Find<QCheckBox>("chk", chk::kAddOnsOnly)->click();
        EXPECT_EQ(Combo(cbo::kLinkCategories)->count(),
                  Find<QCheckBox>("chk", chk::kAddOnsOnly)->isChecked() ? 8 : 18);
    }
    Choose(cbo::kLinkCategories, "Setups");
    EXPECT_TRUE(visits.empty());
    Do('T');
    Choose(cbo::kLinkCategories, "Setups");
    EXPECT_EQ(LastPage(), kSite + "/AddOnsSetups.htm");

    const auto useDialog = [this](const QString& typed, int button) {
        WhenModal("frmURL", [=](QWidget* dialog) {
            if (button == url::img::kSave) SaveScreenshot(dialog, "frmURL");
            Control<QLineEdit>(dialog, "txt", url::txt::kAddress)->setText(typed);
            Click(Control(dialog, "img", button));
        });
        Find<QPushButton>("cmd", cmd::kUpdateUrl)->click();
    };
    // Saved with the blanks around it and loaded; cancelled; refused; changed in case only; same.
    const struct {
        QString Typed;
        int Button;
        std::string Kept;
        bool Reloads;
    } steps[] = {{"  http://new/site  ", url::img::kSave, "http://new/site", true},
                 {"http://other", url::img::kCancel, "http://new/site", false},
                 {"   ", url::img::kSave, "http://new/site", false},
                 {"HTTP://new/site", url::img::kSave, "HTTP://new/site", true},
                 {"HTTP://new/site", url::img::kSave, "HTTP://new/site", false}};
    for (const auto& step : steps) {
        const std::size_t before = visits.size();
        useDialog(step.Typed, step.Button);
        EXPECT_EQ(drive.Pv.Env.Settings.Get(platform::kSettingsApp, platform::kZorvexSection,
                                            platform::kZorvexURLKey),
                  step.Kept);
        EXPECT_EQ(visits.size(), before + (step.Reloads ? 1 : 0)) << Text(step.Typed);
        EXPECT_EQ(LastPage(), "http://new/site/AddOnsSetups.htm");
    }
    EXPECT_NE(
        drive.Ui.Transcript().find(resources::LoadResString(resources::kWebsiteAddressPrompt)),
        std::string::npos);
}

TEST_F(FindAddOnsTest, HelpAndMakerOpenFurtherWindowsBesideTheMainWindow) {
    window->move(50, 40);
    Do('H');
    Do('H');
    ASSERT_EQ(Browsers().size(), 2);
    for (QWidget* w : Browsers()) {
        EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(55, 44));
        EXPECT_EQ(w->size(), window->size());
        EXPECT_EQ(Text(w->windowTitle()).rfind(" Zorvex's  Halvane  v", 0), 0u);
    }
    EXPECT_EQ(LastPage(), kSite + "/movrandhelpcontents.htm/newdefaultjava.asp");
    Do('Z');
    ASSERT_EQ(Browsers().size(), 3);
    EXPECT_EQ(LastPage(), kSite + "/newdefaultjava.asp");

    // A main window near the screen's far corner: the new window stays within the work area.
    const QRect area = window->screen()->availableGeometry();
    window->move(area.bottomRight() - QPoint(window->width(), window->height()) / 2);
    Do('H');
    ASSERT_EQ(Browsers().size(), 4);
    for (QWidget* w : Browsers())
        EXPECT_TRUE(area.contains(w->frameGeometry())) << Text(w->objectName());
}

TEST_F(FindAddOnsTest, AboutBoxShowsTheVersionAndTellsWhenNoSystemInformationIsFound) {
    WhenModal("frmAbout", [](QWidget* box) {
        EXPECT_EQ(Text(box->windowTitle()), " About Movrand");
        EXPECT_EQ(
            Text(Control<QLabel>(box, "lbl", about::lbl::kVersion)->text()).rfind("Version ", 0),
            0u);
        SaveScreenshot(box, "frmAbout");
        Control<QPushButton>(box, "cmd", about::cmd::kSystemInfo)->click();
        Control<QPushButton>(box, "cmd", about::cmd::kOk)->click();
    });
    Click(window->lbl(lbl::kMovrandShade));
    ASSERT_EQ(drive.Ui.Traps.size(), 1u);
    EXPECT_EQ(drive.Ui.Traps[0].Text, "System Information Is Unavailable At This Time");
}

// The program's own browser on the first connection: the real web engine showing the first
// category's page served by a web server on this machine.
TEST_F(FindAddOnsTest, WebEngineShowsTheFirstCategoryPageFromALocalServer) {
#ifndef MOVRAND_WEBENGINE_TEST
    links::BrowserControl::UseEngineMaker({});
    Do('T');  // built without the web engine: a panel offers the page to the desktop's browser
    auto* address = window->web(web::kBrowser)->findChild<QLabel*>("Address");
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(Text(address->text()), kSite + "/AddOnsCars.htm");
#else
    links::BrowserControl::UseEngineMaker(
        links::ProgramEngineMaker({QStringLiteral(MOVRAND_WEBENGINE_BUILD_DIR)}));
    drive.Write("C:\\site\\AddOnsCars.htm", "<html><head><title>Zorvex Cars</title></head></html>");
    QProcess server;  // ended when the test ends
    server.start("python3", {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory",
                             QString::fromStdString(drive.Native("C:\\site").string())});
    if (!server.waitForReadyRead(20000)) GTEST_SKIP() << "python3 -m http.server did not start";
    const QString port = QRegularExpression("port (\\d+)").match(server.readAll()).captured(1);
    drive.Pv.WebsiteURL = "http://127.0.0.1:" + port.toStdString();
    Do('T');
    auto* view = window->web(web::kBrowser)->findChild<QWebEngineView*>();
    ASSERT_NE(view, nullptr) << "the web engine's library was not loaded";
    int finished = 0;
    bool loaded = false;
    QEventLoop wait;
    QObject::connect(view, &QWebEngineView::loadFinished, [&](bool ok) {
        ++finished, loaded |= ok;
        if (ok) wait.quit();
    });
    QTimer::singleShot(60000, &wait, &QEventLoop::quit);
    wait.exec();
    if (finished == 0)
        GTEST_SKIP() << "the web engine could not start here: no page finished in 60 s";
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Text(view->title()), "Zorvex Cars");
    EXPECT_EQ(Text(view->url().toString()), drive.Pv.WebsiteURL + "/AddOnsCars.htm");
#endif
}

}  // namespace
}  // namespace movrand::test
