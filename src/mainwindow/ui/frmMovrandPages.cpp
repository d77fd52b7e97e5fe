// Operations the main window's events lead to on the pages whose own work comes separately:
// the add-on panel and Remove mode, Find Add-Ons and the About box. Each is reached by its route;
// where that work has not arrived yet the operation does nothing, so every control can already be
// used without harm.
#include "mainwindow/ui/frmMovrand.h"

namespace movrand::mainwindow {

// "Cars / Accessories", Add mode: inspects the folder of dir(0) and fills the panel.
void frmMovrand::ShowAddOnFolder() {}

// "Add Files": hands the chosen entry to the installer, then refreshes the panel.
void frmMovrand::AddSelectedFiles() {}

// "Remove Mode...": lists what is installed for the add-on's team and shows the Remove panel.
void frmMovrand::EnterRemoveMode() {}

// "Remove Files": removes the chosen installed add-on.
void frmMovrand::RemoveAddOnFiles() {}

// "Add Mode...": refreshes the Add panel and shows it again.
void frmMovrand::EnterAddMode() {}

// "Update URL": the website address dialog, then the page again when the address changed.
void frmMovrand::UpdateWebsiteAddress() {}

// The one-time connection notice and the first page of the link categories.
void frmMovrand::ConnectToInternet() {}

// chk(1) "Show Add-ons Only": fills the link categories again.
void frmMovrand::FillLinkCategories() {}

// cbo(0): the chosen link category's page, once connected.
void frmMovrand::ShowLinkCategory() {}

// cbo(1): the chosen entry's picture, description and the team's car files.
void frmMovrand::ShowAddOnFiles() {}

// chk(2) "Excl. Generic": the team's car files again.
void frmMovrand::RefreshAddOnFileList() {}

// cbo(2): the chosen installed add-on's description and picture.
void frmMovrand::ShowInstalledItem() {}

// cbo(3): the installed add-ons of the chosen team.
void frmMovrand::ListInstalledItems() {}

// lbl(4), lbl(5) "Movrand": the About box.
void frmMovrand::ShowAboutBox() {}

// lbl(17) "Zorvex": the maker's website in a browser window.
void frmMovrand::OpenWebsite() {}

// pic(0), pic(1): the online help in a browser window.
void frmMovrand::OpenHelp() {}

}  // namespace movrand::mainwindow
