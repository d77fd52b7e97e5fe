// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>

namespace movrand::dialogs {

// A control's place in twips.
struct TwipsBox {
    int Left;
    int Top;
    int Width;
    int Height;
    bool operator==(const TwipsBox&) const = default;
};

// The picture buttons are 63 x 15 pixels at 15 twips per pixel.
inline constexpr int kPictureButtonWidth = 945;
inline constexpr int kPictureButtonHeight = 225;

// Design sizes of the message and question windows.
inline constexpr int kMsgBoxWidth = 3930;
inline constexpr int kMsgBoxHeight = 1755;
inline constexpr int kYesNoWidth = 3930;
inline constexpr int kYesNoHeight = 1410;

// Where the message window's controls go for a window W x H twips. A step that cannot be done
// (a label narrower or lower than nothing, in a window smaller than its margins) is left out
// and the others still apply.
struct MsgBoxLayout {
    std::optional<TwipsBox> Label;
    TwipsBox Ok;
    TwipsBox Frame;
};
MsgBoxLayout LayOutMsgBox(int width, int height);

// The question window: Yes to the left of No, both along the bottom edge.
struct YesNoLayout {
    std::optional<TwipsBox> Label;
    TwipsBox Yes;
    TwipsBox No;
    TwipsBox Frame;
};
YesNoLayout LayOutYesNo(int width, int height);

// The size a question window takes for the sizes its caller asked for: a width above 3930 and a
// height above 1155 are applied, anything else keeps the design size.
struct TwipsSize {
    int Width;
    int Height;
    bool operator==(const TwipsSize&) const = default;
};
TwipsSize YesNoSize(int myWidth, int myHeight);

// The size the message window takes when its caller asks for one: 0 keeps the design size.
TwipsSize MsgBoxSize(int width, int height);

// Texts in these windows stand without the blanks around them.
std::string MessageText(const std::string& message);

}  // namespace movrand::dialogs
