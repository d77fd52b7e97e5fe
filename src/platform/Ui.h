// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace movrand::platform {

// Icon of the platform's own message box.
enum class MessageIcon { None, Information, Critical };

// A question for the program's yes/no window. Sizes are in twips; a size the window does not
// accept (width 3930 or less, height 1155 or less) keeps the design size.
struct Question {
    std::string Message;
    int MyWidth = 0;
    int MyHeight = 0;
    std::string YesTooltip;
    std::string NoTooltip;
    // Enter answers No, as Escape does, and No has the focus: for a question whose Yes the user
    // should not give by habit.
    bool NoByDefault = false;
};

// How far long file work has come: files done of the files announced so far, the file being
// carried now (Windows notation), and what is done to them ("Restoring files"; "" for a copy).
struct FileProgress {
    int Done = 0;
    int Total = 0;
    std::string Current;
    std::string Doing;
};

// One line of the installation chooser: a Wine prefix's folder and the Windows path of a GPL
// installation's driver.ini in it.
struct InstallationLine {
    std::string Prefix;
    std::string DriverIniFile;
};

// Answers of the installation chooser besides a line's index.
inline constexpr int kChoiceCancelled = -1;  // the user cancelled: the file picker comes next
inline constexpr int kChoiceRefused = -2;    // this Ui cannot ask and has said why: the start ends

// Everything an operation shows to or asks of the user. Operations never touch a window
// themselves; the desktop program, the console program and the tests each supply their own.
// All texts are UTF-8.
class Ui {
  public:
    virtual ~Ui() = default;

    // The program's message window (frmMsgBox), shown modally. A width or height of 0 keeps
    // the design size (3930 x 1755 twips).
    virtual void ShowMessage(const std::string& message, int widthTwips = 0,
                             int heightTwips = 0) = 0;

    // The program's yes/no window (frmYesNo), shown modally; true when Yes was clicked.
    virtual bool AskYesNo(const Question& question) = 0;

    // A window that asks for one line of text (frmText), shown modally with `text` in its box:
    // what was typed when it was saved, nullopt when it was cancelled. By default nothing can be
    // typed and the answer is nullopt.
    virtual std::optional<std::string> AskText(const std::string& message,
                                               const std::string& text) {
        (void)message;
        (void)text;
        return std::nullopt;
    }

    // The team window (frmTeamFolder): the chosen display name, or "" when it was closed
    // without a choice.
    virtual std::string SelectTeam() = 0;

    // The file picker (frmFile): the chosen file's full path, or "" when cancelled.
    virtual std::string SelectFile(const std::string& path, const std::string& pattern,
                                   const std::string& caption) = 0;

    // The file picker choosing a file to write (frmFile with its file name field): it opens on
    // the folder `path` with `name` offered, adds `suffix` to a name without it and asks before
    // a file that is there is replaced. The file's full path, or "" when cancelled. By default
    // nothing is chosen.
    virtual std::string SaveFile(const std::string& path, const std::string& name,
                                 const std::string& suffix, const std::string& caption) {
        (void)path;
        (void)name;
        (void)suffix;
        (void)caption;
        return "";
    }

    // The platform's own message box with an OK button (used by the error traps).
    virtual void ShowPlatformMessage(const std::string& text, MessageIcon icon,
                                     const std::string& title) = 0;

    // The hourglass pointer.
    virtual void SetBusy(bool busy) = 0;
    virtual bool IsBusy() const = 0;

    // Lets pending user-interface events run.
    virtual void DoEvents() = 0;

    // The installation chooser, when a first start found several GPL installations: the index of
    // the line chosen, kChoiceCancelled or kChoiceRefused. By default nothing is chosen.
    virtual int ChooseInstallation(const std::vector<InstallationLine>& lines) {
        (void)lines;
        return kChoiceCancelled;
    }

    // Long file work, told file by file while a copy or move runs (see FileWork.h). The desktop
    // program shows a progress window once the work has run for about half a second and keeps its
    // windows painted meanwhile; EndFileProgress (or the next message or question) closes it.
    // By default nothing is shown.
    virtual void ShowFileProgress(const FileProgress& progress) { (void)progress; }
    virtual void EndFileProgress() {}
};

}  // namespace movrand::platform
