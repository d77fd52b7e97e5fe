// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <exception>
#include <string>
#include <utility>

#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace movrand::platform {

// The three ways a procedure reports a run-time error it trapped.
enum class TrapForm {
    Common,       // OK only, no icon, title program name + "Error", text number CR LF description
    Information,  // information icon, title program name, text number CR LF description
    Critical,     // critical-stop icon, title program name, text number + " " + description
};

// The text a trap of this form shows for an error.
std::string TrapText(TrapForm form, int number, const std::string& description);

// Shows the error in the platform message box the form calls for.
void ReportTrappedError(Ui& ui, TrapForm form, const std::string& programName, int number,
                        const std::string& description);

// Turns whatever was thrown into the platform's error number and description.
RuntimeError AsRuntimeError(std::exception_ptr error);

// Runs a procedure's body under its error trap: a run-time error ends the body, is shown in
// the message box of the trap's form and is then cleared. Returns true when the body ran to
// its end without an error.
template <typename Body>
bool RunTrapped(Ui& ui, TrapForm form, const std::string& programName, Body&& body) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        RuntimeError error = AsRuntimeError(std::current_exception());
        ReportTrappedError(ui, form, programName, error.Number(), error.Description());
        return false;
    }
}

}  // namespace movrand::platform
