// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/CarNumbers.h"

#include "common/GameRunning.h"
#include "history/HistoryStep.h"
#include "platform/ErrorTrap.h"
#include "platform/Text.h"
#include "roster/IniFunctions.h"
#include "roster/RosterChecks.h"
#include "roster/RosterFile.h"
#include "roster/clsIniFile.h"
#include "wine/Profile.h"

namespace movrand {

namespace {

constexpr int kMessageWidth = 7500;
constexpr int kMessageHeight = 2200;

// A car_number that is missing or empty is no number a driver could hand over.
bool IsNoNumber(const std::string& number) {
    return number == kNotFound || platform::Trim(number, true).empty();
}

std::string DriverName(ProgramValues& pv, platform::Ui& ui, int driverNumber) {
    const std::string section = DriverSection(driverNumber);
    return ReadIniValue(pv, ui, section, "first_name", pv.DriverWorkFile) + " " +
           ReadIniValue(pv, ui, section, "last_name", pv.DriverWorkFile);
}

// How the history's summary names the driver: as the list shows them, else by the roster's
// names, else by number when the roster has none.
std::string StepName(ProgramValues& pv, platform::Ui& ui, int driverNumber,
                     const std::string& driverText) {
    if (!driverText.empty()) return driverText;
    const std::string name = platform::Trim(DriverName(pv, ui, driverNumber), true);
    if (name.empty() || name.find(kNotFound) != std::string::npos)
        return "driver " + std::to_string(driverNumber);
    return name;
}

// The message window, shown with the normal pointer while it waits for the user.
void Tell(platform::Ui& ui, CarNumberResult& result, const std::string& text) {
    ui.SetBusy(false);
    ui.ShowMessage(text, kMessageWidth, kMessageHeight);
    ui.SetBusy(true);
    result.Message = text;
}

class Assignment {
  public:
    Assignment(ProgramValues& pv, platform::Ui& ui, int driverNumber, std::string newNumber,
               std::string driverText, const std::function<void()>& showChange)
        : pv_(pv),
          ui_(ui),
          driver_(driverNumber),
          new_(std::move(newNumber)),
          text_(std::move(driverText)),
          showChange_(showChange) {}

    void Run(CarNumberResult& result) {
        const std::string old = CarNumberOf(driver_);
        if (new_ != old && !Assign(old, result)) return;
        result.DisableSaveButton = true;
        result.Ok = true;
    }

  private:
    std::string CarNumberOf(int driverNumber) {
        return ReadIniValue(pv_, ui_, DriverSection(driverNumber), "car_number",
                            pv_.DriverWorkFile);
    }
    bool WriteCarNumber(int driverNumber, const std::string& number) {
        return WriteIniValue(pv_, ui_, DriverSection(driverNumber), "car_number", number,
                             pv_.DriverWorkFile);
    }
    std::string SelectedText() { return text_.empty() ? DriverName(pv_, ui_, driver_) : text_; }

    // False when a write or the save failed and the roster was left as it was.
    bool Assign(const std::string& old, CarNumberResult& result) {
        // The missing-value text must never become anyone's number.
        if (IsNoNumber(new_)) {
            Tell(ui_, result, "Please choose a car number from the list before saving.");
            return true;
        }
        // Nothing is written that could read back as another number or change other lines, and
        // nothing into a file that is no roster.
        std::string problem = CarNumberProblem(new_);
        if (problem.empty()) problem = RosterProblem(pv_, driver_);
        if (!problem.empty()) {
            Tell(ui_, result, problem);
            return true;
        }
        int holder = 0;
        {
            platform::ProfileReadScope scope;
            for (int i = 1; i <= kRosterDrivers && holder == 0; ++i)
                if (CarNumberOf(i) == new_) holder = i;
        }

        std::string selected;
        if (holder != 0) {
            selected = SelectedText();
            if (IsNoNumber(old)) {
                const std::string holderName = DriverName(pv_, ui_, holder);
                Tell(ui_, result,
                     "Car Number " + new_ + " is already assigned to " + holderName + "." + "\r\n" +
                         selected + " has no car number to give " + holderName +
                         " in exchange, so no numbers have been changed.");
                return true;
            }
            if (!WriteCarNumber(holder, old)) return false;
        }
        if (!WriteCarNumber(driver_, new_) || !SaveDriverIni(pv_, ui_)) {
            // The working copy is made from driver.ini again, so the roster the program shows is
            // the game's and no half-made swap is saved later. A save can fail after driver.ini
            // was already replaced; then the change did happen.
            StripIniHeaders(pv_, ui_, pv_.DriverIniFile, pv_.DriverWorkFile);
            if (CarNumberOf(driver_) != new_) return false;
        }
        result.Changed = true;

        // The swap is told once it is saved, so the message never announces a change that failed.
        if (holder != 0) {
            if (showChange_) showChange_();
            result.PreviousHolder = holder;
            const std::string holderName = DriverName(pv_, ui_, holder);
            Tell(ui_, result,
                 "You have just assigned Car Number " + new_ + " to " + selected + "." + "\r\n" +
                     "This number had previously been assigned to " + holderName + "." + "\r\n" +
                     holderName + " has been assigned " + selected + "'s old number (" + old +
                     ").");
        }
        return true;
    }

    ProgramValues& pv_;
    platform::Ui& ui_;
    int driver_;
    std::string new_;
    std::string text_;
    const std::function<void()>& showChange_;
};

}  // namespace

CarNumberResult AssignCarNumber(ProgramValues& pv, platform::Ui& ui, int driverNumber,
                                const std::string& newNumber, const std::string& driverText,
                                const std::function<void()>& showChange) {
    CarNumberResult result;
    if (!MayChangeWhileGameRuns(pv, ui)) return result;
    ui.SetBusy(true);
    platform::RunTrapped(ui, platform::TrapForm::Information, pv.ProgramName, [&] {
        history::HistoryStep step(
            pv,
            "Car number " + newNumber + " given to " + StepName(pv, ui, driverNumber, driverText),
            &ui);
        Assignment(pv, ui, driverNumber, newNumber, driverText, showChange).Run(result);
    });
    ui.SetBusy(false);
    return result;
}

}  // namespace movrand
