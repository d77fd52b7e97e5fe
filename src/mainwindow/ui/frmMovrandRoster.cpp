// The roster on the main window: the driver list, the selected driver and his car number.
#include "mainwindow/ui/ControlSetup.h"
#include "mainwindow/ui/MainWindowPictures.h"
#include "mainwindow/ui/frmMovrand.h"
#include "roster/CarNumbers.h"
#include "roster/DriverList.h"

namespace movrand::mainwindow {

void frmMovrand::LoadDriverList() {
    const DriverListView view = ::movrand::LoadDriverList(pv_, ui_);
    QComboBox* drivers = cbo(4);
    drivers->clear();
    for (const DriverListEntry& entry : view.Entries)
        drivers->addItem(Q(entry.Text), entry.ItemData);
    if (view.SelectedIndex >= 0 && view.SelectedIndex < drivers->count())
        SelectEntry(4, view.SelectedIndex);
}

void frmMovrand::ShowDriver() {
    QComboBox* drivers = cbo(4);
    // With no entry chosen there is no driver to show.
    if (drivers->currentIndex() < 0) return;
    const DriverView view = ::movrand::ShowDriver(pv_, ui_, drivers->currentData().toInt());
    if (view.FlagApplied) {
        img(3)->setPixmap(view.FlagId ? ResPicture(view.FlagId) : QPixmap());
        SetTooltip(img(3), view.FlagTooltip);
    }
    if (view.ListTooltipApplied) SetTooltip(drivers, view.ListTooltip);
    if (view.CarNumberApplied) cbo(5)->setEditText(Q(view.CarNumber));
}

void frmMovrand::AssignCarNumber() {
    QComboBox* drivers = cbo(4);
    if (drivers->currentIndex() < 0) return;
    const CarNumberResult result =
        ::movrand::AssignCarNumber(pv_, ui_, drivers->currentData().toInt(),
                                   S(cbo(5)->currentText()), S(drivers->currentText()));
    if (result.DisableSaveButton) cmd(6)->setEnabled(false);
}

}  // namespace movrand::mainwindow
