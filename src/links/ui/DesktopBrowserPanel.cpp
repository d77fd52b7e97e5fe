// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/ui/DesktopBrowserPanel.h"

#include <QDesktopServices>
#include <QVBoxLayout>

namespace movrand::links {

DesktopBrowserPanel::DesktopBrowserPanel(QWidget* parent) : BrowserEngine(parent) {
    setObjectName(QStringLiteral("DesktopBrowserPanel"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("This page opens in your desktop's web browser:"), this);
    shown_ = new QLabel(this);
    shown_->setObjectName(QStringLiteral("Address"));
    shown_->setAccessibleName(QStringLiteral("Address"));
    shown_->setTextFormat(Qt::PlainText);
    shown_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    shown_->setWordWrap(true);
    shown_->setAlignment(Qt::AlignCenter);
    open_ = new QPushButton(QStringLiteral("Open in Web Browser"), this);
    open_->setObjectName(QStringLiteral("OpenInWebBrowser"));
    layout->addStretch();
    layout->addWidget(note, 0, Qt::AlignHCenter);
    layout->addWidget(shown_);
    layout->addWidget(open_, 0, Qt::AlignHCenter);
    layout->addStretch();
    connect(open_, &QPushButton::clicked, this, [this] { QDesktopServices::openUrl(address_); });
}

void DesktopBrowserPanel::Navigate(const QUrl& address) {
    address_ = address;
    shown_->setText(address.toString());
}

}  // namespace movrand::links
