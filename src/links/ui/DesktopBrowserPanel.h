// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "links/ui/BrowserEngine.h"

namespace movrand::links {

// The browser of a build without the web engine: shows the address it was sent to and opens it
// in the desktop's own browser at the press of a button.
class DesktopBrowserPanel : public BrowserEngine {
    Q_OBJECT
  public:
    explicit DesktopBrowserPanel(QWidget* parent);
    void Navigate(const QUrl& address) override;

  private:
    QUrl address_;
    QLabel* shown_;
    QPushButton* open_;
};

}  // namespace movrand::links
