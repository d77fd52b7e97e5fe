// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/ui/BrowserControl.h"

#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "links/UnreachablePage.h"

namespace movrand::links {

namespace {
BrowserEngineMaker& ChosenMaker() {
    static BrowserEngineMaker maker;
    return maker;
}
DownloadTarget& ChosenTarget() {
    static DownloadTarget target;
    return target;
}
}  // namespace

void BrowserControl::UseDownloadTarget(DownloadTarget target) {
    ChosenTarget() = std::move(target);
}

BrowserControl::BrowserControl(QWidget* parent) : QFrame(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* back = new QPushButton(QStringLiteral("Back"), this);
    back->setObjectName(QStringLiteral("Back"));
    back->setToolTip(QStringLiteral(" Back to the Page Before (Alt+Left) "));
    back->setAccessibleDescription(back->toolTip());
    back->hide();  // until there is a page
    connect(back, &QPushButton::clicked, this, &BrowserControl::Back);
    layout->addWidget(back, 0, Qt::AlignLeft);
    back_ = back;
    auto* keys = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
    keys->setContext(Qt::WidgetWithChildrenShortcut);
    connect(keys, &QShortcut::activated, this, &BrowserControl::Back);
}

void BrowserControl::Back() {
    if (engine_) engine_->Back();
}

void BrowserControl::UseEngineMaker(BrowserEngineMaker maker) {
    ChosenMaker() = std::move(maker);
}

QUrl BrowserControl::AddressUrl(const std::string& address) {
    QString text = QString::fromStdString(address).trimmed();
    if (text.isEmpty()) return QUrl(QStringLiteral("about:blank"));
    const QString lower = text.toLower();
    if (lower.startsWith(QLatin1String("http:")) || lower.startsWith(QLatin1String("https:")))
        text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QUrl::fromUserInput(text);
}

void BrowserControl::Navigate(const std::string& address) {
    if (!engine_) {
        if (!ChosenMaker()) ChosenMaker() = ProgramEngineMaker();
        engine_ = ChosenMaker()(this);
        engine_->OnDownload = [](std::unique_ptr<EngineDownload> download) {
            if (ChosenTarget().Folder) SaveDownload(ChosenTarget(), std::move(download));
        };
        engine_->UnreachablePage = [](const QUrl& address) {
            return QString::fromStdString(
                UnreachablePage(address.toString(QUrl::RemovePassword).toStdString()));
        };
        layout()->addWidget(engine_);
        engine_->show();
        back_->show();
        layout()->activate();
    }
    engine_->Navigate(AddressUrl(address));
}

}  // namespace movrand::links
