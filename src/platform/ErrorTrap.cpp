// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ErrorTrap.h"

#include <filesystem>
#include <new>
#include <system_error>

#include "platform/FileSystemErrors.h"

namespace movrand::platform {

std::string TrapText(TrapForm form, int number, const std::string& description) {
    const char* separator = form == TrapForm::Critical ? " " : "\r\n";
    return std::to_string(number) + separator + description;
}

void ReportTrappedError(Ui& ui, TrapForm form, const std::string& programName, int number,
                        const std::string& description) {
    switch (form) {
        case TrapForm::Common:
            ui.ShowPlatformMessage(TrapText(form, number, description), MessageIcon::None,
                                   programName + "Error");
            break;
        case TrapForm::Information:
            ui.ShowPlatformMessage(TrapText(form, number, description), MessageIcon::Information,
                                   programName);
            break;
        case TrapForm::Critical:
            ui.ShowPlatformMessage(TrapText(form, number, description), MessageIcon::Critical,
                                   programName);
            break;
    }
}

RuntimeError AsRuntimeError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError& e) {
        return e;
    } catch (const std::filesystem::filesystem_error& e) {
        return ErrorFromCode(e.code(), false);
    } catch (const std::system_error& e) {
        return ErrorFromCode(e.code(), false);
    } catch (const std::bad_alloc&) {
        return RuntimeError(kOutOfMemory);
    } catch (const std::exception& e) {
        return RuntimeError(kInvalidProcedureCall, e.what());
    } catch (...) {
        return RuntimeError(kInvalidProcedureCall);
    }
}

}  // namespace movrand::platform
