// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/DialogLayout.h"

#include "platform/Text.h"

namespace movrand::dialogs {

namespace {
std::optional<TwipsBox> LabelBox(int width, int height) {
    if (width < 0 || height < 0) return std::nullopt;
    return TwipsBox{240, 240, width, height};
}
}  // namespace

MsgBoxLayout LayOutMsgBox(int width, int height) {
    return {LabelBox(width - 555, height - 855),
            {width - 1170, height - 435, kPictureButtonWidth, kPictureButtonHeight},
            {0, 0, width, height}};
}

YesNoLayout LayOutYesNo(int width, int height) {
    const int top = height - 435;
    return {LabelBox(width - 510, height - 855),
            {width - 2250, top, kPictureButtonWidth, kPictureButtonHeight},
            {width - 1170, top, kPictureButtonWidth, kPictureButtonHeight},
            {0, 0, width, height}};
}

TwipsSize YesNoSize(int myWidth, int myHeight) {
    return {myWidth > kYesNoWidth ? myWidth : kYesNoWidth,
            myHeight > 1155 ? myHeight : kYesNoHeight};
}

TwipsSize MsgBoxSize(int width, int height) {
    return {width > 0 ? width : kMsgBoxWidth, height > 0 ? height : kMsgBoxHeight};
}

std::string MessageText(const std::string& message) {
    return platform::Trim(message);
}

}  // namespace movrand::dialogs
