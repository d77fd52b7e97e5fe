// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/PlatformMessageBox.h"

#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>

namespace movrand::dialogs {

namespace {
// Room on the title bar for the window's icon and its buttons, in pixels.
constexpr int kTitleBarButtons = 160;
}  // namespace

std::unique_ptr<QMessageBox> MakePlatformMessageBox(const std::string& text,
                                                    platform::MessageIcon icon,
                                                    const std::string& title, QWidget* parent) {
    const QMessageBox::Icon shown =
        icon == platform::MessageIcon::Information ? QMessageBox::Information
        : icon == platform::MessageIcon::Critical  ? QMessageBox::Critical
                                                   : QMessageBox::NoIcon;
    // The reports break their lines with CR LF; a label wants a plain line feed.
    QString shownText = QString::fromStdString(text);
    shownText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    auto box = std::make_unique<QMessageBox>(shown, QString::fromStdString(title), shownText,
                                             QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("PlatformMessageBox"));
    box->setTextFormat(Qt::PlainText);
    box->button(QMessageBox::Ok)->setObjectName(QStringLiteral("OK"));
    // The box sizes itself by its text alone; a short report ("53 File not found") would leave
    // too little of the title bar for the title beside the window's own buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        const int titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
        grid->addItem(new QSpacerItem(titleWidth + kTitleBarButtons, 0, QSizePolicy::Minimum,
                                      QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

}  // namespace movrand::dialogs
