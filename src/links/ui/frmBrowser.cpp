// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/ui/frmBrowser.h"

#include <QResizeEvent>
#include <cmath>

#include "dialogs/ui/DialogPlacement.h"
#include "dialogs/ui/Twips.h"
#include "links/LinkCategories.h"
#include "platform/VersionRecord.h"
#include "resources/PictureIds.h"
#include "resources/ui/Pictures.h"

namespace movrand::links {

std::string BrowserCaption() {
    const auto& v = platform::kVersion;
    return std::string(" Zorvex's  Halvane") + "  v" + std::to_string(v.Major) + "." +
           std::to_string(v.Minor) + "." + std::to_string(v.Revision) + "  - Browser";
}

frmBrowser::frmBrowser() {
    setObjectName(QStringLiteral("frmBrowser"));
    setAttribute(Qt::WA_DeleteOnClose);
    web_ = new BrowserControl(this);
    web_->setObjectName(QStringLiteral("web"));
    web_->setAccessibleName(QStringLiteral("Browser"));
}

void frmBrowser::Form_Load() {
    setWindowIcon(resources::LoadResIcon(resources::kProgramIcon));
    setWindowTitle(QString::fromStdString(BrowserCaption()));
    web_->Navigate(url_);
}

void frmBrowser::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isMinimized()) web_->setGeometry(contentsRect());
}

WindowPlace PlaceOfWindow(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    return {dialogs::TwipsX(frame.left()), dialogs::TwipsY(frame.top()),
            dialogs::TwipsX(window->width()), dialogs::TwipsY(window->height())};
}

void OpenBrowserWindow(const std::string& address, int left, int top, int width, int height,
                       bool maximized) {
    auto* window = new frmBrowser;
    window->SetURL(BrowserWindowAddress(address));
    window->show();
    window->Form_Load();
    const auto scaled = [](int twips) { return static_cast<int>(std::lround(twips * 1.1)); };
    window->move(dialogs::TwipsPoint(scaled(left), scaled(top)));
    window->resize(dialogs::TwipsSize(width, height));
    // Opened down and to the right of the main window: on a small screen it could reach past it.
    dialogs::KeepOnScreen(*window);
    if (maximized) window->showMaximized();
}

}  // namespace movrand::links
