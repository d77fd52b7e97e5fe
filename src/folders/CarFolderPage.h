// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

namespace movrand {

// The values of the "Car Folders" page that the swap works from.
struct CarFolderPage {
    std::string Source;          // dir(1): the stored car folder that is to become live
    std::string Destination;     // dir(2): the folder that receives the current live folder
    std::string NewName;         // txt(0): its new name there
    bool DeleteCurrent = false;  // chk(0) "DELETE CURRENT CAR FOLDER!"
    bool Move = false;           // opt(0) "Move"; false is opt(1) "Copy", the choice at start
};

// How the page looks for the state of the delete box.
struct DeleteWarningView {
    bool WarningShown = false;        // lbl(3)
    bool DestinationEnabled = true;   // drv(2), dir(2) and txt(0)
    int HeadingLeft = 0;              // lbl(0), twips
    std::uint32_t HeadingColour = 0;  // lbl(0) text colour (0x00BBGGRR or a system colour)
    std::string HeadingCaption;       // lbl(0)
    std::uint32_t TickBoxColour = 0;  // chk(0) text colour
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
