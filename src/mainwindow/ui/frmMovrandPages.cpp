// Operations the main window's events lead to on the pages whose own work comes separately:
// Find Add-Ons and the About box. Each is reached by its route; where that work has not arrived
// yet the operation does nothing, so every control can already be used without harm.
#include "mainwindow/ui/frmMovrand.h"

namespace movrand::mainwindow {

// "Update URL": the website address dialog, then the page again when the address changed.
void frmMovrand::UpdateWebsiteAddress() {}

// The one-time connection notice and the first page of the link categories.
void frmMovrand::ConnectToInternet() {}

// chk(1) "Show Add-ons Only": fills the link categories again.
void frmMovrand::FillLinkCategories() {}

// cbo(0): the chosen link category's page, once connected.
void frmMovrand::ShowLinkCategory() {}

// lbl(4), lbl(5) "Movrand": the About box.
void frmMovrand::ShowAboutBox() {}

// lbl(17) "Zorvex": the maker's website in a browser window.
void frmMovrand::OpenWebsite() {}

// pic(0), pic(1): the online help in a browser window.
void frmMovrand::OpenHelp() {}

}  // namespace movrand::mainwindow
