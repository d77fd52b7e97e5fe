#include "dialogs/ui/PlatformMessageBox.h"

#include <QPushButton>

namespace movrand::dialogs {

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
    return box;
}

}  // namespace movrand::dialogs
