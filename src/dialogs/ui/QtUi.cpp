#include "dialogs/ui/QtUi.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace movrand::dialogs {

namespace {
QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
}  // namespace

void QtUi::ShowMessage(const std::string& message, int, int) {
    QMessageBox box(QMessageBox::NoIcon, QString(), Q(message).trimmed(), QMessageBox::Ok);
    box.exec();
}

bool QtUi::AskYesNo(const platform::Question& question) {
    QMessageBox box(QMessageBox::NoIcon, QString(), Q(question.Message).trimmed(),
                    QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::string QtUi::SelectTeam() {
    bool ok = false;
    const QString team = QInputDialog::getItem(
        nullptr, QString(), "Please select the team that these files are to be added to:",
        {"Brabham", "BRM", "Cooper", "Eagle", "Ferrari", "Honda", "Lotus"}, 0, false, &ok);
    return ok ? team.toStdString() : std::string();
}

std::string QtUi::SelectFile(const std::string&, const std::string&, const std::string&) {
    return "";
}

void QtUi::ShowPlatformMessage(const std::string& text, platform::MessageIcon icon,
                               const std::string& title) {
    const QMessageBox::Icon qicon =
        icon == platform::MessageIcon::Information ? QMessageBox::Information
        : icon == platform::MessageIcon::Critical  ? QMessageBox::Critical
                                                   : QMessageBox::NoIcon;
    QMessageBox box(qicon, Q(title), Q(text), QMessageBox::Ok);
    box.exec();
}

void QtUi::SetBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtUi::DoEvents() {
    QApplication::processEvents();
}

}  // namespace movrand::dialogs
