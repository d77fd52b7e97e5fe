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
        pv_, [this] { links::ShowURLDialog(pv_, ui_, this); },
        S(cbo(cbo::kLinkCategories)->currentText()),
        [this](const std::string& address) { Browser(web(web::kBrowser))->Navigate(address); });
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

// chk::kAddOnsOnly "Show Add-ons Only": fills the link categories again and selects the first,
// which loads its page once connected.
void frmMovrand::FillLinkCategories() {
    Trapped(TrapForm::Common, [&] {
        cbo(cbo::kLinkCategories)->clear();
        for (const std::string& entry :
             links::LinkCategoryEntries(chk(chk::kAddOnsOnly)->isChecked()))
            cbo(cbo::kLinkCategories)->addItem(Q(entry));
        SelectEntry(cbo::kLinkCategories, 0);
    });
}

// cbo::kLinkCategories: the chosen link category's page, once connected.
void frmMovrand::ShowLinkCategory() {
    Trapped(TrapForm::Information, [&] {
        if (!blnConnected) return;
        Browser(web(web::kBrowser))
            ->Navigate(
                links::PageAddress(pv_.WebsiteURL, S(cbo(cbo::kLinkCategories)->currentText())));
    });
}

// lbl::kMovrand "Movrand" and its shade: the About box.
void frmMovrand::ShowAboutBox() {
    dialogs::frmAbout about(pv_, ui_, this);
    about.Form_Load();
    about.exec();
}

// lbl::kZorvex "Zorvex": the maker's website in a maximised browser window.
void frmMovrand::OpenWebsite() {
    Trapped(TrapForm::Information, [&] {
        ConnectToInternet();
        const links::WindowPlace place = links::PlaceOfWindow(this);
        links::OpenBrowserWindow(pv_.WebsiteURL, place.Left, place.Top, place.Width, place.Height,
                                 true);
    });
}

// pic::kRemoveModeHelp, pic::kAddModeHelp: the online help in a browser window.
void frmMovrand::OpenHelp() {
    Trapped(TrapForm::Common, [&] {
        ConnectToInternet();
        const links::WindowPlace place = links::PlaceOfWindow(this);
        links::OpenBrowserWindow(links::HelpAddress(pv_.WebsiteURL), place.Left, place.Top,
                                 place.Width, place.Height, false);
    });
}

}  // namespace movrand::mainwindow
