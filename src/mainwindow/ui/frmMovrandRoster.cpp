// SPDX-License-Identifier: GPL-3.0-or-later
// The roster on the main window: the driver list, the selected driver and his car number.
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/MainWindowPictures.h"
#include "mainwindow/ui/frmMovrand.h"
#include "roster/CarNumbers.h"
#include "roster/DriverList.h"

namespace movrand::mainwindow {

void frmMovrand::LoadDriverList() {
    const DriverListView view = ::movrand::LoadDriverList(pv_, ui_);
    QComboBox* drivers = cbo(cbo::kDrivers);
    drivers->clear();
    for (const DriverListEntry& entry : view.Entries)
        drivers->addItem(Q(entry.Text), entry.ItemData);
    if (view.SelectedIndex >= 0 && view.SelectedIndex < drivers->count())
        SelectEntry(cbo::kDrivers, view.SelectedIndex);
}

void frmMovrand::ShowDriver() {
    QComboBox* drivers = cbo(cbo::kDrivers);
    // With no entry chosen there is no driver to show.
    if (drivers->currentIndex() < 0) return;
    const DriverView view = ::movrand::ShowDriver(pv_, ui_, drivers->currentData().toInt());
    if (view.FlagApplied) {
        img(img::kFlag)->setPixmap(view.FlagId ? ResPicture(view.FlagId) : QPixmap());
        SetTooltip(img(img::kFlag), view.FlagTooltip);
    }
    if (view.ListTooltipApplied) SetTooltip(drivers, view.ListTooltip);
    if (view.CarNumberApplied) {
        // The list opens on the driver's own number (on none when no entry reads like it).
        QComboBox* numbers = cbo(cbo::kCarNumbers);
        numbers->setCurrentIndex(numbers->findText(Q(view.CarNumber), Qt::MatchExactly));
        numbers->setEditText(Q(view.CarNumber));
        carNumberShown_ = view.CarNumber;
        cmd(cmd::kSaveCarNumber)->setEnabled(false);
    }
}

void frmMovrand::AssignCarNumber() {
    QComboBox* drivers = cbo(cbo::kDrivers);
    if (drivers->currentIndex() < 0) return;
    // A swap of numbers is told over a panel that already shows the team's drivers with them.
    const CarNumberResult result = ::movrand::AssignCarNumber(
        pv_, ui_, drivers->currentData().toInt(), S(cbo(cbo::kCarNumbers)->currentText()),
        S(drivers->currentText()), [this] { ShowAddOnFolder(); });
    if (result.Changed) carNumberShown_ = S(cbo(cbo::kCarNumbers)->currentText());
    if (result.DisableSaveButton) cmd(cmd::kSaveCarNumber)->setEnabled(false);
}

}  // namespace movrand::mainwindow
