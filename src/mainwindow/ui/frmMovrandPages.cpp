// SPDX-License-Identifier: GPL-3.0-or-later
// Operations of the "Find Add-Ons" page, the maker's name, the help buttons and the About box.
#include "dialogs/ui/frmAbout.h"
#include "links/InternetConnection.h"
#include "links/LinkCategories.h"
#include "links/WebsiteAddress.h"
#include "links/ui/BrowserControl.h"
#include "links/ui/frmBrowser.h"
#include "links/ui/frmURL.h"
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/frmMovrand.h"

namespace movrand::mainwindow {

using platform::TrapForm;

namespace {
links::BrowserControl* Browser(QFrame* web) {
    return static_cast<links::BrowserControl*>(web);
}
}  // namespace

// "Update URL": the website address dialog, then the page again when the address changed.
void frmMovrand::UpdateWebsiteAddress() {
    links::UpdateWebsiteAddress(
        pv_, [this] { links::ShowURLDialog(pv_, ui_, this); }, S(cbo(0)->currentText()),
        [this](const std::string& address) { Browser(web(0))->Navigate(address); });
}

// The one-time connection notice and the first page of the link categories.
void frmMovrand::ConnectToInternet() {
    Trapped(TrapForm::Common, [&] {
        links::ConnectionSteps steps;
        steps.FillLinkCategories = [this] { FillLinkCategories(); };
        steps.ShowLinkCategory = [this] { ShowLinkCategory(); };
        steps.AppendToTitle = [this](const std::string& text) {
            setWindowTitle(windowTitle() + Q(text));
        };
        links::ConnectToInternet(blnConnected, steps, ui_);
    });
}

// chk(1) "Show Add-ons Only": fills the link categories again and selects the first, which
// loads its page once connected.
void frmMovrand::FillLinkCategories() {
    Trapped(TrapForm::Common, [&] {
        cbo(0)->clear();
        for (const std::string& entry : links::LinkCategoryEntries(chk(1)->isChecked()))
            cbo(0)->addItem(Q(entry));
        SelectEntry(0, 0);
    });
}

// cbo(0): the chosen link category's page, once connected.
void frmMovrand::ShowLinkCategory() {
    Trapped(TrapForm::Information, [&] {
        if (!blnConnected) return;
        Browser(web(0))->Navigate(links::PageAddress(pv_.WebsiteURL, S(cbo(0)->currentText())));
    });
}

// lbl(4), lbl(5) "Movrand": the About box.
void frmMovrand::ShowAboutBox() {
    dialogs::frmAbout about(pv_, ui_, this);
    about.Form_Load();
    about.exec();
}

// lbl(17) "Zorvex": the maker's website in a maximised browser window.
void frmMovrand::OpenWebsite() {
    Trapped(TrapForm::Information, [&] {
        ConnectToInternet();
        const links::WindowPlace place = links::PlaceOfWindow(this);
        links::OpenBrowserWindow(pv_.WebsiteURL, place.Left, place.Top, place.Width, place.Height,
                                 true);
    });
}

// pic(0), pic(1): the online help in a browser window.
void frmMovrand::OpenHelp() {
    Trapped(TrapForm::Common, [&] {
        ConnectToInternet();
        const links::WindowPlace place = links::PlaceOfWindow(this);
        links::OpenBrowserWindow(links::HelpAddress(pv_.WebsiteURL), place.Left, place.Top,
                                 place.Width, place.Height, false);
    });
}

}  // namespace movrand::mainwindow
