// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "cli/CliCall.h"

namespace movrand::cli {

// The add-on folder operand of entries, preview and install. An archive stands for the add-on
// folder it holds: it is unpacked into a temporary folder in the program's own folder, which is
// removed when the operand ends.
class AddOnOperand {
  public:
    explicit AddOnOperand(Call& c);
    ~AddOnOperand();
    AddOnOperand(const AddOnOperand&) = delete;
    AddOnOperand& operator=(const AddOnOperand&) = delete;

    // The add-on folder, or "" (after a complaint or the archive's refusal) when there is none.
    const std::string& Folder() const { return folder_; }
    bool FromArchive() const { return !temporary_.empty(); }
    // Without a folder: an archive refused or holding no add-on is refused (1); anything else
    // names nothing the command can work on (2).
    CommandOutcome Missing() const {
        return FromArchive() ? CommandOutcome::Refused : CommandOutcome::WrongUsage;
    }

  private:
    Call& c_;
    std::string folder_;
    std::string temporary_;
};

// unpack ARCHIVE [FOLDER]
CommandOutcome Unpack(Call& c);

}  // namespace movrand::cli
