// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

namespace movrand {

// The values of the "Car Folders" page that the swap works from (the controls by their names
// in mainwindow/MainWindowControls.h).
struct CarFolderPage {
    std::string Source;          // dir::kSourceFolder: the stored folder that is to become live
    std::string Destination;     // dir::kDestinationFolder: receives the current live folder
    std::string NewName;         // txt::kNewName: its new name there
    bool DeleteCurrent = false;  // chk::kDeleteCurrentCarFolder "DELETE CURRENT CAR FOLDER!"
    bool Move = false;           // opt::kMove "Move"; false is opt::kCopy "Copy", the first choice
};

// How the page looks for the state of the delete box. The heading is lbl::kDestinationHeading;
// drv::kDestinationFolder, dir::kDestinationFolder and txt::kNewName are enabled together.
struct DeleteWarningView {
    bool WarningShown = false;  // lbl::kDeleteWarning
    bool DestinationEnabled = true;
    int HeadingLeft = 0;              // twips
    std::uint32_t HeadingColour = 0;  // 0x00BBGGRR or a system colour
    std::string HeadingCaption;
    std::uint32_t TickBoxColour = 0;  // chk::kDeleteCurrentCarFolder text colour
};

inline constexpr std::uint32_t kWarningRed = 0x000000FF;
inline constexpr std::uint32_t kButtonTextColour = 0x80000012;

// Sets the page to the state its delete box shows. Ticking empties the name box, and clearing
// the box again does not bring the name back.
DeleteWarningView ShowDeleteWarning(CarFolderPage& page);

// The name box's key filter: true for the keys it lets through (letters A to Z and a to z,
// digits, "_" and Backspace); every other key press is discarded.
bool NameBoxAccepts(int keyAscii);

}  // namespace movrand
